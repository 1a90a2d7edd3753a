#include "ui/dialogs/links.h"

#include <QDesktopServices>
#include <QUrlQuery>

namespace links {
namespace {

QUrl sitePage(const QString &page)
{
    QString base = QStringLiteral(VEXLORA_HOME_URL);
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    QUrl url(base + page);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("from"), QStringLiteral(VEXLORA_FROM));
    url.setQuery(query);
    return url;
}

} // namespace

QUrl productPage()
{
    return QUrl(QStringLiteral(VEXLORA_PRODUCT_URL));
}

QUrl homePage()
{
    return sitePage(QStringLiteral("index.php"));
}

QUrl donationPage()
{
    return sitePage(QStringLiteral("donate.php"));
}

QString siteText()
{
    // As people write a site's address: no scheme, no closing slash.
    const QUrl home(QStringLiteral(VEXLORA_HOME_URL));
    if (home.host().isEmpty())
        return home.toString();
    QString text = home.host(QUrl::PrettyDecoded);
    if (home.port() != -1)
        text += QLatin1Char(':') + QString::number(home.port());
    QString path = home.path(QUrl::PrettyDecoded);
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return text + path;
}

void open(const QUrl &url)
{
    QDesktopServices::openUrl(url);
}

} // namespace links
