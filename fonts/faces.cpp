#include "fonts/faces.h"

#include "fonts/FaceCollection.h"
#include "fonts/FontTable.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRawFont>
#include <QSet>

#include <algorithm>

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

QStringList screenFaces(const QStringList &qtFamilies)
{
    static const QSet<QString> generic{QStringLiteral("Sans Serif"), QStringLiteral("Serif"),
                                       QStringLiteral("Monospace")};
    QStringList faces;
    faces.reserve(qtFamilies.size());
    const bool anyFoundry = std::any_of(qtFamilies.begin(), qtFamilies.end(),
                                        [](const QString &f) { return f.endsWith(QLatin1Char(']')); });
    if (!anyFoundry) { // the usual case: Qt's names are unique already
        for (const QString &family : qtFamilies) {
            if (!generic.contains(family))
                faces.append(family);
        }
        return faces;
    }

    QHash<QString, int> stems;
    stems.reserve(qtFamilies.size());
    for (const QString &family : qtFamilies)
        ++stems[stemOf(family)];
    QSet<QString> seen;
    seen.reserve(qtFamilies.size());
    for (const QString &family : qtFamilies) {
        const QString stem = stemOf(family);
        const QString face = stems.value(stem) > 1 ? stem : family;
        if (generic.contains(face) || seen.contains(face))
            continue;
        seen.insert(face);
        faces.append(face);
    }
    return faces;
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

QString ownFamilyName(const QString &path)
{
    // Only a plain file: reading a pipe or a device named "x.ttf" would never end.
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Mapped rather than read, so a huge file costs only the pages the engine looks at.
    const qint64 size = file.size();
    if (size <= 0)
        return {};
    if (uchar *mapped = file.map(0, size)) {
        QString family;
        {
            const QRawFont raw(QByteArray::fromRawData(reinterpret_cast<const char *>(mapped),
                                                       static_cast<qsizetype>(size)),
                               12);
            family = raw.familyName();
        } // the engine lets go of the bytes before they are unmapped
        file.unmap(mapped);
        return family;
    }
    return QRawFont(file.readAll(), 12).familyName();
}

} // namespace fonts
