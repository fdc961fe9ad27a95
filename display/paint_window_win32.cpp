#include "display/paint_window_win32.h"

#include <initializer_list>
#include <utility>

#include "common/shared_state.h"
#include "display/box_coverage_win32.h"
#include "display/display_texts.h"
#include "display/fonts_win32.h"
#include "display/paint_forms_win32.h"
#include "display/refresh_cache.h"
#include "display/refreshed_boxes.h"
#include "display/settings_block_win32.h"
#include "display/value_texts.h"
#include "host/window_handle_win32.h"
#include "timekeeping/clock.h"

namespace {

namespace t = display_texts;
using paint_forms::darkRedLabel;
using paint_forms::frame;
using paint_forms::label;

void paintHeadings(HDC dc)
{
    selectFont(dc, fonts.headingFont.get());
    darkRedLabel(dc, layout::leftHeading, t::leftHeading);
    darkRedLabel(dc, layout::rightHeading, t::rightHeading);
    releaseFont(dc);
}

void paintBox(HDC dc, RefreshedBox& box)
{
    if (box.placement == TextPlacement::rightAligned)
        paint_forms::valueRightAligned(dc, box.drawn, box.text, box.ink);
    else
        paint_forms::valueCentred(dc, box.drawn, box.fill, box.text, box.ink);
}

// Labels, each on its box's row, in one column.
struct RowLabel {
    const FieldRect& box;
    const char* text;
};
void labelRows(HDC dc, int x, std::initializer_list<RowLabel> rows)
{
    for (const RowLabel& row : rows)
        label(dc, {x, row.box.y}, row.text);
}

void paintRightLabels(HDC dc)
{
    const int x = layout::rightLabelX;
    labelRows(dc, x,
              {{layout::portBox, t::modemStatusLabel},
               {layout::onlineStartupBox, t::startupLabel},
               {layout::onlineNowBox, t::nowLabel},
               {layout::onlineRunBox, t::runLabel},
               {layout::onlineTotalBox, t::totalLabel}});
    darkRedLabel(dc, {x, layout::periodBox.y}, t::periodLabel);
    for (const auto& [column, text] : {std::pair{layout::comesToLabelX, t::comesToLabel},
                                       std::pair{layout::kronorLabelX, t::kronorLabel}})
        labelRows(dc, column,
                  {{layout::runCostBox, text},
                   {layout::totalCostBox, text},
                   {layout::periodCostBox, text}});
}

void paintLeftLabels(HDC dc)
{
    labelRows(dc, layout::leftLabelX,
              {{layout::todayBox, t::todayLabel},
               {layout::startupBox, t::startupLabel},
               {layout::nowBox, t::nowLabel},
               {layout::runBox, t::runLabel},
               {layout::totalBox, t::totalLabel}});
}

// Unbroken raised ridges around the buttons.
void paintButtonFrames(HDC dc)
{
    frame(dc, layout::buttonRowFrame, "O", 0);
    frame(dc, layout::timeListFrame, "O", 0);
    frame(dc, layout::editButtonFrame, "O", 0);
}

}  // namespace

void paintClientArea(HDC dc)
{
    paint_forms::frame(dc, layout::leftGroupFrame, "U", layout::leftHeadingGap);
    paint_forms::frame(dc, layout::rightGroupFrame, "U", layout::rightHeadingGap);
    paintHeadings(dc);

    selectFont(dc, fonts.textFont.get());
    RefreshedBoxes boxes;
    describeRefreshedBoxes(boxes);
    for (int box = 0; box < firstRightBox; ++box)
        paintBox(dc, boxes.box[box]);
    if (shared.editMode == 0) {
        // The right group: port, ON/OFF, and the times, which show only
        // while the modem is on line (empty white boxes otherwise).
        for (int box = firstRightBox; box < layout::refreshedBoxCount; ++box)
            paintBox(dc, boxes.box[box]);
        paintRightLabels(dc);
    }
    paintLeftLabels(dc);
    if (shared.editMode != 0)
        paintSettingsBlock(dc);
    releaseFont(dc);

    paintButtonFrames(dc);
}

void paintWindow(HWND window)
{
    // The clock is read first: a refresh whose paint comes late may have
    // boxes to add to the update region before painting begins.
    captureDateTime();
    if (!refreshCache.enabled) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        paintClientArea(dc);
        EndPaint(window, &paint);
        return;
    }
    const bool fontsExist = fonts.textFont.get() != nullptr;
    RefreshedBoxes shown;
    describeRefreshedBoxes(shown);
    completePendingRefresh(host::asWindowHandle(window), shown, fontsExist);

    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    paintClientArea(dc);
    Coverage coverage[layout::refreshedBoxCount];
    measureBoxCoverage(window, dc, coverage);
    EndPaint(window, &paint);
    recordPaintedBoxes(shown, fontsExist, coverage);
}
