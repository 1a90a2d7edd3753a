#include "fonts/sfnt.h"

#include <QList>
#include <QStringDecoder>

#include <optional>

namespace sfnt {
namespace {

constexpr quint32 tag(const char (&t)[5])
{
    return quint32(quint8(t[0])) << 24 | quint32(quint8(t[1])) << 16 | quint32(quint8(t[2])) << 8 | quint8(t[3]);
}

// A collection of more faces than this is damage, not a font.
constexpr quint32 kMaxFaces = 1024;

// Big-endian reads that fail, rather than read past the end, on a damaged file.
struct Bytes
{
    const QByteArray &b;
    bool has(qint64 at, qint64 n) const { return at >= 0 && n >= 0 && at <= b.size() && n <= b.size() - at; }
    std::optional<quint32> u(qint64 at, int n) const
    {
        if (!has(at, n))
            return std::nullopt;
        quint32 v = 0;
        for (int i = 0; i < n; ++i)
            v = v << 8 | quint8(b[at + i]);
        return v;
    }
    std::optional<quint16> u16(qint64 at) const { return u(at, 2); }
    std::optional<quint32> u32(qint64 at) const { return u(at, 4); }
};

// Where each face's table directory starts.
std::optional<QList<quint32>> faceOffsets(const Bytes &in)
{
    const auto first = in.u32(0);
    if (!first)
        return std::nullopt;
    if (*first != tag("ttcf"))
        return QList<quint32>{0};
    const auto count = in.u32(8);
    if (!count || *count == 0 || *count > kMaxFaces)
        return std::nullopt;
    QList<quint32> offsets;
    for (quint32 i = 0; i < *count; ++i) {
        const auto at = in.u32(12 + 4 * qint64(i));
        if (!at)
            return std::nullopt;
        offsets.append(*at);
    }
    return offsets;
}

// Whether a face's table directory starts at `face`: TrueType or OpenType outlines.
bool isFace(const Bytes &in, quint32 face)
{
    const auto version = in.u32(face);
    return version && (*version == 0x00010000 || *version == tag("OTTO") || *version == tag("true"));
}

// Where the directory entry of the name table of the face at `face` lies.
std::optional<qint64> nameEntry(const Bytes &in, quint32 face)
{
    if (!isFace(in, face))
        return std::nullopt;
    const auto tables = in.u16(face + 4);
    if (!tables)
        return std::nullopt;
    for (int i = 0; i < *tables; ++i) {
        const qint64 entry = face + 12 + 16 * qint64(i);
        const auto t = in.u32(entry);
        if (!t || !in.has(entry, 16))
            return std::nullopt;
        if (*t == tag("name"))
            return entry;
    }
    return std::nullopt;
}

QString utf16be(const QByteArray &b, qint64 at, qint64 n)
{
    QString s;
    s.reserve(n / 2);
    for (qint64 i = 0; i + 1 < n; i += 2)
        s.append(QChar(char16_t(quint8(b[at + i]) << 8 | quint8(b[at + i + 1]))));
    return s;
}

QString macRoman(const QByteArray &b, qint64 at, qint64 n)
{
    const QByteArray raw = b.mid(at, n);
    QStringDecoder decode("macintosh");
    return decode.isValid() ? decode(raw) : QString::fromLatin1(raw);
}

// Name ID 1 of the face whose directory starts at `face`, as Windows picks it.
QString familyOf(const Bytes &in, quint32 face)
{
    const auto entry = nameEntry(in, face);
    if (!entry)
        return {};
    const auto table = in.u32(*entry + 8);
    const auto format = table ? in.u16(*table) : std::nullopt;
    const auto count = table ? in.u16(*table + 2) : std::nullopt;
    const auto storage = table ? in.u16(*table + 4) : std::nullopt;
    if (!format || !count || !storage)
        return {};
    enum Rank { WindowsEnglish, Windows, Macintosh, None };
    Rank best = None;
    QString family;
    for (int i = 0; i < *count && best != WindowsEnglish; ++i) {
        const qint64 record = *table + 6 + 12 * qint64(i);
        const auto platform = in.u16(record), encoding = in.u16(record + 2), language = in.u16(record + 4),
                   id = in.u16(record + 6), length = in.u16(record + 8), offset = in.u16(record + 10);
        if (!offset)
            return family; // the records run past the end of the file
        if (*id != 1)
            continue;
        const qint64 at = qint64(*table) + *storage + *offset;
        if (!in.has(at, *length))
            continue;
        // Windows names are UTF-16 in the symbol, Unicode BMP and full Unicode encodings alike.
        const bool windows = *platform == 3 && (*encoding == 0 || *encoding == 1 || *encoding == 10);
        const Rank rank = windows ? (*language == 0x409 ? WindowsEnglish : Windows)
                                  : (*platform == 1 && *encoding == 0 ? Macintosh : None);
        if (rank >= best)
            continue;
        best = rank;
        family = rank == Macintosh ? macRoman(in.b, at, *length) : utf16be(in.b, at, *length);
    }
    // A name padded with NULs or blanks is still that name.
    const qsizetype nul = family.indexOf(QChar(0));
    return (nul >= 0 ? family.left(nul) : family).trimmed();
}

void put16(QByteArray &b, qint64 at, quint16 v)
{
    b[at] = char(v >> 8);
    b[at + 1] = char(v);
}

void put32(QByteArray &b, qint64 at, quint32 v)
{
    put16(b, at, quint16(v >> 16));
    put16(b, at + 2, quint16(v));
}

// A name table of Windows US English records only: family, subfamily, full and PostScript name.
QByteArray nameTable(const QString &family)
{
    QString postScript = family;
    postScript.remove(QLatin1Char(' '));
    const QList<std::pair<quint16, QString>> names{
        {1, family}, {2, QStringLiteral("Regular")}, {4, family}, {6, postScript}};
    const int storage = 6 + 12 * int(names.size());
    QByteArray t(storage, '\0');
    put16(t, 2, quint16(names.size()));
    put16(t, 4, quint16(storage));
    for (int i = 0; i < names.size(); ++i) {
        const qint64 r = 6 + 12 * i;
        const QString &s = names[i].second;
        put16(t, r, 3);
        put16(t, r + 2, 1);
        put16(t, r + 4, 0x409);
        put16(t, r + 6, names[i].first);
        put16(t, r + 8, quint16(2 * s.size()));
        put16(t, r + 10, quint16(t.size() - storage));
        for (const QChar c : s) {
            t.append(char(c.unicode() >> 8));
            t.append(char(c.unicode()));
        }
    }
    return t;
}

quint32 checksum(const QByteArray &table)
{
    quint32 sum = 0;
    for (qsizetype i = 0; i < table.size(); i += 4) {
        quint32 word = 0;
        for (int k = 0; k < 4; ++k)
            word = word << 8 | (i + k < table.size() ? quint8(table[i + k]) : 0);
        sum += word;
    }
    return sum;
}

} // namespace

QStringList windowsFamilies(const QByteArray &font)
{
    const Bytes in{font};
    const auto faces = faceOffsets(in);
    QStringList families;
    if (!faces)
        return families;
    for (const quint32 face : *faces) {
        if (!isFace(in, face))
            return {};
        families.append(familyOf(in, face));
    }
    return families;
}

QByteArray renamed(const QByteArray &font, const QStringList &families)
{
    const Bytes in{font};
    const auto faces = faceOffsets(in);
    if (!faces || faces->size() != families.size())
        return {};
    QByteArray out = font;
    for (qsizetype k = 0; k < faces->size(); ++k) {
        const auto entry = nameEntry(in, faces->at(k));
        // Past 4 GiB an offset no longer fits its field.
        if (!entry || out.size() > qint64(0xFFFF0000u))
            return {};
        const QByteArray table = nameTable(families[k]);
        out.append(QByteArray((4 - out.size() % 4) % 4, '\0')); // tables start on a 4-byte boundary
        put32(out, *entry + 4, checksum(table));
        put32(out, *entry + 8, quint32(out.size()));
        put32(out, *entry + 12, quint32(table.size()));
        out.append(table);
    }
    // Damaged directories may overlap, so that renaming one face renames another too.
    return windowsFamilies(out) == families ? out : QByteArray();
}

} // namespace sfnt
