#pragma once
// What the window procedure does for the timer tick, a click and a typed
// character: the sequencing, free of any Win32 call.

// Timer ids and periods.
constexpr unsigned tickTimerId = 100;
constexpr unsigned tickPeriodMs = 100;
constexpr int refreshEveryTicks = 9;
constexpr int portWatchEveryTicks = 10;

// The field ids and rectangles of the two input fields.
constexpr int highRateCostField = 4;
constexpr int modemPortField = 5;
struct FieldRect {
    int x, y, width, height;
};
constexpr FieldRect highRateCostRect{470, 155, 50, 15};
constexpr FieldRect modemPortRect{470, 235, 50, 15};

// The value rectangles refreshed about once a second: the left panel's five
// time boxes, then the right panel's boxes.
constexpr FieldRect refreshedRects[15] = {
    {140, 30, 100, 15},  {140, 60, 100, 15},  {140, 90, 100, 15}, {140, 120, 100, 15},
    {140, 150, 100, 15}, {534, 30, 50, 20},   {398, 30, 100, 15}, {398, 60, 100, 15},
    {398, 90, 100, 15},  {398, 120, 100, 15}, {534, 120, 50, 15}, {398, 150, 100, 15},
    {534, 150, 50, 15},  {398, 180, 100, 15}, {534, 180, 50, 15},
};

void runTick();

// The run is ending (the window closes, the session ends, the machine goes
// to sleep): records the period up to now and saves the totals, once.
void endRun();
// The machine woke up: the run goes on and a later end records again.
void resumeRun();

void selectFieldAtCursor();
void typeIntoSelectedField(int code);
