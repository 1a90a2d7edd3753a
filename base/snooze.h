#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>

#include <optional>

// The snooze file of the advertisement window: one little-endian IEEE 754 double at offset 0,
// an OLE Automation date (days since 30 December 1899). Anything after the first 8 bytes is
// not ours: it is never read and never changed.
namespace snooze {

// The file's name inside the per-user data folder.
inline constexpr char16_t kFileName[] = u"noads.vxl";
inline constexpr qsizetype kDateBytes = 8;
// A snooze holds while the stored date is fewer than this many days from today, either side.
inline constexpr qint64 kDays = 15;

// The stored value: the first 8 bytes as a little-endian double. Fewer than 8 bytes leave it
// at zero (30 December 1899).
double decodeStored(QByteArrayView bytes);

// The calendar day of an OLE Automation date. The whole part, truncated toward zero, counts
// days from 30 December 1899 in either direction; the fraction is a time of day and does not
// move the day (-1.25 is 29 December 1899, 6 a.m.). Invalid for NaN, the infinities and days
// outside 1 January 100 to 31 December 9999.
QDate dayOf(double stored);

// Whole calendar days from the stored day to today (negative when it lies ahead); empty when
// the stored value holds no day.
std::optional<qint64> daysBetween(double stored, const QDate &today);

enum class Decision { Show, Skip };

// Whether the advertisement is shown. head holds the file's first bytes, or is empty when the
// file could not be opened. A value that holds no day counts as a snooze in force.
Decision decide(const std::optional<QByteArray> &head, const QDate &today);

// The 8 bytes that store day at midnight; empty for an invalid day.
QByteArray encodeDate(const QDate &day);

// What the file holds after writing day's 8 bytes at offset 0 over existing.
QByteArray withDate(const QByteArray &existing, const QDate &day);

// The first 8 bytes of the file (fewer when it is shorter), or empty when it cannot be opened.
std::optional<QByteArray> readHead(const QString &path);

// Stores day at offset 0, creating the file when it is missing and keeping every byte after
// the first 8. Up to wholeCopyLimit bytes the file is replaced as a whole (a new copy renamed
// over the old one), so a crash leaves either the old or the new content; a longer file, or
// one that cannot be read, gets its 8 bytes written in place. False when nothing was stored.
bool writeDate(const QString &path, const QDate &day, qint64 wholeCopyLimit = 1 << 20);

} // namespace snooze
