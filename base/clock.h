#pragma once

#include <QDate>

// Today's date as the dialogs see it. Everything that asks for "today" goes through here, so a
// test can pin the calendar to a chosen day.
namespace Clock {

// The local date now, or the date a test pinned.
QDate today();

// Pins today() to day; an invalid date returns to the real calendar.
void setToday(const QDate &day);

} // namespace Clock
