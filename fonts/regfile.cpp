#include "fonts/regfile.h"

#include "base/datafolder.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>
#include <QThread>
#include <QtEndian>

#include <algorithm>

namespace registry {

namespace {

const QLatin1String kHeader("Windows Registry Editor Version 5.00");
// A value line: @ or a quoted name, '=', then a text (the format's only escapes are \\ and \"), a
// number, or bytes of some type, which may go on in the next lines after a backslash.
const QString kQuoted = QStringLiteral(R"re("((?:[^"\\\n]|\\[\\"])*)")re");
const QString kGap = QStringLiteral(R"re((?:[ \t]|\\\n)*)re");
const QRegularExpression kEntry(QStringLiteral(R"re(\A(?:@|%1)=(%1|dword:([0-9a-f]{1,8})|hex(?:\(([0-9a-f]{1,8})\))?:(%2(?:[0-9a-f]{2}%2(?:,%2[0-9a-f]{2}%2)*)?))\z)re")
                                    .arg(kQuoted, kGap), QRegularExpression::CaseInsensitiveOption);
const QRegularExpression kEscape(QStringLiteral(R"re(\\(.))re"));

QString quoted(QString s)
{
    return QLatin1Char('"') + s.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\"")) + QLatin1Char('"');
}

// No control character, line or paragraph separator, or unpaired surrogate.
bool fitsOnALine(const QString &s)
{
    return s.isValidUtf16() && std::none_of(s.cbegin(), s.cend(), [](QChar c) {
        return c.category() == QChar::Other_Control || c == QChar(0x2028) || c == QChar(0x2029);
    });
}

Result check(const QString &subkey, const QString &name)
{
    if (!fitsOnALine(name))
        return Result::failure(Status::InvalidName, QStringLiteral("value name holds a control character"));
    if (!fitsOnALine(subkey))
        return Result::failure(Status::InvalidKey, QStringLiteral("key name holds a control character"));
    return {};
}

QString keyName(const QString &subkey) // "\a\\b\" is "a\b"
{
    return subkey.split(QLatin1Char('\\'), Qt::SkipEmptyParts).join(QLatin1Char('\\'));
}

// Keys and values, found by name without regard to letter case.
template<typename T>
qsizetype indexOf(const QList<T> &list, const QString &name)
{
    const auto it = std::find_if(list.cbegin(), list.cend(), [&](const T &t) { return t.name.compare(name, Qt::CaseInsensitive) == 0; });
    return it == list.cend() ? -1 : it - list.cbegin();
}

template<typename T>
T &findOrAdd(QList<T> &list, const QString &name)
{
    if (indexOf(list, name) < 0)
        list.append(T{name, {}});
    return list[indexOf(list, name)];
}

} // namespace

std::optional<RegDocument> parseRegText(const QString &text, const QString &rootName)
{
    const QStringList lines = text.mid(text.startsWith(QChar(0xFEFF)) ? 1 : 0).split(QRegularExpression(QStringLiteral("[ \t\r]*(?:\n|\\z)")));
    const auto unescaped = [](QString s) { return s.replace(kEscape, QStringLiteral("\\1")); };
    RegDocument doc;
    RegKey *key = nullptr;
    bool header = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (line.isEmpty() || (header && line.startsWith(QLatin1Char(';'))))
            continue;
        if (!header) {
            if (line != kHeader)
                return std::nullopt;
            header = true;
        } else if (line.startsWith(QLatin1Char('['))) {
            const QString root = line.mid(1, line.size() - 2).section(QLatin1Char('\\'), 0, 0);
            const QString path = line.mid(root.size() + 1, line.size() - root.size() - 2);
            if (!line.endsWith(QLatin1Char(']')) || root.compare(rootName, Qt::CaseInsensitive) != 0 || !check(path, {}).ok())
                return std::nullopt;
            key = &findOrAdd(doc, keyName(path));
        } else {
            QString data = line;
            while (data.endsWith(QLatin1Char('\\')) && i + 1 < lines.size())
                data += QLatin1Char('\n') + lines[++i];
            const QRegularExpressionMatch m = kEntry.match(data);
            const QByteArray bytes = QByteArray::fromHex(m.captured(6).toLatin1()); // past commas, blanks and wraps
            RegEntry e{unescaped(m.captured(1)), unescaped(m.captured(3))};
            if (!key || !m.hasMatch() || !fitsOnALine(e.name))
                return std::nullopt;
            if (m.hasCaptured(4))
                e.value = static_cast<qint32>(m.captured(4).toUInt(nullptr, 16));
            if (m.hasCaptured(6) && m.captured(5).toUInt(nullptr, 16) == 1 && bytes.size() % 2 == 0 && bytes.endsWith(QByteArray(2, '\0'))) {
                QString text(bytes.size() / 2 - 1, Qt::Uninitialized); // UTF-16LE and the terminating NUL
                qFromLittleEndian<char16_t>(bytes.constData(), text.size(), text.data());
                e.value = text;
            } else if (m.hasCaptured(6)) {
                e.other = m.captured(2); // another type, kept as it was
            }
            RegEntry &slot = findOrAdd(key->values, e.name); // a name seen before keeps its first spelling
            slot = {slot.name, e.value, e.other};
        }
    }
    return header ? std::optional(doc) : std::nullopt;
}

