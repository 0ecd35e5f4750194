#include "TreePictures.h"

std::unique_ptr<CBitmap> DrawTreePicture(CDC* pScreenDC, COLORREF crBody, bool bFolder)
{
    auto pBitmap = std::make_unique<CBitmap>();
    pBitmap->CreateCompatibleBitmap(pScreenDC, 16, 16);
    CDC dc;
    dc.CreateCompatibleDC(pScreenDC);
    CBitmap* pOld = dc.SelectObject(pBitmap.get());
    dc.FillSolidRect(0, 0, 16, 16, kTreePictureMask);
    if (bFolder)
    {
        dc.FillSolidRect(1, 3, 6, 2, crBody);
        dc.FillSolidRect(1, 5, 14, 9, crBody);
    }
    else
    {
        dc.FillSolidRect(3, 1, 10, 14, RGB(64, 64, 64));
        dc.FillSolidRect(4, 2, 8, 12, crBody);
    }
    dc.SelectObject(pOld);
    return pBitmap;
}
