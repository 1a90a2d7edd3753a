// Child process for the registry tests: writes `count` values named <prefix>-<i> through the
// program's own writer, so two of these running at once contend for the same store.
#include "fonts/Module2.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    const QString prefix = args[1];
    const int count = args[2].toInt();
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        const registry::Result r = Module2::writeRegistryValue(
            Module2::HKEY_LOCAL_MACHINE, QStringLiteral("Software\\Vexlora Test\\Writers"),
            QStringLiteral("%1-%2").arg(prefix).arg(i), QStringLiteral("value %1").arg(i));
        if (!r.ok()) {
            ++failures;
            std::fprintf(stderr, "%s-%d: %s\n", qPrintable(prefix), i, qPrintable(r.detail));
        }
    }
    return failures == 0 ? 0 : 1;
}
