#include "base/datafolder.h"

#include "base/system.h"
#include "base/version.h"

#include <QDir>
#include <QFileInfo>

namespace Module1 {

QString getDataFolder()
{
    const QString path = platform::localAppDataFolder() + QDir::separator() + QStringLiteral(VEXLORA_APP_NAME)
                         + QDir::separator();
    if (!folderExists(path)) {
        // A fresh account may lack the parents too. A failure is not raised: the snooze
        // read then finds nothing and the write fails silently, as both already allow.
        QDir().mkpath(path);
    }
    return path;
}

bool folderExists(const QString &path)
{
    // A plain file of that name is not a folder, with or without the trailing separator.
    QString p = path;
    while (p.size() > 1 && (p.endsWith(QLatin1Char('/')) || p.endsWith(QDir::separator())))
        p.chop(1);
    if (p.isEmpty())
        return false;
    const QFileInfo info(p);
    return info.exists() && info.isDir();
}

} // namespace Module1
