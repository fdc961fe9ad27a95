#pragma once
// Where everything sits in the main window, in pixels: the window's three
// sizes, the value boxes of both groups, their labels and headings, the
// settings block's boxes, texts and input fields, the buttons and the
// frames around them, and the refresh list. Painting, the refresh, clicks
// and typing, the buttons and the views all take their positions from here.
// Portable: no <windows.h>.

struct FieldRect {
    int x, y, width, height;
};

// Where a text starts: its top left corner.
struct TextPlace {
    int x, y;
};

namespace layout {

// The window's views: the whole window, the compact view (the left group)
// and the small view (the five time fields). Heights are below the caption.
constexpr int mainViewWidth = 650;
constexpr int mainViewHeightBelowCaption = 288;
constexpr int narrowViewWidth = 291;
constexpr int compactViewHeightBelowCaption = 258;
constexpr int smallViewHeightBelowCaption = 188;

// The two group frames, with a gap in the top edge for the heading.
constexpr FieldRect leftGroupFrame{14, 20, 240, 215};
constexpr FieldRect rightGroupFrame{272, 20, 357, 250};
constexpr int leftHeadingGap = 113;
constexpr int rightHeadingGap = 138;
constexpr TextPlace leftHeading{27, 5};
constexpr TextPlace rightHeading{290, 5};

// A value box's drawing reaches past its rectangle: its sunken border one
// column to the right, its border and text cell five rows below.
constexpr int boxOverhangRight = 1;
constexpr int boxOverhangBelow = 5;

// The row labels stand on their boxes' rows, from these columns.
constexpr int leftLabelX = 27;
constexpr int rightLabelX = 285;
constexpr int comesToLabelX = 507;  // "blir" before a cost box
constexpr int kronorLabelX = 590;   // "kr" after it

// Left group: the five time boxes.
constexpr FieldRect todayBox{140, 30, 100, 15};
constexpr FieldRect startupBox{140, 60, 100, 15};
constexpr FieldRect nowBox{140, 90, 100, 15};
constexpr FieldRect runBox{140, 120, 100, 15};
constexpr FieldRect totalBox{140, 150, 100, 15};

// Right group, while edit mode is off.
constexpr FieldRect portBox{398, 30, 100, 15};
constexpr FieldRect modemStateBox{534, 30, 50, 15};
constexpr FieldRect onlineStartupBox{398, 60, 100, 15};
constexpr FieldRect onlineNowBox{398, 90, 100, 15};
constexpr FieldRect onlineRunBox{398, 120, 100, 15};
constexpr FieldRect runCostBox{534, 120, 50, 15};
constexpr FieldRect onlineTotalBox{398, 150, 100, 15};
constexpr FieldRect totalCostBox{534, 150, 50, 15};
constexpr FieldRect periodBox{398, 180, 100, 15};
constexpr FieldRect periodCostBox{534, 180, 50, 15};

// Right group in edit mode: three fixed values and the two input fields,
// which are exactly the rectangles that clicks and typing use.
constexpr FieldRect lowRateFromBox{470, 65, 50, 15};
constexpr FieldRect lowRateCostBox{470, 95, 50, 15};
constexpr FieldRect highRateFromBox{470, 125, 50, 15};
constexpr FieldRect highRateCostInput{470, 155, 50, 15};
constexpr FieldRect modemPortInput{470, 235, 50, 15};
// The settings block's instructions, in plain text.
constexpr TextPlace settingsInstruction{290, 35};
constexpr TextPlace modemPortInstruction1{290, 190};
constexpr TextPlace modemPortInstruction2{290, 205};

// The buttons. "Avbryt" has its place only in the compact view, beside
// "Tidlista"; the second "Config" and "OK" take turns in one place.
constexpr FieldRect timeListButton{87, 190, 100, 25};
constexpr FieldRect statisticsButton{25, 245, 69, 25};
constexpr FieldRect compactViewButton{94, 245, 60, 25};
constexpr FieldRect manualButton{154, 245, 60, 25};
constexpr FieldRect aboutButton{214, 245, 31, 25};
constexpr FieldRect cancelButton{194, 190, 52, 25};
constexpr FieldRect editButton{558, 238, 50, 25};
constexpr FieldRect noPlace{0, 0, 0, 0};  // a button that can be neither seen nor clicked

// The raised ridge around a button, or around a row of buttons from the
// first to the last.
constexpr FieldRect frameAround(const FieldRect& first, const FieldRect& last)
{
    return {first.x - 2, first.y - 2, last.x + last.width - first.x + 3, first.height + 2};
}
constexpr FieldRect buttonRowFrame = frameAround(statisticsButton, aboutButton);
constexpr FieldRect timeListFrame = frameAround(timeListButton, timeListButton);
constexpr FieldRect editButtonFrame = frameAround(editButton, editButton);

// The value boxes the refresh repaints about once a second, in this order.
// The ON/OFF box is refreshed with the rows below it that its drawing
// reaches: its word and colours change.
constexpr FieldRect modemStateRefresh{modemStateBox.x, modemStateBox.y, modemStateBox.width,
                                      modemStateBox.height + boxOverhangBelow};
constexpr int refreshedBoxCount = 15;
constexpr FieldRect refreshedRects[refreshedBoxCount] = {
    todayBox,          startupBox,     nowBox,           runBox,       totalBox,
    modemStateRefresh, portBox,        onlineStartupBox, onlineNowBox, onlineRunBox,
    runCostBox,        onlineTotalBox, totalCostBox,     periodBox,    periodCostBox,
};

}  // namespace layout
