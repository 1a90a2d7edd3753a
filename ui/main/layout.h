#pragma once

// The main window's layout as pure arithmetic in twips (base/units.h). The window applies the
// result to its widgets; tests call these functions directly.

struct TwipRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const TwipRect &) const = default;
};

// Geometry of every control the layout touches, as the last pass left it. Positions of the
// panes' children are relative to their pane.
struct WindowGeometry
{
    TwipRect tsType, picBrowse, picInst, tsPreview, txPreview, flxPreview;
    TwipRect Drive1, Dir1, File1, txFontName; // in picBrowse
    TwipRect lstInst;                         // in picInst
    int lstInstColumn = 0;                    // width of lstInst's only column

    // The geometry the window is designed with, before any layout pass.
    static WindowGeometry designTime();
    bool operator==(const WindowGeometry &) const = default;
};

// One pass of the window's resize handler for a client area of width x height with a toolbar
// toolbarHeight high. Runs the two pane passes when it has placed the panes. A width or
// height that would be negative or out of range is not set: that property keeps its value
// and the following steps still run.
void layoutWindow(WindowGeometry &g, int width, int height, int toolbarHeight);

// The browse pane's pass (picBrowse_Resize): two columns, drive list over folder tree, file list
// over face name.
void layoutBrowsePane(WindowGeometry &g);

// The installed-fonts pane's pass (picInst_Resize): the list fills the pane, its column 640
// twips narrower.
void layoutInstPane(WindowGeometry &g);
