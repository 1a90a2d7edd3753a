#include "fonts/drives.h"

#include "fonts/listing.h"

#include <QSet>

#include <algorithm>

namespace fonts {

QString driveRoot(const QString &driveText, QChar separator)
{
    const qsizetype bracket = driveText.indexOf(QLatin1Char('['));
    QString root = (bracket >= 0 ? driveText.left(bracket) : driveText).trimmed();
    if (!root.endsWith(separator))
        root += separator;
    return root;
}

QString driveRoot(const QString &driveText)
{
    return driveRoot(driveText, separator());
}

namespace {

bool under(const QString &path, const QString &folder)
{
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

} // namespace

QList<Volume> browsableVolumes(const QList<Volume> &mounted)
{
    static const QSet<QByteArray> virtualTypes{
        "proc", "sysfs", "cgroup", "cgroup2", "devtmpfs", "devpts", "tmpfs", "ramfs", "securityfs",
        "debugfs", "tracefs", "configfs", "pstore", "bpf", "mqueue", "hugetlbfs", "fusectl",
        "binfmt_misc", "autofs", "efivarfs", "rpc_pipefs", "nsfs", "selinuxfs", "overlay",
        "squashfs", "fuse.gvfsd-fuse", "fuse.portal", "fuse.lxcfs", "none"};
    QList<Volume> kept;
    QSet<QString> roots;
    for (const Volume &v : mounted) {
        if (v.root.isEmpty() || !v.folder || roots.contains(v.root))
            continue;
        // The root is always browsable, whatever a live system or a container mounts there.
        if (v.root != QLatin1String("/")) {
            if (virtualTypes.contains(v.type))
                continue;
            if (under(v.root, QStringLiteral("/proc")) || under(v.root, QStringLiteral("/sys"))
                || under(v.root, QStringLiteral("/dev")) || under(v.root, QStringLiteral("/snap")))
                continue;
            if (under(v.root, QStringLiteral("/run")) && !under(v.root, QStringLiteral("/run/media")))
                continue;
        }
        roots.insert(v.root);
        kept.append(v);
    }
    std::sort(kept.begin(), kept.end(), [](const Volume &a, const Volume &b) { return a.root < b.root; });
    return kept;
}

QString volumeText(const Volume &volume)
{
    if (volume.label.isEmpty())
        return volume.root;
    return volume.root + QStringLiteral(" [") + volume.label + QLatin1Char(']');
}

int volumeOf(const QList<Volume> &volumes, const QString &folder)
{
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < volumes.size(); ++i) {
        const QString &root = volumes.at(i).root;
        const bool holds = root == QLatin1String("/") || under(folder, root);
        if (holds && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    return best;
}

} // namespace fonts
