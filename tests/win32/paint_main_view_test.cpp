// The whole main view painted into a memory DC: a comparison with reference
// images, and checks of what the references tolerate (the glyphs' colours,
// boxes that must stay empty) and of what a paint sets besides pixels.
//
// Reference images (tests/win32/reference/, the test's working directory):
// NAME.bmp is the paint as the user sees it, NAME-lines.bmp the same paint
// with every TextOutA suppressed (frames, borders and fills only). The
// glyph-free paint must match its reference exactly; the full paint may
// differ only on glyph pixels, which the two images together identify.
// To render the references afresh (after a deliberate change of the
// picture), run the test with URAVIK_UPDATE_REFERENCES=1 set, e.g.
//   URAVIK_UPDATE_REFERENCES=1 scripts/wine-session.sh ctest -R display
// from the build directory, then look at the images before committing.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/port_watch.h"
#include "app/shell_state.h"
#include "display/fonts_win32.h"
#include "display/paint_state.h"
#include "display/paint_window_win32.h"
#include "tests/fresh_program_state.h"
#include "tests/win32/display_canvas.h"
#include "timekeeping/clock.h"

namespace {

constexpr int viewWidth = 640;
constexpr int viewHeight = 280;
constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF black = RGB(0, 0, 0);
constexpr COLORREF red1 = RGB(255, 0, 0);

template <std::size_t N>
void set(char (&text)[N], const char* value)
{
    std::snprintf(text, N, "%s", value);
}

struct Rect {
    int x, y, width, height;
};

class MainView : public ::testing::Test {
protected:
    static void SetUpTestSuite() { createFonts(); }

    void SetUp() override
    {
        resetProgramState();
        // 9 May 2001, 14:30:00, started at 8:05:09; run 1:02:03; total 1234:05:00.
        setShownClock(
            {"2001", "5", "9", "14", "30", "0", "8", "5", "9", "1:02:03", "1234", "5", "0"});
        shared.probedPort = 3;
    }

    void paint(HWND window = nullptr) { paintClientArea(canvas.dc(), window); }

    COLORREF at(int x, int y) const { return canvas.pixel(x, y); }

    static int interior(const Rect& r) { return (r.width - 3) * (r.height + 1); }

    int countInBox(const Rect& r, COLORREF colour) const
    {
        int count = 0;
        for (int row = r.y + 2; row <= r.y + r.height + 2; ++row)
            for (int x = r.x + 2; x <= r.x + r.width - 2; ++x)
                count += at(x, row) == colour;
        return count;
    }

