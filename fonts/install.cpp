#include "fonts/install.h"

#include "fonts/Module2.h"
#include "fonts/faces.h"
#include "fonts/sfnt.h"
#include "fonts/system.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace fonts {
namespace {

bool isPlainFileName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    return std::none_of(name.cbegin(), name.cend(), isNameSeparator);
}

// Where a file of that name goes in the fonts folder.
QString destinationIn(const QString &folder, const QString &fileName)
{
    return QDir(QDir::fromNativeSeparators(folder)).filePath(fileName);
}

CopyResult failed(CopyError e, const QString &destination, const QString &why)
{
    return {e, destination, why};
}

} // namespace

CopyResult saveFontFile(const QByteArray &bytes, const QString &folder, const QString &fileName)
{
    // An empty folder would make the destination relative to wherever the process happens to be.
    if (folder.isEmpty())
        return failed(CopyError::NoFolder, {}, QStringLiteral("no fonts folder"));
    if (!isPlainFileName(fileName))
        return failed(CopyError::BadName, {}, QStringLiteral("not a plain file name: %1").arg(fileName));
    const QString destination = destinationIn(folder, fileName);

    if (bytes.isEmpty())
        return failed(CopyError::NoSource, destination, QStringLiteral("nothing was read from the trial file"));
    if (!QDir().mkpath(QFileInfo(destination).absolutePath()))
        return failed(CopyError::NoFolder, destination, QStringLiteral("cannot create the fonts folder"));

    QSaveFile out(destination);
    // Unbuffered, so that a write the disk refuses fails with its own cause, not later at commit.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(CopyError::CannotWrite, destination, out.errorString());
    // In pieces: a piece the disk takes only in part says no cause; the next one fails with it.
    constexpr qsizetype kPiece = 64 * 1024;
    for (qsizetype at = 0; at < bytes.size(); at += kPiece) {
        const qsizetype n = std::min(kPiece, bytes.size() - at);
        if (out.write(bytes.constData() + at, n) != n) {
            // The cause is read before the write is cancelled, which puts its own text in its place.
            const CopyResult r = failed(CopyError::CannotWrite, destination, out.errorString());
            out.cancelWriting();
            return r;
        }
    }
    if (!out.commit())
        return failed(CopyError::CannotWrite, destination, out.errorString());
    return {CopyError::None, destination, {}};
}

QString installName(const QString &trialFontFile)
{
    return QFileInfo(trialFontFile).fileName().trimmed();
}

namespace {

// Whether the file `name` in the fonts folder is a font of a face other than `face`. Then the
// write would destroy an installed font, whose registry value would go on naming a file that
// holds another. The same file, or a new version of the same face, may replace it; so may
// what is no font at all.
bool holdsAnotherFace(const QString &fontFolder, const QString &name, const QString &face)
{
    const QString destination = destinationIn(fontFolder, name);
    if (!QFileInfo(destination).isFile())
        return false;
    const QStringList faces = sfnt::windowsFamilies(readFontFile(destination).value_or(QByteArray()));
    return std::any_of(faces.cbegin(), faces.cend(), [](const QString &f) { return !f.isEmpty(); })
        && !faces.contains(face, Qt::CaseInsensitive);
}

} // namespace

InstallResult installTrialFont(const QString &trialFontFile, const QByteArray &bytes, const QString &faceText,
                               const QString &fontFolder)
{
    InstallResult r;
    if (trialFontFile.isEmpty()) {
        r.outcome = InstallOutcome::NoTrialFile;
        return r;
    }
    if (faceText.isEmpty()) {
        r.outcome = InstallOutcome::NoFaceName;
        return r;
    }
    // Only a face the file has: neither the invalid-file message nor a name typed over the face.
    if (!sfnt::windowsFamilies(bytes).contains(faceText)) {
        r.outcome = InstallOutcome::InvalidFont;
        return r;
    }
    // Source, destination name and registered name all come from the trial file itself, so they
    // can't disagree whatever the file list shows by now.
    const QString name = installName(trialFontFile);
    const QString valueName = faceText + QStringLiteral(" (TrueType)");
    if (!Module2::canSaveRegistryValue(QLatin1String(kFontsRegistryKey), valueName)) {
        r.outcome = InstallOutcome::NameRefused;
        return r;
    }
    if (holdsAnotherFace(fontFolder, name, faceText)) {
        r.outcome = InstallOutcome::NameTaken;
        return r;
    }
    r.copy = saveFontFile(bytes, fontFolder, name);
    if (!r.copy.ok()) {
        r.outcome = InstallOutcome::CopyFailed;
        return r;
    }
    r.registry = Module2::writeRegistryValue(Module2::HKEY_LOCAL_MACHINE, QLatin1String(kFontsRegistryKey), valueName, name);
    r.outcome = r.registry.ok() ? InstallOutcome::Installed : InstallOutcome::RegistryFailed;
    return r;
}

} // namespace fonts