QString formatRegText(const RegDocument &document, const QString &rootName)
{
    QString out = kHeader + QLatin1String("\n\n");
    for (const RegKey &key : document) {
        out += QLatin1Char('[') + rootName + (key.name.isEmpty() ? QString() : QLatin1Char('\\') + key.name) + QLatin1String("]\n");
        for (const RegEntry &e : key.values) {
            out += (e.name.isEmpty() ? QStringLiteral("@") : quoted(e.name)) + QLatin1Char('=');
            const QString *text = std::get_if<QString>(&e.value);
            if (!e.other.isEmpty()) {
                out += e.other;
            } else if (!text) {
                out += QStringLiteral("dword:%1").arg(static_cast<quint32>(std::get<qint32>(e.value)), 8, 16, QLatin1Char('0'));
            } else if (fitsOnALine(*text)) {
                out += quoted(*text);
            } else {
                QByteArray bytes((text->size() + 1) * 2, '\0');
                qToLittleEndian<char16_t>(text->utf16(), text->size(), bytes.data());
                out += QLatin1String("hex(1):") + QLatin1String(bytes.toHex(','));
            }
            out += QLatin1Char('\n');
        }
        out += QLatin1Char('\n');
    }
    return out;
}

void setValueIn(RegDocument &document, const QString &subkey, const QString &name, const Value &value)
{
    // As a key is created in the registry: its missing parents come into being first.
    const QString path = keyName(subkey);
    for (qsizetype at = path.indexOf(QLatin1Char('\\')); at >= 0; at = path.indexOf(QLatin1Char('\\'), at + 1))
        findOrAdd(document, path.left(at));
    RegEntry &e = findOrAdd(findOrAdd(document, path).values, name);
    e = {e.name, value};
}

const Value *findValue(const RegDocument &document, const QString &subkey, const QString &name)
{
    const qsizetype k = indexOf(document, keyName(subkey));
    const qsizetype e = k < 0 ? -1 : indexOf(document[k].values, name);
    return e < 0 || !document[k].values[e].other.isEmpty() ? nullptr : &document[k].values[e].value;
}

QString RegFileStore::defaultFolder()
{
    return Module1::getDataFolder() + QStringLiteral("registry");
}

QString RegFileStore::filePath(RootKey root) const
{
    const QString name = rootKeyName(root);
    return name.isEmpty() ? QString() : (folder_.isEmpty() ? defaultFolder() : folder_) + QLatin1Char('/') + name + QStringLiteral(".reg");
}

bool RegFileStore::canHold(const QString &subkey, const QString &name) const
{
    return check(subkey, name).ok();
}

Result RegFileStore::setValue(RootKey root, const QString &subkey, const QString &name, const Value &value)
{
    const QString rootName = rootKeyName(root);
    if (rootName.isEmpty())
        return Result::failure(Status::UnknownRoot, QStringLiteral("0x%1 is no root key").arg(static_cast<quint32>(root), 8, 16, QLatin1Char('0')));
    if (Result r = check(subkey, name); !r.ok()) // before the disk is touched
        return r;
    const QString path = filePath(root);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return Result::failure(Status::WriteFailed, QStringLiteral("no folder for the store"));

    // Short pauses: QLockFile's own wait doubles them up to seconds and then misses every moment
    // a busy neighbour leaves the store free.
    QLockFile lock(path + QStringLiteral(".lock"));
    for (const QDeadlineTimer deadline(lockTimeoutMs_); !lock.tryLock(0); QThread::msleep(1)) {
        if (lock.error() != QLockFile::LockFailedError)
            return Result::failure(Status::WriteFailed, QStringLiteral("no lock file beside the store"));
        if (deadline.hasExpired())
            return Result::failure(Status::Busy, QStringLiteral("the store stayed locked for %1 ms").arg(lockTimeoutMs_));
    }

    QDir().rmdir(path + QStringLiteral(".queue")); // the empty queue folder earlier versions left
    RegDocument doc;
    QFile in(path);
    if (in.exists()) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = in.open(QIODevice::ReadOnly) ? utf8(in.readAll()) : QString();
        if (!in.isOpen() || in.error() != QFileDevice::NoError)
            return Result::failure(Status::Unreadable, path + QStringLiteral(": ") + in.errorString());
        in.close(); // before it is renamed
        const auto parsed = utf8.hasError() ? std::nullopt : parseRegText(text, rootName);
        if (parsed) {
            doc = *parsed;
        } else { // out of the way, under a name of its own
            const QString aside = path + QStringLiteral(".damaged-") + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
            QString target = aside;
            for (int n = 2; QFileInfo::exists(target) && n < 1000; ++n)
                target = aside + QStringLiteral("-%1").arg(n);
            if (!QFile::rename(path, target))
                return Result::failure(Status::CannotKeepAside, QStringLiteral("unreadable store could not be renamed"));
        }
    }
    setValueIn(doc, subkey, name, value);
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(formatRegText(doc, rootName).toUtf8()) < 0 || !out.commit())
        return Result::failure(Status::WriteFailed, out.errorString());
    return {};
}

} // namespace registry
