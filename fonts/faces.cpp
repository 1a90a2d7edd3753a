#include "fonts/faces.h"

#include "fonts/FaceCollection.h"
#include "fonts/FontTable.h"
#include "fonts/system.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHash>

#include <algorithm>
#include <vector>

namespace fonts {
namespace {

// "Family [foundry]" gives "Family"; any other name gives itself.
QString stemOf(const QString &family)
{
    if (!family.endsWith(QLatin1Char(']')))
        return family;
    const qsizetype open = family.lastIndexOf(QLatin1String(" ["));
    return open > 0 ? family.left(open) : family;
}

} // namespace

bool isGenericFamily(const QString &family)
{
    return family == QLatin1String("Sans Serif") || family == QLatin1String("Serif") || family == QLatin1String("Monospace");
}

QStringList sortedFaces(QStringList faces)
{
    // Each name folded once: a caseless comparison would fold both names at every step, and
    // with 10,000 installed faces that is most of the sort.
    std::vector<std::pair<QString, QString>> keyed;
    keyed.reserve(faces.size());
    for (QString &face : faces)
        keyed.emplace_back(face.toCaseFolded(), std::move(face));
    std::sort(keyed.begin(), keyed.end());
    QStringList sorted;
    sorted.reserve(qsizetype(keyed.size()));
    for (auto &[key, face] : keyed) {
        if (sorted.isEmpty() || sorted.last() != face)
            sorted.append(std::move(face));
    }
    return sorted;
}

QString familyToDraw(const QString &face, const QStringList &qtFamilies)
{
    if (!isGenericFamily(face))
        return face;
    for (const QString &family : qtFamilies) {
        if (family != face && stemOf(family) == face)
            return family;
    }
    return face;
}

namespace {

QHash<QString, QString> &standIns()
{
    static QHash<QString, QString> chosen;
    return chosen;
}

// Qt's generic families have no file behind them: they draw only through the fallback.
bool hasFont(const QString &name, const QStringList &qtFamilies)
{
    return std::any_of(qtFamilies.begin(), qtFamilies.end(), [&name](const QString &f) {
        return !isGenericFamily(f) && stemOf(f).compare(name, Qt::CaseInsensitive) == 0;
    });
}

// What draws a family Qt has no font of: the platform's match, where Qt has that.
QString matchOrItself(const QString &family, const QString &matched, const QStringList &qtFamilies)
{
    return !matched.isEmpty() && hasFont(matched, qtFamilies) ? matched : family;
}

} // namespace

QString standInFor(const QString &family, const QString &matched, const QStringList &qtFamilies)
{
    return hasFont(family, qtFamilies) ? family : matchOrItself(family, matched, qtFamilies);
}

void chooseStandIns(const QStringList &faces)
{
    if (!standIns().isEmpty())
        return;
    const QStringList qtFamilies = QFontDatabase::families();
    for (const QString &face : faces) // an installed face costs no match, and is looked for once
        standIns().insert(face, hasFont(face, qtFamilies) ? face : matchOrItself(face, matchedFamily(face), qtFamilies));
}

QString standIn(const QString &family)
{
    return standIns().value(family, family);
}

QString firstNewFace(const FontTable &table, const FaceCollection &known)
{
    const int n = table.count();
    for (int i = 0; i < n; ++i) {
        const QString face = table.face(i);
        if (!known.contains(face))
            return face;
    }
    return {};
}

std::optional<QByteArray> readFontFile(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || info.size() > kMaxFontFileBytes)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Read, never mapped: a file cut short while it is read gives fewer bytes, where a mapping
    // would fault on the pages that are gone. It may also grow meanwhile: never past the limit.
    QByteArray bytes;
    bytes.reserve(info.size());
    QByteArray chunk(64 * 1024, Qt::Uninitialized);
    for (qint64 n; (n = file.read(chunk.data(), chunk.size())) != 0;) {
        if (n < 0 || bytes.size() + n > kMaxFontFileBytes)
            return std::nullopt;
        bytes.append(chunk.constData(), n);
    }
    return bytes;
}

} // namespace fonts
