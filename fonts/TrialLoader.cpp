#include "fonts/TrialLoader.h"

#include "fonts/FontTable.h"
#include "fonts/faces.h"

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

QStringList TrialLoader::takeInstalledFaces()
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
    if (!path.isEmpty())
        trialFontFile_ = path;
    trialFontBytes_ = readFontFile(trialFontFile_).value_or(QByteArray());
    t.add(trialFontFile_, trialFontBytes_);
    t.notify();
    face_ = getNewFontName();
    return face_;
}

QString TrialLoader::getNewFontName() const
{
    // The table's installed faces stay those it started with, so once they are recorded only a
    // face the trial file brought can be new: the first of those is the full scan's answer.
    const FontTable &t = table();
    if (!recorded_)
        return firstNewFace(t, installedFontNames_);
    for (const QString &face : t.addedFaces()) {
        if (!installedFontNames_.contains(face))
            return face;
    }
    return {};
}

QString TrialLoader::familyToDraw(const QString &face) const
{
    return table().familyToDraw(face);
}

void TrialLoader::unload()
{
    table().remove(trialFontFile_);
    installedFontNames_.clear();
    recorded_ = false;
}

} // namespace fonts