    Canvas canvas{viewWidth, viewHeight};
};

// ---- what the references tolerate ---------------------------------------

const Rect rightTimeBoxes[] = {
    {398, 60, 100, 15},  {398, 90, 100, 15},  {398, 120, 100, 15},
    {398, 150, 100, 15}, {398, 180, 100, 15},
};
const Rect costBoxes[] = {{534, 120, 50, 15}, {534, 150, 50, 15}, {534, 180, 50, 15}};
const Rect modemStateBox{534, 30, 50, 15};

std::string titleOf(HWND window)
{
    char title[64] = "";
    GetWindowTextA(window, title, sizeof title);
    return title;
}

TEST_F(MainView, OffLineWritesOffInBlackLeavesTimeBoxesEmptyAndTheTitleAlone)
{
    HWND window = CreateWindowExA(0, "STATIC", "Uravik", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    paint(window);
    EXPECT_GT(countInBox(modemStateBox, black), 0) << "OFF is written in black";
    EXPECT_STREQ(paintState.modemStateText, "OFF");
    EXPECT_STREQ(paintState.comText, "COM = 3");
    for (const Rect& r : rightTimeBoxes)
        EXPECT_EQ(countInBox(r, white), interior(r)) << "box at y " << r.y << " is not empty";
    for (const Rect& r : costBoxes)
        EXPECT_LT(countInBox(r, white), interior(r)) << "16:27 is written in the box at y " << r.y;
    EXPECT_EQ(titleOf(window), "Uravik");
    DestroyWindow(window);
}

TEST_F(MainView, OnLineWritesOnInWhiteFillsTheTimeBoxesAndSetsTheTitle)
{
    shared.modemOnline = 1;
    HWND window = CreateWindowExA(0, "STATIC", "Uravik", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    paint(window);
    EXPECT_GT(countInBox(modemStateBox, white), 0) << "ON is written in white";
    EXPECT_STREQ(paintState.modemStateText, "ON");
    for (const Rect& r : rightTimeBoxes)
        EXPECT_LT(countInBox(r, white), interior(r)) << "box at y " << r.y << " is empty";
    EXPECT_EQ(titleOf(window), "Internet nu 1:02:03");
    EXPECT_STREQ(clockState.titleText, "Internet nu 1:02:03");
    DestroyWindow(window);
}

TEST_F(MainView, PeriodBoxRepeatsTheTotal)
{
    shared.modemOnline = 1;
    paint();
    // Same text, different colour: equal glyph masks.
    const Rect total{398, 150, 100, 15};
    const Rect period{398, 180, 100, 15};
    int differences = 0;
    for (int dy = 2; dy <= 17; ++dy)
        for (int dx = 2; dx <= 98; ++dx)
            differences += (at(total.x + dx, total.y + dy) == white) !=
                           (at(period.x + dx, period.y + dy) == white);
    EXPECT_EQ(differences, 0);
}

TEST_F(MainView, EditModeWritesTheSettingsInRedAndLeavesTheTitleAlone)
{
    shared.editMode = 1;
    shared.modemOnline = 1;
    HWND window = CreateWindowExA(0, "STATIC", "Uravik", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    paint(window);
    EXPECT_GT(countInBox({470, 155, 50, 15}, red1), 0) << "field 4 shows 23 in red";
    EXPECT_GT(countInBox({470, 235, 50, 15}, red1), 0) << "field 5 shows AUTO in red";
    EXPECT_EQ(titleOf(window), "Uravik");
    DestroyWindow(window);
}

TEST_F(MainView, TypedTextWiderThanItsFieldStaysInsideTheBox)
{
    shared.editMode = 1;
    set(shared.modemPortText, "WWWWWWW");
    paint();
    const Rect field5{470, 235, 50, 15};
    EXPECT_GT(countInBox(field5, red1), 0);
    // Red anywhere but the interior (x + 2 to x + width - 2): on the border
    // or beside the box.
    int spilt = 0;
    for (int row = field5.y; row <= field5.y + field5.height + 4; ++row)
        for (int dx = 0; dx < 20; ++dx)
            spilt += (at(field5.x + 1 - dx, row) == red1) +
                     (at(field5.x + field5.width - 1 + dx, row) == red1);
    EXPECT_EQ(spilt, 0) << "red text pixels outside the box's interior";
}

TEST_F(MainView, RunBoxesShowZeroBeforeTheFirstCountersUpdate)
{
    clockState = ClockState{};
    shared.modemOnline = 1;
    paint();
    EXPECT_STREQ(clockState.runText, "0:00:00");
    EXPECT_EQ(clockState.runTextLen, 0);
    EXPECT_GT(countInBox({140, 120, 100, 15}, RGB(170, 0, 0)), 0) << "left run in dark red";
    EXPECT_GT(countInBox({140, 150, 100, 15}, red1), 0) << "left total in red";
    EXPECT_STREQ(clockState.titleText, "Internet nu 0:00:00");
}

TEST_F(MainView, PaintsBeforeTheFontsExist)
{
    const FontState made = fonts;
    fonts = FontState{};
    paint();
    fonts = made;
    EXPECT_EQ(colourText(at(14, 20)), colourText(black)) << "the left group's frame";
    EXPECT_EQ(colourText(at(140, 30)), colourText(RGB(130, 130, 130))) << "the first box's border";
    EXPECT_EQ(colourText(at(142, 32)), colourText(white)) << "the first box's fill";
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), GetStockObject(SYSTEM_FONT));
}

TEST_F(MainView, CopiesTheTimeNowForTheLog)
{
    paint();
    EXPECT_STREQ(clockState.clockHourText, "14");
    EXPECT_STREQ(clockState.clockMinuteText, "30");
    EXPECT_STREQ(clockState.clockSecondText, "0");
}

// ---- reference images ----------------------------------------------------

bool updatingReferences()
{
    const char* value = std::getenv("URAVIK_UPDATE_REFERENCES");
    return value != nullptr && *value != '\0' && std::string(value) != "0";
}

std::string tempPath(const std::string& name)
{
    char directory[MAX_PATH] = "";
    GetTempPathA(sizeof directory, directory);
    return std::string(directory) + name;
}

std::string describe(int x, int y, COLORREF expected, COLORREF actual)
{
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ") expected " +
           colourText(expected) + " got " + colourText(actual) + "\n";
}

class ReferenceImages : public MainView {
protected:
    void expectMatchesReference(const std::string& name)
    {
        ASSERT_TRUE(NoGlyphs::available());
        paint();
        const Image full = canvas.image();
        canvas.fill(windowGrey);
        {
            NoGlyphs noGlyphs;
            paint();
        }
        const Image lines = canvas.image();
        const std::string fullName = name + ".bmp";
        const std::string linesName = name + "-lines.bmp";
        if (updatingReferences()) {
            ASSERT_TRUE(writeBmp(fullName, full));
            ASSERT_TRUE(writeBmp(linesName, lines));
        }
        Image fullReference;
        Image linesReference;
        ASSERT_TRUE(readBmp(fullName, &fullReference) && readBmp(linesName, &linesReference))
            << "cannot read " << fullName << " or " << linesName
            << "; run with URAVIK_UPDATE_REFERENCES=1 to make them";
        ASSERT_EQ(fullReference.width, viewWidth);
        ASSERT_EQ(fullReference.height, viewHeight);
        ASSERT_EQ(linesReference.width, viewWidth);
        ASSERT_EQ(linesReference.height, viewHeight);

        // Frames, borders and fills: every pixel.
        int lineDifferences = 0;
        std::string report;
        // Everything else: pixels that are glyphs in neither image.
        int otherDifferences = 0;
        int glyphDifferences = 0;
        for (int y = 0; y < viewHeight; ++y) {
            for (int x = 0; x < viewWidth; ++x) {
                if (lines.at(x, y) != linesReference.at(x, y)) {
                    if (++lineDifferences <= 20)
                        report += describe(x, y, linesReference.at(x, y), lines.at(x, y));
                }
                if (full.at(x, y) == fullReference.at(x, y))
                    continue;
                const bool glyph = full.at(x, y) != lines.at(x, y) ||
                                   fullReference.at(x, y) != linesReference.at(x, y);
                if (glyph) {
                    ++glyphDifferences;
                } else if (++otherDifferences <= 20) {
                    report += describe(x, y, fullReference.at(x, y), full.at(x, y));
                }
            }
        }
        if (lineDifferences + otherDifferences > 0) {
            writeBmp(tempPath(name + ".actual.bmp"), full);
            writeBmp(tempPath(name + "-lines.actual.bmp"), lines);
        }
        EXPECT_EQ(lineDifferences, 0)
            << "frame, border or fill pixels differ from " << linesName
            << " (first 20 below); actual images in " << tempPath("") << "\n"
            << report;
        EXPECT_EQ(otherDifferences, 0) << "non-glyph pixels differ from " << fullName << "\n"
                                       << report;
        if (glyphDifferences > 0)
            std::printf("%s: %d glyph pixels differ (tolerated)\n", name.c_str(), glyphDifferences);
    }
};

TEST_F(ReferenceImages, MainViewOffLine)
{
    expectMatchesReference("main-view-offline");
}

TEST_F(ReferenceImages, MainViewOnLine)
{
    shared.modemOnline = 1;
    expectMatchesReference("main-view-online");
}

TEST_F(ReferenceImages, EditMode)
{
    shared.editMode = 1;
    set(shared.highRateCostText, "50");
    expectMatchesReference("edit-mode");
}

}  // namespace
