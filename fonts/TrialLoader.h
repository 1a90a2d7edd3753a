#pragma once

#include "fonts/FaceCollection.h"
#include "fonts/FontTable.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace fonts {

// The font browser's trial loading, apart from any window: the faces installed when the
// browser opened, the one font file added to the font table for trial, and the face it gave.
class TrialLoader
{
public:
    // Works on the given table; by default the program's own (FontTable::instance()).
    explicit TrialLoader(FontTable *table = nullptr);

    // The installed-fonts pass: every face the table lists now, in its order, is recorded in
    // installedFontNames (a letter-case variant of one recorded already is not recorded
    // again). Returns the faces, each as listed, for the installed-fonts list.
    QStringList recordInstalledFaces();
    const FaceCollection &installedFontNames() const { return installedFontNames_; }

    // A click in the file list: the trial file leaves the table, `path` becomes the trial file,
    // is read, goes into the table, the table is notified and the face looked up. Returns that
    // face; "" when the file gave none (the invalid-file message).
    QString load(const QString &path);
    // The same for the trial file there is, read again: a click that selected no file.
    QString reload() { return load(trialFontFile_); }
    const QString &trialFontFile() const { return trialFontFile_; }
    // What the trial file held when it was read for the table: the bytes the preview shows and
    // Install writes, whatever the file holds by then. Empty when it could not be read.
    const QByteArray &trialFontBytes() const { return trialFontBytes_; }
    // The face the last load gave; "" before the first load and after one that gave none.
    const QString &face() const { return face_; }

    // The first face the table lists now that installedFontNames does not hold (letter case
    // aside); "" when every face is known. Looks only at the faces the trial file brought once
    // the installed faces are recorded.
    QString getNewFontName() const;

    // The family name that draws a face: a trial face's own family; for any other face, the
    // face itself (fonts::familyToDraw).
    QString familyToDraw(const QString &face) const;

    // The browser closes: the trial file leaves the table (an empty path too, which changes
    // nothing) without a notification, and installedFontNames is emptied.
    void unload();

private:
    FontTable &table() const;

    FontTable *table_;
    FaceCollection installedFontNames_;
    QString trialFontFile_;
    QByteArray trialFontBytes_;
    QList<TrialFace> trialFaces_; // what the trial file brought to the table
    QString face_;
    bool recorded_ = false; // installedFontNames holds the table's installed faces
};

} // namespace fonts
