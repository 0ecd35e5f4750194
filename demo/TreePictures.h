#pragma once
// Pictures the tree pages give their items, drawn at run time.
#include "Gdi.h"
#include <memory>

// The colour the tree pages hand to the image list as transparent.
const COLORREF kTreePictureMask = RGB(255, 0, 255);

// A 16 by 16 folder or document: a coloured body on the mask colour, so the tree shows it with a transparent
// corner.
std::unique_ptr<CBitmap> DrawTreePicture(CDC* pScreenDC, COLORREF crBody, bool bFolder);
