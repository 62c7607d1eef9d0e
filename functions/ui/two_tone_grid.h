#pragma once
// The two two-tone grids of the "两音" page: vsfgGridTwoTone(g) shows two-tone entries
// 8g+1 .. 8g+8, a row each, with the A and B frequencies and times and the interval.

#include "functions/two_tone.h"

namespace tarvos::ui {

class GridControl;

// Headers in the language, column widths, the time columns' lists, the size that shows
// the whole grid without scroll bars.
void InitTwoToneGrid(GridControl& grid, int g, int language);

// The cells of grid g as the two-tone table holds them; a cell already showing its text
// is left alone.
void ShowTwoToneGrid(GridControl& grid, int g, const TwoToneTable& cells);

}  // namespace tarvos::ui
