#include "fonts/regfile.h"

#include "base/numbers.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QThread>

#include <algorithm>
#include <atomic>

namespace registry {

RawValue RawValue::of(const Value &value)
{
    if (const qint32 *number = std::get_if<qint32>(&value)) {
        const auto bits = static_cast<quint32>(*number);
        QByteArray bytes;
        for (int shift = 0; shift < 32; shift += 8)
            bytes.append(static_cast<char>((bits >> shift) & 0xFF));
        return {kTypeDword, bytes};
    }
    const QString &text = std::get<QString>(value);
    QByteArray bytes;
    bytes.reserve((text.size() + 1) * 2);
    for (QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    bytes.append(2, '\0');
    return {kTypeSz, bytes};
}

QString RawValue::text() const
{
    if (type != kTypeSz)
        return {};
    QString s;
    for (qsizetype i = 0; i + 1 < data.size(); i += 2) {
        const auto unit = static_cast<char16_t>(static_cast<uchar>(data[i]) | (static_cast<uchar>(data[i + 1]) << 8));
        if (unit == 0)
            break;
        s.append(QChar(unit));
    }
    return s;
}

qint32 RawValue::number() const
{
    if (type != kTypeDword || data.size() != 4)
        return 0;
    quint32 bits = 0;
    for (int i = 3; i >= 0; --i)
        bits = (bits << 8) | static_cast<uchar>(data[i]);
    return static_cast<qint32>(bits);
}

namespace {

bool isLineBreaking(char16_t c)
{
    return c == 0x2028 || c == 0x2029;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool samePath(const QStringList &a, const QStringList &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (!sameName(a[i], b[i]))
            return false;
    }
    return true;
}

QStringList splitKey(const QString &subkey)
{
    return subkey.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

qsizetype findKey(const RegDocument &doc, const QStringList &path)
{
    for (qsizetype i = 0; i < doc.keys.size(); ++i) {
        if (samePath(doc.keys[i].path, path))
            return i;
    }
    return -1;
}

qsizetype findEntry(const RegKey &key, const QString &name)
{
    for (qsizetype i = 0; i < key.values.size(); ++i) {
        if (sameName(key.values[i].name, name))
            return i;
    }
    return -1;
}

void putEntry(RegKey &key, const QString &name, const RawValue &value)
{
    const qsizetype at = findEntry(key, name);
    if (at >= 0)
        key.values[at].value = value;
    else
        key.values.append({name, value});
}

// ---- writing ----

QString quoted(const QString &s)
{
    QString out = s;
    out.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    out.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

// The text of a REG_SZ value when it can stand between quotes on one line.
std::optional<QString> quotableText(const RawValue &v)
{
    if (v.type != kTypeSz || v.data.size() < 2 || v.data.size() % 2 != 0)
        return std::nullopt;
    const qsizetype n = v.data.size();
    if (v.data[n - 1] != 0 || v.data[n - 2] != 0)
        return std::nullopt;
    const QString text = v.text();
    if ((text.size() + 1) * 2 != n) // a NUL inside
        return std::nullopt;
    if (!isStorableName(text))
        return std::nullopt;
    return text;
}

QString hexByte(uchar b)
{
    return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0'));
}

// Binary forms are wrapped as the registry editor wraps them: lines of at most 80 characters,
// ",\" at the end and two blanks at the start of every continuation.
void appendHex(QString &out, const QString &head, const RawValue &v)
{
    QString line = head + (v.type == kTypeBinary ? QStringLiteral("hex:")
                                                 : QStringLiteral("hex(%1):").arg(v.type, 0, 16));
    bool byteOnLine = false;
    for (qsizetype i = 0; i < v.data.size(); ++i) {
        QString token = hexByte(static_cast<uchar>(v.data[i]));
        if (i + 1 < v.data.size())
            token += QLatin1Char(',');
        if (byteOnLine && line.size() + token.size() > 78) {
            out += line + QLatin1String("\\\n");
            line = QStringLiteral("  ");
        }
        line += token;
        byteOnLine = true;
    }
    out += line + QLatin1Char('\n');
}

void appendEntry(QString &out, const RegEntry &e)
{
    const QString head = (e.name.isEmpty() ? QStringLiteral("@") : quoted(e.name)) + QLatin1Char('=');
    if (const auto text = quotableText(e.value)) {
        out += head + quoted(*text) + QLatin1Char('\n');
    } else if (e.value.type == kTypeDword && e.value.data.size() == 4) {
        out += head + QStringLiteral("dword:%1\n")
                          .arg(static_cast<quint32>(e.value.number()), 8, 16, QLatin1Char('0'));
    } else {
        appendHex(out, head, e.value);
    }
}

// ---- reading ----

struct Cursor
{
    const QString &s;
    qsizetype pos = 0;
    bool atEnd() const { return pos >= s.size(); }
    QChar peek() const { return atEnd() ? QChar() : s[pos]; }
    bool take(QLatin1String word)
    {
        if (s.mid(pos, word.size()).compare(word, Qt::CaseInsensitive) != 0)
            return false;
        pos += word.size();
        return true;
    }
};

// A quoted string with the format's two escapes, \\ and \".
std::optional<QString> readQuoted(Cursor &c)
{
    if (c.peek() != QLatin1Char('"'))
        return std::nullopt;
    ++c.pos;
    QString out;
    while (!c.atEnd()) {
        const QChar ch = c.s[c.pos++];
        if (ch == QLatin1Char('"'))
            return out;
        if (ch == QLatin1Char('\\')) {
            if (c.atEnd())
                return std::nullopt;
            const QChar next = c.s[c.pos++];
            if (next != QLatin1Char('\\') && next != QLatin1Char('"'))
                return std::nullopt;
            out += next;
        } else {
            out += ch;
        }
    }
    return std::nullopt;
}

std::optional<quint32> readHexNumber(const QString &digits, int maxDigits)
{
    if (digits.isEmpty() || digits.size() > maxDigits)
        return std::nullopt;
    quint32 n = 0;
    for (QChar ch : digits) {
        const int d = numbers::digitValue(ch, 16);
        if (d < 0)
            return std::nullopt;
        n = (n << 4) | static_cast<quint32>(d);
    }
    return n;
}

std::optional<QByteArray> readHexBytes(const QString &list)
{
    QByteArray out;
    if (list.trimmed().isEmpty())
        return out;
    for (const QString &token : list.split(QLatin1Char(','))) {
        const auto b = readHexNumber(token.trimmed(), 2);
        if (!b)
            return std::nullopt;
        out.append(static_cast<char>(*b));
    }
    return out;
}

QString rightTrimmed(const QString &s)
{
    qsizetype n = s.size();
    while (n > 0 && (s[n - 1] == QLatin1Char(' ') || s[n - 1] == QLatin1Char('\t') || s[n - 1] == QLatin1Char('\r')))
        --n;
    return s.left(n);
}

} // namespace

bool isStorableName(const QString &name)
{
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c.category() == QChar::Other_Control || isLineBreaking(c.unicode()))
            return false;
        if (c.isHighSurrogate()) {
            if (i + 1 >= name.size() || !name[i + 1].isLowSurrogate())
                return false;
            ++i;
        } else if (c.isLowSurrogate()) {
            return false;
        }
    }
    return true;
}

ParseResult parseRegText(const QString &text, const QString &rootName)
{
    ParseResult result;
    auto fail = [&result](int line, const QString &why) {
        result.document.reset();
        result.line = line;
        result.error = why;
        return result;
    };

    QString body = text;
    if (body.startsWith(QChar(0xFEFF)))
        body.remove(0, 1);
    const QStringList lines = body.split(QLatin1Char('\n'));

    RegDocument doc;
    doc.root = rootName;
    qsizetype current = -1;
    bool headerSeen = false;

    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i + 1);
        const QString line = rightTrimmed(lines[i]);
        if (line.isEmpty())
            continue;
        if (!headerSeen) {
            if (line != QLatin1String(kRegHeader))
                return fail(lineNo, QStringLiteral("missing header"));
            headerSeen = true;
            continue;
        }
        if (line.startsWith(QLatin1Char(';')))
            continue;

        if (line.startsWith(QLatin1Char('['))) {
            if (!line.endsWith(QLatin1Char(']')))
                return fail(lineNo, QStringLiteral("unterminated section"));
            const QString inner = line.mid(1, line.size() - 2);
            const qsizetype slash = inner.indexOf(QLatin1Char('\\'));
            const QString root = slash < 0 ? inner : inner.left(slash);
            if (!sameName(root, rootName))
                return fail(lineNo, QStringLiteral("section outside %1").arg(rootName));
            const QStringList path = slash < 0 ? QStringList() : splitKey(inner.mid(slash + 1));
            for (const QString &part : path) {
                if (!isStorableName(part))
                    return fail(lineNo, QStringLiteral("control character in a key name"));
            }
            current = findKey(doc, path);
            if (current < 0) {
                doc.keys.append({path, {}});
                current = doc.keys.size() - 1;
            }
            continue;
        }

        if (current < 0)
            return fail(lineNo, QStringLiteral("value outside a section"));
        Cursor c{line};
        QString name;
        if (c.peek() == QLatin1Char('@')) {
            ++c.pos;
        } else {
            const auto n = readQuoted(c);
            if (!n)
                return fail(lineNo, QStringLiteral("bad value name"));
            if (!isStorableName(*n))
                return fail(lineNo, QStringLiteral("control character in a value name"));
            name = *n;
        }
        if (c.peek() != QLatin1Char('='))
            return fail(lineNo, QStringLiteral("'=' expected"));
        ++c.pos;

        RawValue value;
        if (c.peek() == QLatin1Char('"')) {
            const auto data = readQuoted(c);
            if (!data || !c.atEnd())
                return fail(lineNo, QStringLiteral("bad text data"));
            value = RawValue::of(*data);
        } else if (c.take(QLatin1String("dword:"))) {
            const auto n = readHexNumber(line.mid(c.pos), 8);
            if (!n)
                return fail(lineNo, QStringLiteral("bad dword"));
            value = RawValue::of(static_cast<qint32>(*n));
        } else if (c.take(QLatin1String("hex"))) {
            quint32 type = kTypeBinary;
            if (c.peek() == QLatin1Char('(')) {
                const qsizetype close = line.indexOf(QLatin1Char(')'), c.pos);
                const auto t = close < 0 ? std::nullopt : readHexNumber(line.mid(c.pos + 1, close - c.pos - 1), 8);
                if (!t)
                    return fail(lineNo, QStringLiteral("bad hex type"));
                type = *t;
                c.pos = close + 1;
            }
            if (c.peek() != QLatin1Char(':'))
                return fail(lineNo, QStringLiteral("':' expected"));
            QString list = line.mid(c.pos + 1);
            while (list.endsWith(QLatin1Char('\\'))) {
                list.chop(1);
                if (++i >= lines.size())
                    return fail(lineNo, QStringLiteral("continuation at the end of the file"));
                list += rightTrimmed(lines[i]).trimmed();
            }
            const auto bytes = readHexBytes(list);
            if (!bytes)
                return fail(lineNo, QStringLiteral("bad hex data"));
            value = {type, *bytes};
        } else {
            return fail(lineNo, QStringLiteral("unknown data form"));
        }
        putEntry(doc.keys[current], name, value);
    }
    if (!headerSeen)
        return fail(1, QStringLiteral("missing header"));
    result.document = doc;
    return result;
}

