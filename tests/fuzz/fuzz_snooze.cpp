// The snooze file's reader: any head of the file, seen from any day.
#include "base/snooze.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    // The first two bytes pick the day the program runs on, the rest is the file.
    const QDate today = QDate(1899, 12, 30).addDays((data[0] << 8 | data[1]) * 61);
    const QByteArray head(reinterpret_cast<const char *>(data + 2), static_cast<qsizetype>(size - 2));
    snooze::decide(head, today);
    const QDate day = snooze::dayOf(snooze::decodeStored(head));
    if (day.isValid() && snooze::dayOf(snooze::decodeStored(snooze::encodeDate(day))) != day)
        __builtin_trap();
    return 0;
}
