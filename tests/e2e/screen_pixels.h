#pragma once
// What the user sees on the test desktop, read back from the screen.
#include <windows.h>

#include <cstddef>
#include <vector>

namespace e2e {

// One pixel of the screen.
COLORREF ScreenPixel(POINT at);
// The pixels of a screen rectangle, row by row, taken at one moment (one copy of the screen:
// pixel by pixel, a whole indicator takes longer than a tick of its clock). Empty for an empty
// rectangle.
std::vector<COLORREF> ScreenPixels(const RECT& r);
// How many pixels two such readings differ in; a difference in size counts too.
std::size_t Differing(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b);

}  // namespace e2e