QString formatRegText(const RegDocument &document)
{
    QString out = QLatin1String(kRegHeader) + QLatin1String("\n\n");
    for (const RegKey &key : document.keys) {
        out += QLatin1Char('[') + document.root;
        if (!key.path.isEmpty())
            out += QLatin1Char('\\') + key.path.join(QLatin1Char('\\'));
        out += QLatin1String("]\n");
        for (const RegEntry &e : key.values)
            appendEntry(out, e);
        out += QLatin1Char('\n');
    }
    return out;
}

Result setValueIn(RegDocument &document, const QString &subkey, const QString &name, const RawValue &value)
{
    if (!isStorableName(name))
        return Result::failure(Status::InvalidName, QStringLiteral("value name holds a control character"));
    const QStringList path = splitKey(subkey);
    for (const QString &part : path) {
        if (!isStorableName(part))
            return Result::failure(Status::InvalidKey, QStringLiteral("key name holds a control character"));
    }
    // Like creating a key in the registry: its missing parents come into being first.
    for (qsizetype depth = 1; depth < path.size(); ++depth) {
        const QStringList parent = path.first(depth);
        if (findKey(document, parent) < 0)
            document.keys.append({parent, {}});
    }
    qsizetype at = findKey(document, path);
    if (at < 0) {
        document.keys.append({path, {}});
        at = document.keys.size() - 1;
    }
    putEntry(document.keys[at], name, value);
    return {};
}

