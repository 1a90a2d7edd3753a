// Child process for the install tests: runs the font copy under a file-size limit, so the copy
// fails part-way the way a full disk would make it fail. Arguments: source, folder, file name,
// limit in bytes. Exit status 0 when the copy reported success, 1 when it reported a failure.
#include "fonts/install.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

#include <csignal>
#include <sys/resource.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5)
        return 2;
    // Past the limit a write fails with EFBIG instead of the process being killed.
    std::signal(SIGXFSZ, SIG_IGN);
    const rlim_t limit = args[4].toULongLong();
    const rlimit rl{limit, limit};
    if (setrlimit(RLIMIT_FSIZE, &rl) != 0)
        return 3;
    const fonts::CopyResult r = fonts::copyFontFile(args[1], args[2], args[3]);
    std::printf("%d %s\n", static_cast<int>(r.error), qPrintable(r.detail));
    return r.ok() ? 0 : 1;
}
