#include "fonts/listing.h"

#include <QDir>

#include <algorithm>

namespace fonts {

QChar separator()
{
    return QDir::separator();
}

bool isFontFileName(const QString &name)
{
    return name.endsWith(QLatin1String(".ttf"), Qt::CaseInsensitive);
}

namespace {

char32_t upper(char16_t c)
{
    if (c < 0x80)
        return (c >= u'a' && c <= u'z') ? c - (u'a' - u'A') : c;
    return QChar::toUpper(char32_t(c));
}

} // namespace

int compareNames(const QString &a, const QString &b)
{
    // Unit by unit, upper-casing only where the two differ: names in one folder share long
    // beginnings, and nothing is allocated.
    const qsizetype n = qMin(a.size(), b.size());
    const QChar *pa = a.constData();
    const QChar *pb = b.constData();
    for (qsizetype i = 0; i < n; ++i) {
        if (pa[i] == pb[i])
            continue;
        const char32_t ua = upper(pa[i].unicode());
        const char32_t ub = upper(pb[i].unicode());
        if (ua != ub)
            return ua < ub ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return 0;
}

void sortNames(QStringList &names)
{
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = compareNames(a, b);
        return c != 0 ? c < 0 : a < b;
    });
}

} // namespace fonts
