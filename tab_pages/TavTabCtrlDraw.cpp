// Drawing the tabs of CTavTabCtrl: the platform control asks its parent, which reflects WM_DRAWITEM here.
#include "tab_pages/TavTabCtrl.h"

namespace
{
// The drawing record's DC belongs to the platform control: it is borrowed for one tab and handed back on
// every path out.
class CBorrowedDC : public CDC
{
public:
    explicit CBorrowedDC(HDC hDC) { Attach(hDC); }
    ~CBorrowedDC() override { Detach(); }
};
}

void CTavTabCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const INT_PTR nPage = static_cast<INT_PTR>(lpDrawItemStruct->itemID);
    if (lpDrawItemStruct->itemID == static_cast<UINT>(-1) || nPage >= m_aPages.GetSize())
        return;
    CBorrowedDC dc(lpDrawItemStruct->hDC);
    const CRect rcFull(lpDrawItemStruct->rcItem);
    const int dy = (GetStyle() & TCS_BOTTOM) ? -2 : 2;
    CRect r = rcFull;
    r.OffsetRect(2, dy);
    if (lpDrawItemStruct->itemState & ODS_SELECTED)
    {
        dc.FillSolidRect(rcFull, ::GetSysColor(COLOR_BTNFACE));
        r.OffsetRect(-2, -dy);
        r.left += 6;
    }
    const CTavTabItem& item = m_aPages[nPage];
    OnDrawPicture(dc, r, item);
    OnDrawLabel(dc, r, item);
}

void CTavTabCtrl::OnDrawPicture(CDC& dc, CRect& r, const CTavTabItem& item)
{
    IMAGEINFO info{};
    if (!item.m_pPicture || item.m_nImageIndex < 0 || !m_pImageList->GetImageInfo(item.m_nImageIndex, &info))
        return;
    const CSize size(info.rcImage.right - info.rcImage.left, info.rcImage.bottom - info.rcImage.top);
    const CPoint at(r.left, r.top + (r.Height() - size.cy) / 2);
    r.left = at.x + size.cx + 2;
    if (!item.m_bDisabled)
    {
        m_pImageList->Draw(&dc, item.m_nImageIndex, at, ILD_TRANSPARENT);
        return;
    }
    HICON hIcon = m_pImageList->ExtractIcon(item.m_nImageIndex);
    dc.DrawState(at, size, hIcon, DSS_DISABLED, static_cast<HBRUSH>(nullptr));
    ::DestroyIcon(hIcon);
}

void CTavTabCtrl::OnDrawLabel(CDC& dc, CRect& r, const CTavTabItem& item)
{
    const CSize size = dc.GetTextExtent(item.m_strCaption);
    const CPoint at(r.left + (r.Width() - size.cx) / 2, r.top + (r.Height() - size.cy) / 2);
    CBrush brush(::GetSysColor(COLOR_BTNTEXT));
    dc.DrawState(at, size, item.m_strCaption, item.m_bDisabled ? DSS_DISABLED : 0, FALSE, 0, &brush);
}
