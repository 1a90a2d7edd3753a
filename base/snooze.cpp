#include "base/snooze.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <cmath>
#include <cstring>

namespace snooze {
namespace {

QDate epoch()
{
    return QDate(1899, 12, 30);
}

// The span of days the platform's date arithmetic accepts, as day numbers from the epoch.
qint64 firstDay()
{
    return epoch().daysTo(QDate(100, 1, 1));
}

qint64 lastDay()
{
    return epoch().daysTo(QDate(9999, 12, 31));
}

} // namespace

double decodeStored(QByteArrayView bytes)
{
    if (bytes.size() < kDateBytes)
        return 0.0;
    const quint64 bits = qFromLittleEndian<quint64>(bytes.data());
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

QDate dayOf(double stored)
{
    if (!std::isfinite(stored))
        return {};
    const double whole = std::trunc(stored);
    // Compared as doubles first: a huge value must not reach the integer conversion.
    if (whole < static_cast<double>(firstDay()) || whole > static_cast<double>(lastDay()))
        return {};
    return epoch().addDays(static_cast<qint64>(whole));
}

std::optional<qint64> daysBetween(double stored, const QDate &today)
{
    const QDate day = dayOf(stored);
    if (!day.isValid() || !today.isValid())
        return std::nullopt;
    return day.daysTo(today);
}

Decision decide(const std::optional<QByteArray> &head, const QDate &today)
{
    if (!head)
        return Decision::Show;
    const std::optional<qint64> n = daysBetween(decodeStored(*head), today);
    if (!n)
        return Decision::Skip;
    return (*n < 0 ? -*n : *n) < kDays ? Decision::Skip : Decision::Show;
}

QByteArray encodeDate(const QDate &day)
{
    if (!day.isValid())
        return {};
    const double value = static_cast<double>(epoch().daysTo(day));
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    QByteArray out(kDateBytes, '\0');
    qToLittleEndian(bits, out.data());
    return out;
}

QByteArray withDate(const QByteArray &existing, const QDate &day)
{
    const QByteArray head = encodeDate(day);
    if (head.isEmpty())
        return existing;
    return head + existing.mid(kDateBytes);
}

std::optional<QByteArray> readHead(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray head = file.read(kDateBytes);
    return head;
}

namespace {

bool writeInPlace(const QString &path, const QByteArray &head)
{
    QFile file(path);
    // ReadWrite neither truncates nor moves anything after the bytes written.
    if (!file.open(QIODevice::ReadWrite))
        return false;
    return file.seek(0) && file.write(head) == head.size() && file.flush();
}

} // namespace

bool writeDate(const QString &path, const QDate &day, qint64 wholeCopyLimit)
{
    const QByteArray head = encodeDate(day);
    if (head.isEmpty())
        return false;
    const QFileInfo info(path);
    QByteArray existing;
    if (info.exists()) {
        if (!info.isFile())
            return false;
        QFile old(path);
        if (info.size() > wholeCopyLimit || !old.open(QIODevice::ReadOnly))
            return writeInPlace(path, head);
        existing = old.readAll();
        if (old.error() != QFileDevice::NoError)
            return writeInPlace(path, head);
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    const QByteArray content = withDate(existing, day);
    if (out.write(content) != content.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

} // namespace snooze
