#pragma once

#include "fonts/registry.h"

#include <QString>

// Installing the trial-loaded font: the copy into the fonts folder and the registry value.
namespace fonts {

// Where installed fonts are registered, under HKEY_LOCAL_MACHINE.
inline constexpr char kFontsRegistryKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts\\";

enum class CopyError {
    None,
    BadName,      // empty, "." or "..", or a name holding a folder separator
    NoSource,     // nothing to write: the trial file could not be read
    NoFolder,     // the folder is missing and can't be created
    CannotWrite,  // the temporary file can't be written or renamed over the destination
};

struct CopyResult
{
    CopyError error = CopyError::None;
    QString destination; // the full path the file has (or would have had) in the folder
    QString detail;
    bool ok() const { return error == CopyError::None; }
};

// Writes `bytes` into `folder` (created with its parents when missing) as `fileName`. The bytes
// go to a temporary file in that folder which is then renamed over any file of that name, so a
// write that fails part-way leaves the old file whole and no temporary file behind; a link there
// is written through.
CopyResult saveFontFile(const QByteArray &bytes, const QString &folder, const QString &fileName);

// The name the install copies and registers a file under: its own name without surrounding blanks.
QString installName(const QString &trialFontFile);

enum class InstallOutcome {
    NoTrialFile,    // nothing trial-loaded: beep
    NoFaceName,     // empty face-name box: stop without a beep
    InvalidFont,    // the face-name box shows no face of the trial file (the invalid-file
                    // message, or a name typed over it): beep, nothing copied
    NameRefused,    // the registry cannot hold the value's name: beep, nothing copied
    NameTaken,      // a font of another face has the file's name in the fonts folder: beep,
                    // nothing copied, since overwriting it would destroy an installed font
    CopyFailed,     // silently stopped before the registry; the cause in copy.detail
    RegistryFailed, // copied, but the registry refused the value; the cause in registry.detail
    Installed,      // copied and registered
};

struct InstallResult
{
    InstallOutcome outcome = InstallOutcome::NoTrialFile;
    CopyResult copy;
    registry::Result registry;
};

// The install command without its window: writes `bytes`, what `trialFontFile` held when it was
// previewed, into `fontFolder` under installName() and registers it as `faceText` +
// " (TrueType)". Refusals stop it before the write, so a font never sits in the fonts folder
// unregistered for it, and never replaces a font of another face.
InstallResult installTrialFont(const QString &trialFontFile, const QByteArray &bytes, const QString &faceText,
                               const QString &fontFolder);

inline bool beepsFor(InstallOutcome o)
{
    return o == InstallOutcome::NoTrialFile || o == InstallOutcome::InvalidFont || o == InstallOutcome::NameRefused
        || o == InstallOutcome::NameTaken;
}

} // namespace fonts
