#include "fonts/install.h"

#include "fonts/Module2.h"
#include "fonts/faces.h"
#include "fonts/system.h"

#include <QDir>
#include <QFile>
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

CopyResult failed(CopyError e, const QString &destination, const QString &why)
{
    return {e, destination, why};
}

} // namespace

CopyResult copyFontFile(const QString &source, const QString &folder, const QString &fileName)
{
    // An empty folder would make the destination relative to wherever the process happens to be.
    if (folder.isEmpty())
        return failed(CopyError::NoFolder, {}, QStringLiteral("no fonts folder"));
    if (!isPlainFileName(fileName))
        return failed(CopyError::BadName, {}, QStringLiteral("not a plain file name: %1").arg(fileName));
    const QDir dir(QDir::fromNativeSeparators(folder));
    const QString destination = dir.filePath(fileName);

    if (!QFileInfo(source).isFile())
        return failed(CopyError::NoSource, destination, QStringLiteral("no source file"));
    if (!QDir().mkpath(dir.absolutePath()))
        return failed(CopyError::NoFolder, destination, QStringLiteral("cannot create the fonts folder"));

    const QString sourceCanonical = QFileInfo(source).canonicalFilePath();
    const QString destinationCanonical = QFileInfo(destination).canonicalFilePath();
    if (!destinationCanonical.isEmpty() && sourceCanonical == destinationCanonical)
        return {CopyError::None, destination, QStringLiteral("already in place")};

    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return failed(CopyError::NoSource, destination, in.errorString());
    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly))
        return failed(CopyError::CannotWrite, destination, out.errorString());

    QByteArray buffer(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 n = in.read(buffer.data(), buffer.size());
        // The cause is read before the write is cancelled, which puts its own text in its place.
        if (n < 0) {
            const CopyResult r = failed(CopyError::ReadFailed, destination, in.errorString());
            out.cancelWriting();
            return r;
        }
        if (n == 0)
            break;
        if (out.write(buffer.constData(), n) != n) {
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

InstallResult installTrialFont(const QString &trialFontFile, const QString &faceText, const QString &fontFolder)
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
    // The message is not a face: installing under it would register a value named after it.
    if (faceText == QLatin1String(kInvalidFontFileText)) {
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
    r.copy = copyFontFile(trialFontFile, fontFolder, name);
    if (!r.copy.ok()) {
        r.outcome = InstallOutcome::CopyFailed;
        return r;
    }
    r.registry = Module2::writeRegistryValue(Module2::HKEY_LOCAL_MACHINE, QLatin1String(kFontsRegistryKey), valueName, name);
    r.outcome = r.registry.ok() ? InstallOutcome::Installed : InstallOutcome::RegistryFailed;
    return r;
}

} // namespace fonts
