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
    return faces;
}

QString TrialLoader::load(const QString &path)
{
    FontTable &t = table();
    t.remove(trialFontFile_);
    if (!path.isEmpty())
        trialFontFile_ = path;
    t.add(trialFontFile_);
    t.notify();
    face_ = getNewFontName();
    return face_;
}

QString TrialLoader::getNewFontName() const
{
    return firstNewFace(table(), installedFontNames_);
}

QString TrialLoader::familyToDraw(const QString &face) const
{
    return table().familyToDraw(face);
}

void TrialLoader::unload()
{
    table().remove(trialFontFile_);
    installedFontNames_.clear();
}

} // namespace fonts
