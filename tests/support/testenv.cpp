#include "testenv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

namespace testenv {
namespace {

std::unique_ptr<QTemporaryDir> &root()
{
    static std::unique_ptr<QTemporaryDir> dir;
    return dir;
}

void setEnv(const char *name, const QString &value)
{
    qputenv(name, QFile::encodeName(value));
}

} // namespace

QString committedFontsDir()
{
    return QStringLiteral(VEXLORA_TEST_FONTS);
}

QString home()
{
    return root() ? root()->path() : QString();
}

QStringList standardFonts()
{
    return {QStringLiteral("arial.ttf"), QStringLiteral("tahoma.ttf"), QStringLiteral("alpha.ttf"),
            QStringLiteral("beta.ttf"), QStringLiteral("gamma.ttf")};
}

void prepare(const QStringList &fontFiles)
{
    root() = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/vexlora-test-XXXXXX"));
    if (!root()->isValid())
        qFatal("cannot create a temporary home");
    const QString top = root()->path();
    QDir(top).mkpath(QStringLiteral("data"));
    QDir(top).mkpath(QStringLiteral("config"));
    QDir(top).mkpath(QStringLiteral("cache"));
    QDir(top).mkpath(QStringLiteral("runtime"));
    QDir(top).mkpath(QStringLiteral("installed-fonts"));
    QFile::setPermissions(top + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    const QString fontDir = top + QStringLiteral("/installed-fonts");
    for (const QString &f : fontFiles) {
        if (!QFile::copy(committedFontsDir() + QLatin1Char('/') + f, fontDir + QLatin1Char('/') + f))
            qFatal("test font %s is missing", qPrintable(f));
    }

    // Only the chosen fonts: no system or user font folders, no aliases from the system's conf.d.
    const QString conf = top + QStringLiteral("/fonts.conf");
    QFile c(conf);
    if (!c.open(QIODevice::WriteOnly))
        qFatal("cannot write fonts.conf");
    c.write(QStringLiteral("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
                           "<fontconfig>\n  <dir>%1</dir>\n  <cachedir>%2</cachedir>\n</fontconfig>\n")
                .arg(fontDir.toHtmlEscaped(), (top + QStringLiteral("/cache/fontconfig")).toHtmlEscaped())
                .toUtf8());
    c.close();

    setEnv("HOME", top);
    setEnv("XDG_DATA_HOME", top + QStringLiteral("/data"));
    setEnv("XDG_CONFIG_HOME", top + QStringLiteral("/config"));
    setEnv("XDG_CACHE_HOME", top + QStringLiteral("/cache"));
    setEnv("XDG_RUNTIME_DIR", top + QStringLiteral("/runtime"));
    setEnv("FONTCONFIG_FILE", conf);
    qunsetenv("FONTCONFIG_PATH");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Start in a known folder: the drive list shows the volume of the current folder.
    QDir::setCurrent(top);
}

QString makeDir(const QString &name)
{
    const QString path = home() + QStringLiteral("/work/") + name;
    QDir().mkpath(path);
    return path;
}

QString copyFont(const QString &fontFile, const QString &dir, const QString &newName)
{
    const QString target = dir + QLatin1Char('/') + (newName.isEmpty() ? fontFile : newName);
    QFile::remove(target);
    if (!QFile::copy(committedFontsDir() + QLatin1Char('/') + fontFile, target))
        return {};
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return target;
}

} // namespace testenv
