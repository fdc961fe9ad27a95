#include "display/paint_state.h"

PaintState paintState;
