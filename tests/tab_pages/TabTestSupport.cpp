#include "TabTestSupport.h"
#include "Gdi.h"

namespace tabtest
{
BEGIN_MESSAGE_MAP(CTabHost, kit::CHostDialog)
    ON_NOTIFY(TCN_SELCHANGING, IDC_TABS, OnSelChanging)
    ON_NOTIFY(TCN_SELCHANGE, IDC_TABS, OnSelChange)
END_MESSAGE_MAP()

CBitmap* DrawPicture(CBitmap* pBitmap, COLORREF crBody, COLORREF crMask)
{
    CClientDC screen(nullptr);
    pBitmap->CreateCompatibleBitmap(&screen, 16, 16);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap* pOld = dc.SelectObject(pBitmap);
    dc.FillSolidRect(0, 0, 16, 16, crBody);
    dc.FillSolidRect(0, 0, 4, 4, crMask);
    dc.SelectObject(pOld);
    return pBitmap;
}
}
