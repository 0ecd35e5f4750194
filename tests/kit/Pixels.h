#pragma once
// Pixels as the user sees them: capture a window's client area after it has painted, compare single
// pixels or regions with expected colours; a failed comparison saves the capture as a PNG to look at
// (in the folder of TAV_TEST_OUTPUT, or "test-output" beside the test program) and names it in the message.
#include "Image.h"
#include "Wnd.h"

#include <gtest/gtest.h>

namespace kit
{
// Paints everything pending (children included) and captures the client area of pWnd.
CImage Capture(CWnd* pWnd);

// Saves the image under the test-output folder as <name>.png and returns the full path.
CString SaveImage(const CImage& image, LPCWSTR lpszName);

// Colour distance per channel within which two colours count as equal.
const int kExactColour = 0;

::testing::AssertionResult PixelIs(const CImage& image, CPoint point, COLORREF expected, int tolerance = kExactColour);
// Every pixel of the rectangle has the colour.
::testing::AssertionResult RegionIs(const CImage& image, const CRect& rect, COLORREF expected, int tolerance = kExactColour);
// At least one pixel of the rectangle has the colour (text, lines, focus marks).
::testing::AssertionResult RegionContains(const CImage& image, const CRect& rect, COLORREF expected, int tolerance = kExactColour);
int CountPixels(const CImage& image, const CRect& rect, COLORREF colour, int tolerance = kExactColour);
}
