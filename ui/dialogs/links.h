#pragma once

#include <QString>
#include <QUrl>

// The web addresses the dialogs open. They come from the build settings, so a fork points them
// at its own pages without touching code.
namespace links {

// The page of the product the start-up window advertises.
QUrl productPage();

// The maker's home page ("index.php" on its site) and donation page ("donate.php"), each with
// the "from" field that names this program as the referrer.
QUrl homePage();
QUrl donationPage();

// The maker's site as the About box shows it: the bare address ("example.org"), without scheme,
// page or query.
QString siteText();

// Opens an address in the user's browser. Whether a browser started is not looked at: a link
// that leads nowhere changes nothing in the window that offered it.
void open(const QUrl &url);

} // namespace links