const RawValue *findValue(const RegDocument &document, const QString &subkey, const QString &name)
{
    const qsizetype k = findKey(document, splitKey(subkey));
    if (k < 0)
        return nullptr;
    const qsizetype e = findEntry(document.keys[k], name);
    return e < 0 ? nullptr : &document.keys[k].values[e].value;
}

// ---- the file store ----

RegFileStore::RegFileStore(QString folder, int lockTimeoutMs)
    : folder_(std::move(folder))
    , lockTimeoutMs_(lockTimeoutMs)
{
}

QString RegFileStore::defaultFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return {};
    return data + QStringLiteral("/vexlora/registry");
}

QString RegFileStore::folder() const
{
    return folder_.isEmpty() ? defaultFolder() : folder_;
}

QString RegFileStore::filePath(RootKey root) const
{
    const QString name = rootKeyName(root);
    const QString dir = folder();
    if (name.isEmpty() || dir.isEmpty())
        return {};
    return dir + QLatin1Char('/') + name + QStringLiteral(".reg");
}

namespace {

std::optional<QString> decodeUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// A writer's place in the queue for a store: a lock file of its own in <store>.queue/, named so
// that names sort in the order writers came. A writer goes ahead when no older ticket is held,
// so it never waits behind newcomers, however many keep coming. A ticket that a process which
// died left behind is stale: QLockFile knows its owner is gone and lets it be taken away.
class Turn
{
public:
    Turn(const QString &storePath, const QDeadlineTimer &deadline)
        : queue_(storePath + QStringLiteral(".queue"))
    {
        static std::atomic<quint32> taken{0};
        const QString name = QStringLiteral("%1-%2-%3.ticket")
                                 .arg(QDeadlineTimer::current(Qt::PreciseTimer).deadlineNSecs(), 20, 10, QLatin1Char('0'))
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(taken++);
        if (!QDir().mkpath(queue_.path()))
            return;
        ticket_.emplace(queue_.filePath(name));
        ticket_->setStaleLockTime(0); // stale only when its owner is gone, however long it waits
        if (!ticket_->tryLock(0))
            return;
        while (!(granted_ = firstInLine(name)) && !deadline.hasExpired())
            QThread::msleep(1);
    }
    ~Turn()
    {
        if (ticket_)
            ticket_->unlock(); // removes the ticket
    }
    bool granted() const { return granted_; }

private:
    bool firstInLine(const QString &mine) const
    {
        for (const QString &other : queue_.entryList({QStringLiteral("*.ticket")}, QDir::Files, QDir::Name)) {
            if (other >= mine)
                return true;
            QLockFile older(queue_.filePath(other));
            older.setStaleLockTime(0);
            if (!older.tryLock(0)) // held by a live writer ahead of this one
                return false;
            older.unlock(); // a dead writer's, or one just done: gone now
        }
        return true;
    }

