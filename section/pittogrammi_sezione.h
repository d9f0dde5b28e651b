// The pictures of the section editor's seven type buttons, drawn by the
// program on any target: world 0..1 both ways, y downwards.
#pragma once

#include "graphics/superficie.h"

#include <utility>
#include <vector>

namespace zelvo {

// A closed loop of points (world units), the last joined to the first.
using AnelloSezione = std::vector<std::pair<double, double>>;

// The loops drawn in outline (blue, width 2) over 45° hatch lines (grey,
// width 1) laid between their crossings, even-odd: a loop inside another
// is a hole and stays empty. The hatch lines are the lines x - y = c for
// c = -1, -0.91, ... below 1.
void FiguraTratteggiata(Superficie& s, const std::vector<AnelloSezione>& anelli);

// Type 0 rectangle, 1 T, 2 stacked rectangles, 3 stacked trapezoids,
// 4 ring, 5 polygon by its vertices (the vertices marked in red), any
// other a hollow regular polygon.
void DisegnaTipoSezione(Superficie& s, int tipo);

} // namespace zelvo
