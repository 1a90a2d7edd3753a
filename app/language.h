#pragma once

#include <QString>
#include <QStringList>

// The program speaks the person's language where it has a catalogue for it, and English,
// its own, everywhere else.
namespace language {

// The first of the person's languages, most wanted first ("de-DE", "fr", "C"), that the program
// speaks: a shipped catalogue's name ("de" or "de_DE"), or empty for English. English counts
// among them, so "en:de" stays English, and a region the program lacks falls back to its
// language.
QString choose(const QStringList &uiLanguages, const QStringList &shipped);

// The languages of the catalogues built into the program.
QStringList shipped();

// Installs the catalogues of the system locale's language before any window is made: the
// program's own and Qt's (its context menus and standard buttons), in one language, so no
// window mixes two. Returns the language, empty when the program stays English; a missing
// Qt catalogue leaves Qt's texts English.
QString install();

} // namespace language
