#include "preview/charmap.h"

#include "base/numbers.h"
#include "base/units.h"
#include "preview/system.h"

#include <cmath>
#include <cstdint>

namespace preview {
namespace {

// Redraw goes back on however the fill ends.
class RedrawOff
{
public:
    explicit RedrawOff(CharGrid &grid) : grid_(grid) { grid_.setRedraw(false); }
    ~RedrawOff() { grid_.setRedraw(true); }
    RedrawOff(const RedrawOff &) = delete;
    RedrawOff &operator=(const RedrawOff &) = delete;

private:
    CharGrid &grid_;
};

} // namespace

bool pointSizeAccepted(double points)
{
    return std::isfinite(points) && points > 0 && points <= kMaxPointSize;
}

int cellTwips(double reportedPoints)
{
    if (!std::isfinite(reportedPoints) || std::fabs(reportedPoints) > 1e12)
        return 0;
    // In ten-thousandths of a point, then of a twip: integers from here on, so the half-way
    // case is exact (10.5 pt is 262.5 twips and goes to 262).
    const auto tenThousandths = static_cast<std::int64_t>(units::roundHalfEven(reportedPoints * 10000.0));
    const std::int64_t total = 25 * tenThousandths;
    std::int64_t q = total / 10000;
    std::int64_t rem = total % 10000;
    if (rem < 0) {
        rem += 10000;
        --q;
    }
    if (rem > 5000 || (rem == 5000 && q % 2 != 0))
        ++q;
    return static_cast<int>(q);
}

char16_t windows1252ToUnicode(unsigned char byte)
{
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
    };
    if (byte >= 0x80 && byte <= 0x9F)
        return high[byte - 0x80];
    return byte;
}

bool fillCharMap(CharGrid &grid, const QString &sizeText)
{
    if (!grid.setFontSize(numbers::sizeValue(sizeText)))
        return false;
    RedrawOff redraw(grid);
    if (!grid.setCols(16) || !grid.setRows(16))
        return false;
    if (!grid.setColWidth(0, kHeaderTwips) || !grid.setRowHeight(0, kHeaderTwips))
        return false;
    qint16 n = 0;
    for (int r = 1; r <= 15; ++r) {
        const int s = cellTwips(grid.fontSize());
        if (!grid.setColWidth(r, s) || !grid.setRowHeight(r, s))
            return false;
        for (int c = 1; c <= 15; ++c) {
            if (!grid.setCurrentCell(r, c) || !grid.setCellAlignment(Qt::AlignCenter)
                || !grid.setCellText(ansiText(n)))
                return false;
            ++n;
        }
    }
    return true;
}

} // namespace preview
