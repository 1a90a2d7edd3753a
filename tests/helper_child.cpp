// The child processes the tests start, a role per first argument:
//   copy SOURCE FOLDER NAME LIMIT  the font copy under a file-size limit, as a full disk fails it
//   write PREFIX COUNT             registry values PREFIX-<i>, contending with other writers
//   trial-and-wait FOLDER FILE     FILE clicked, its face printed, then waits to be killed (or exits)
#include "support/testwindows.h"

#include "fonts/Module2.h"
#include "fonts/faces.h"
#include "fonts/install.h"

#include <csignal>
#include <cstdio>
#include <sys/resource.h>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.value(1) == QLatin1String("copy") && args.size() == 6) {
        std::signal(SIGXFSZ, SIG_IGN); // past the limit a write fails with EFBIG instead
        const rlim_t limit = args[5].toULongLong();
        const rlimit rl{limit, limit};
        if (setrlimit(RLIMIT_FSIZE, &rl) != 0)
            return 3;
        const fonts::CopyResult r = fonts::saveFontFile(fonts::readFontFile(args[2]).value_or(QByteArray()), args[3], args[4]);
        std::printf("%d %s\n", static_cast<int>(r.error), qPrintable(r.detail));
        return r.ok() ? 0 : 1;
    }
    if (args.value(1) == QLatin1String("write") && args.size() == 4) {
        int failures = 0;
        for (int i = 0; i < args[3].toInt(); ++i) {
            const registry::Result r = Module2::writeRegistryValue(Module2::HKEY_LOCAL_MACHINE, QStringLiteral("Software\\Vexlora Test\\Writers"),
                                                                   args[2] + '-' + QString::number(i), QStringLiteral("value %1").arg(i));
            if (!r.ok() && ++failures)
                std::fprintf(stderr, "%s-%d: %s\n", qPrintable(args[2]), i, qPrintable(r.detail));
        }
        return failures == 0 ? 0 : 1;
    }
    // A trial load, then waiting to be killed, or leaving as a window closes.
    if ((args.value(1) == QLatin1String("trial-and-wait") || args.value(1) == QLatin1String("trial-and-exit")) && args.size() == 4) {
        testenv::MainWindow win;
        win.listFolder(args[2]);
        win.clickFile(args[3]);
        std::printf("%s\n", qPrintable(win.faceName()));
        std::fflush(stdout);
        return args[1] == QLatin1String("trial-and-exit") ? 0 : app.exec();
    }
    return 2;
}
