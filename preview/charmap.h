#pragma once

#include <QString>
#include <Qt>

// The character map's rules, apart from any widget: which sizes the font system takes, how big
// a cell is, which character a code stands for, and the fill itself over an abstract grid.
namespace preview {

// Largest point size the font system takes; beyond it a renderer spends ages on one glyph.
constexpr double kMaxPointSize = 1638.0;

// Whether the font system takes a point size: greater than 0, finite, at most kMaxPointSize.
bool pointSizeAccepted(double points);

// Height and width of the map's header row and column, in twips.
constexpr int kHeaderTwips = 60;

// Side of a character cell in twips for a grid whose font reports the given point size:
// 25 twips a point, the size taken to four decimals, the result rounded half to even.
int cellTwips(double reportedPoints);

// The character that a byte stands for in Windows-1252. The five bytes that page leaves
// undefined stand for the control characters of the same value.
char16_t windows1252ToUnicode(unsigned char byte);

// What the map's fill needs of a grid. A setter that returns false did not take effect, and
// ends the fill at that step.
class CharGrid
{
public:
    virtual ~CharGrid() = default;
    virtual bool setFontSize(double points) = 0;
    virtual double fontSize() const = 0;
    virtual void setRedraw(bool on) = 0;
    virtual bool setCols(int count) = 0;
    virtual bool setRows(int count) = 0;
    virtual bool setColWidth(int col, int twips) = 0;
    virtual bool setRowHeight(int row, int twips) = 0;
    virtual bool setCurrentCell(int row, int col) = 0;
    virtual bool setCellAlignment(Qt::Alignment alignment) = 0;
    virtual bool setCellText(const QString &text) = 0;
};

// Fills the grid with the first 225 codes, 15 to a row, in square cells sized from the size
// text (read as the size box reads it). A refused size changes nothing. Redraw is off while
// the cells are set and on again afterwards, also when a later step fails. Returns whether
// every step took effect.
bool fillCharMap(CharGrid &grid, const QString &sizeText);

} // namespace preview