    QDir queue_;
    std::optional<QLockFile> ticket_;
    bool granted_ = false;
};

// Moves an unreadable store out of the way under a name of its own; false when it stays.
bool keepAside(const QString &path)
{
    const QString base = path + QStringLiteral(".damaged-")
        + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = base;
    for (int n = 2; QFileInfo::exists(target) && n < 1000; ++n)
        target = base + QStringLiteral("-%1").arg(n);
    return QFile::rename(path, target);
}

} // namespace

bool RegFileStore::canHold(const QString &subkey, const QString &name) const
{
    const QStringList path = splitKey(subkey);
    return isStorableName(name) && std::all_of(path.cbegin(), path.cend(), isStorableName);
}

Result RegFileStore::setValue(RootKey root, const QString &subkey, const QString &name, const Value &value)
{
    const QString rootName = rootKeyName(root);
    if (rootName.isEmpty())
        return Result::failure(Status::UnknownRoot, QStringLiteral("0x%1 is no root key").arg(static_cast<quint32>(root), 8, 16, QLatin1Char('0')));
    // Refuse what can't be stored before the disk is touched.
    const RawValue raw = RawValue::of(value);
    RegDocument probe{rootName, {}};
    if (Result r = setValueIn(probe, subkey, name, raw); !r.ok())
        return r;

    const QString path = filePath(root);
    if (path.isEmpty() || !QDir().mkpath(QFileInfo(path).absolutePath()))
        return Result::failure(Status::WriteFailed, QStringLiteral("no folder for the store"));

    // Writers take turns in the order they came, then hold the store's lock for the update.
    QDeadlineTimer deadline(lockTimeoutMs_);
    const Turn turn(path, deadline);
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!turn.granted() || !lock.tryLock(int(qMax<qint64>(0, deadline.remainingTime()))))
        return Result::failure(Status::Busy, QStringLiteral("no turn within %1 ms").arg(lockTimeoutMs_));

    RegDocument doc{rootName, {}};
    const QFileInfo info(path);
    if (info.exists()) {
        if (!info.isFile())
            return Result::failure(Status::Unreadable, QStringLiteral("%1 is not a file").arg(path));
        QFile in(path);
        if (!in.open(QIODevice::ReadOnly))
            return Result::failure(Status::Unreadable, in.errorString());
        const QByteArray bytes = in.readAll();
        if (in.error() != QFileDevice::NoError)
            return Result::failure(Status::Unreadable, in.errorString());
        in.close();
        const auto text = decodeUtf8(bytes);
        const ParseResult parsed = text ? parseRegText(*text, rootName) : ParseResult{};
        if (parsed.document)
            doc = *parsed.document;
        else if (!keepAside(path))
            return Result::failure(Status::CannotKeepAside, QStringLiteral("unreadable store could not be renamed"));
    }

    setValueIn(doc, subkey, name, raw);
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return Result::failure(Status::WriteFailed, out.errorString());
    out.write(formatRegText(doc).toUtf8());
    if (!out.commit())
        return Result::failure(Status::WriteFailed, out.errorString());
    return {};
}

} // namespace registry
