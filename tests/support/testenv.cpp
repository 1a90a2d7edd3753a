#include "support/testenv.h"

#include <QTemporaryDir>

namespace testenv {
namespace {
QTemporaryDir *root = nullptr;
} // namespace

QString home() { return root ? root->path() : QString(); }
QString committedFontsDir() { return QStringLiteral(VEXLORA_TEST_FONTS); }
QStringList standardFonts() { return {"arial.ttf", "tahoma.ttf", "alpha.ttf", "beta.ttf", "gamma.ttf"}; }

void prepare(const QStringList &fontFiles, bool seeFontsFolder)
{
    root = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/vexlora-test-XXXXXX"));
    const QString top = root->path();
    for (const char *sub : {"data", "config", "cache", "runtime", "installed-fonts"})
        QDir(top).mkpath(QLatin1String(sub));
    QFile::setPermissions(top + "/runtime", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    for (const QString &f : fontFiles) {
        if (!QFile::copy(committedFontsDir() + '/' + f, top + "/installed-fonts/" + f))
            qFatal("test font %s is missing", qPrintable(f));
    }
    // Only the chosen fonts (and, where asked, Install's fonts folder): no system or user fonts,
    // no aliases from the system's conf.d but one of ours, for a face the windows name.
    writeBytes(top + "/fonts.conf", QStringLiteral("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
                                                   "<fontconfig><dir>%1/installed-fonts</dir>%2<cachedir>%1/cache/fontconfig</cachedir>\n"
                                                   "<alias binding=\"same\"><family>MS Sans Serif</family><accept><family>Beta Serif</family></accept></alias></fontconfig>\n")
                                        .arg(top.toHtmlEscaped(), seeFontsFolder ? QStringLiteral("<dir>%1/data/fonts</dir>").arg(top.toHtmlEscaped()) : QString())
                                        .toUtf8());
    for (const auto &[name, sub] : {std::pair{"HOME", ""}, {"XDG_DATA_HOME", "/data"}, {"XDG_CONFIG_HOME", "/config"},
                                    {"XDG_CACHE_HOME", "/cache"}, {"XDG_RUNTIME_DIR", "/runtime"}, {"FONTCONFIG_FILE", "/fonts.conf"}})
        qputenv(name, QFile::encodeName(top + QLatin1String(sub)));
    qunsetenv("FONTCONFIG_PATH");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QDir::setCurrent(top); // the drive list shows the volume of the current folder
}

QString freshDir(const QString &stem)
{
    static int n = 0;
    const QString path = home() + QStringLiteral("/work/%1-%2").arg(stem).arg(++n);
    QDir().mkpath(path);
    return path;
}

QString copyFont(const QString &fontFile, const QString &dir, const QString &newName)
{
    const QString target = dir + '/' + (newName.isEmpty() ? fontFile : newName);
    if (!QFile::copy(committedFontsDir() + '/' + fontFile, target))
        return {};
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return target;
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace testenv
