#include "app/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace language {

namespace {
const QString kCatalogues = QStringLiteral(":/i18n/");
const QString kPrefix = QStringLiteral("vexlora_");
const QString kSuffix = QStringLiteral(".qm");

bool installCatalogue(const QString &name, const QString &folder)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(name, folder) && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}
} // namespace

QString choose(const QStringList &uiLanguages, const QStringList &shipped)
{
    for (QString tag : uiLanguages) {
        tag.replace(QLatin1Char('-'), QLatin1Char('_'));
        const QString base = tag.section(QLatin1Char('_'), 0, 0);
        if (base.compare(QLatin1String("en"), Qt::CaseInsensitive) == 0 || tag == QLatin1String("C"))
            return {};
        for (const QString &candidate : {tag, base})
            if (shipped.contains(candidate))
                return candidate;
    }
    return {};
}

QStringList shipped()
{
    QStringList languages;
    for (const QString &file : QDir(kCatalogues).entryList({kPrefix + QLatin1Char('*') + kSuffix}, QDir::Files))
        languages.append(file.mid(kPrefix.size(), file.size() - kPrefix.size() - kSuffix.size()));
    return languages;
}

QString install()
{
    const QString chosen = choose(QLocale::system().uiLanguages(), shipped());
    if (chosen.isEmpty() || !installCatalogue(kPrefix + chosen + kSuffix, kCatalogues))
        return {};
    // QTranslator looks for qtbase_de_DE, then qtbase_de.
    installCatalogue(QStringLiteral("qtbase_") + chosen, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return chosen;
}

} // namespace language
