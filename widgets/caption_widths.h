#pragma once
// Column widths that show every caption of a grid whole: a column narrower than its caption
// (in the language in force and the header's font) is widened to it; a wider one stays.

namespace tarvos::ui {

class GridControl;

void WidenColumnsToCaptions(GridControl& grid);

}  // namespace tarvos::ui
