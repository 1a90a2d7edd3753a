#include "ui/main/layout.h"

#include "base/units.h"

#include <limits>

namespace {

// Larger sizes than a widget can take count as out of range, as negative ones do.
constexpr long long kMaxLength = 16777215LL * units::kTwipsPerPixel;

// The layout's four whole numbers; its inputs are whole twips, so the result always fits.
long long rounded(double value)
{
    return static_cast<long long>(units::roundHalfEven(value));
}

bool validLength(long long v)
{
    return v >= 0 && v <= kMaxLength;
}

bool validPosition(long long v)
{
    return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max();
}

// Each setter is one step of its pass: it either takes the value or leaves the old one.
void setLeft(TwipRect &r, long long v)
{
    if (validPosition(v))
        r.left = static_cast<int>(v);
}
void setTop(TwipRect &r, long long v)
{
    if (validPosition(v))
        r.top = static_cast<int>(v);
}
void setWidth(TwipRect &r, long long v)
{
    if (validLength(v))
        r.width = static_cast<int>(v);
}
void setHeight(TwipRect &r, long long v)
{
    if (validLength(v))
        r.height = static_cast<int>(v);
}

} // namespace

WindowGeometry WindowGeometry::designTime()
{
    WindowGeometry g;
    g.tsType = {60, 540, 10215, 3795};
    g.picBrowse = {180, 960, 8895, 2895};
    g.picInst = {1260, 4740, 5175, 1395};
    g.tsPreview = {120, 5580, 8235, 3495};
    g.txPreview = {180, 5940, 8115, 3075};
    g.flxPreview = {8880, 5400, 2715, 1815};
    g.Drive1 = {0, 0, 4275, 315};
    g.Dir1 = {0, 360, 4275, 2415};
    g.File1 = {4320, 0, 4515, 2415};
    g.txFontName = {4320, 2460, 4515, 285};
    g.lstInst = {60, 60, 4935, 1155};
    g.lstInstColumn = 4935 - 640;
    return g;
}

void layoutWindow(WindowGeometry &g, int width, int height, int toolbarHeight)
{
    const long long A = rounded(width / 2.0 - 90);
    const long long B = rounded((static_cast<double>(height) - toolbarHeight) / 2.0 - 120);
    const long long T = toolbarHeight;

    setWidth(g.tsType, 2 * A + 30);
    setHeight(g.tsType, B);

    setWidth(g.picBrowse, g.tsType.width - 240LL);
    setHeight(g.picBrowse, g.tsType.height - 600LL);
    layoutBrowsePane(g);

    setLeft(g.picInst, g.picBrowse.left);
    setTop(g.picInst, g.picBrowse.top);
    setWidth(g.picInst, g.picBrowse.width);
    setHeight(g.picInst, g.picBrowse.height);
    layoutInstPane(g);

    setLeft(g.tsPreview, 60);
    setTop(g.tsPreview, T + B + 180);
    setWidth(g.tsPreview, 2 * A + 30);
    setHeight(g.tsPreview, B);

    setLeft(g.txPreview, 120);
    setTop(g.txPreview, g.tsPreview.top + 400LL);
    setWidth(g.txPreview, g.tsPreview.width - 180LL);
    setHeight(g.txPreview, g.tsPreview.height - 600LL);

    g.flxPreview = g.txPreview;
}

void layoutBrowsePane(WindowGeometry &g)
{
    const long long C = rounded(g.picBrowse.width / 2.0 - 60);
    const long long D = rounded(g.picBrowse.height - 60.0);

    setWidth(g.Drive1, C);
    setWidth(g.Dir1, C);
    setWidth(g.File1, C);
    setLeft(g.File1, C + 120);
    setHeight(g.File1, D - g.txFontName.height);
    setHeight(g.Dir1, D - g.Drive1.height);
    setLeft(g.txFontName, C + 120);
    setTop(g.txFontName, static_cast<long long>(g.File1.top) + g.File1.height + 60);
    setWidth(g.txFontName, C);
}

void layoutInstPane(WindowGeometry &g)
{
    g.lstInst = {0, 0, g.picInst.width, g.picInst.height};
    const long long column = g.lstInst.width - 640LL;
    if (validLength(column))
        g.lstInstColumn = static_cast<int>(column);
}
