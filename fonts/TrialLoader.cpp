#include "fonts/TrialLoader.h"

#include "fonts/FontTable.h"
#include "fonts/faces.h"

#include <QFontDatabase>

namespace fonts {

TrialLoader::TrialLoader(FontTable *table)
    : table_(table)
{
}

FontTable &TrialLoader::table() const
{
    // Asked each time: the program's table is made on first use, after fontconfig is set up.
    return table_ ? *table_ : FontTable::instance();
}

QStringList TrialLoader::recordInstalledFaces()
{
    const FontTable &t = table();
    const int n = t.count();
    QStringList faces;
    faces.reserve(n);
    installedFontNames_.reserve(installedFontNames_.count() + n);
    for (int i = 0; i < n; ++i) {
        const QString face = t.face(i);
        installedFontNames_.add(face, face);
        faces.append(face);
    }
    recorded_ = true;
    return faces;
}

QString TrialLoader::load(const QString &path)
{
    FontTable &t = table();
    t.remove(trialFontFile_);
    trialFontFile_ = path;
    trialFontBytes_ = readFontFile(trialFontFile_).value_or(QByteArray());
    trialFaces_ = t.add(trialFontFile_, trialFontBytes_);
    t.notify();
    face_ = getNewFontName();
    return face_;
}

QString TrialLoader::getNewFontName() const
{
    // The table's installed faces stay those it started with, so once they are recorded only a
    // face the trial file brought can be new: the first of those in the table's order is the
    // full scan's answer.
    if (!recorded_)
        return firstNewFace(table(), installedFontNames_);
    QString first;
    for (const TrialFace &face : trialFaces_) {
        if (!face.name.isEmpty() && !installedFontNames_.contains(face.name)
            && (first.isEmpty() || face.name.compare(first, Qt::CaseInsensitive) < 0))
            first = face.name;
    }
    return first;
}

QString TrialLoader::familyToDraw(const QString &face) const
{
    if (!installedFontNames_.contains(face)) {
        for (const TrialFace &trial : trialFaces_) {
            if (trial.name == face)
                return trial.family;
        }
    }
    // Only a face named like a generic family needs the list: most never cost it.
    return fonts::familyToDraw(face, isGenericFamily(face) ? QFontDatabase::families() : QStringList());
}

void TrialLoader::unload()
{
    table().remove(trialFontFile_);
    trialFaces_.clear();
    installedFontNames_.clear();
    recorded_ = false;
}

} // namespace fonts
