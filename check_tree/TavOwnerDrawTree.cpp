#include "check_tree/TavOwnerDrawTree.h"

BEGIN_MESSAGE_MAP(CTavOwnerDrawTree, CTavTreeCtrl)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CTavOwnerDrawTree::CTavOwnerDrawTree() = default;

CTavOwnerDrawTree::~CTavOwnerDrawTree() = default;

void CTavOwnerDrawTree::InitializeControl()
{
    CTavTreeCtrl::InitializeControl();
    ModifyStyle(0, TVS_NOTOOLTIPS, SWP_NOZORDER);
}

void CTavOwnerDrawTree::CalcItemRect(HTREEITEM hItem, CRect& rect)
{
    if (hItem == nullptr || !GetItemRect(hItem, &rect, TRUE))
    {
        rect.SetRectEmpty();
        return;
    }
    rect.left += 2;
    rect.top += 1;
}

void CTavOwnerDrawTree::BeginPainting(CDC*)
{
}

void CTavOwnerDrawTree::EndPainting(CDC*)
{
}

void CTavOwnerDrawTree::DrawNormalItem(CDC*, HTREEITEM, const CRect&)
{
}

void CTavOwnerDrawTree::DrawHighlightedItem(CDC*, HTREEITEM, const CRect&)
{
}

// The platform walks on through the shown items below the window; rows there are never painted. The
// visitor gets each item with the rectangle that calcRect gives it.
template <class TCalcRect, class TVisit>
void CTavOwnerDrawTree::ForEachItemInView(TCalcRect calcRect, TVisit visit)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    for (HTREEITEM hItem = GetFirstVisibleItem(); hItem != nullptr; hItem = GetNextVisibleItem(hItem))
    {
        CRect rect;
        calcRect(hItem, rect);
        if (rect.top >= rcClient.bottom)
            break;
        visit(hItem, rect);
    }
}

void CTavOwnerDrawTree::KillOldLabels(CDC* pDC)
{
    const COLORREF crWindow = ::GetSysColor(COLOR_WINDOW);
    ForEachItemInView([this](HTREEITEM hItem, CRect& rect) { CTavTreeCtrl::CalcItemRect(hItem, rect); },
                      [&](HTREEITEM, const CRect& rcLabel) { pDC->FillSolidRect(&rcLabel, crWindow); });
}

void CTavOwnerDrawTree::OnPaint()
{
    CPaintDC paintDC(this);
    CRect rcClip;
    paintDC.GetClipBox(&rcClip);
    CRect rcClient;
    GetClientRect(&rcClient);

    CDC memDC;
    CBitmap bitmap;
    CRgn clipRgn;
    if (!memDC.CreateCompatibleDC(&paintDC) || !bitmap.CreateCompatibleBitmap(&paintDC, rcClient.Width(), rcClient.Height()))
        return;
    CBitmap* pOldBitmap = memDC.SelectObject(&bitmap);
    memDC.SetBkMode(TRANSPARENT);
    clipRgn.CreateRectRgnIndirect(&rcClip);
    memDC.SelectClipRgn(&clipRgn);
    clipRgn.DeleteObject();
    memDC.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &paintDC, 0, 0, SRCCOPY);

    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(memDC.GetSafeHdc()), 0);
    HGDIOBJ hOldFont = memDC.SelectObject(reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));

    BeginPainting(&memDC);
    KillOldLabels(&memDC);
    ForEachItemInView([this](HTREEITEM hItem, CRect& rect) { CalcItemRect(hItem, rect); },
                      [&](HTREEITEM hItem, const CRect& rect) {
        if (GetItemState(hItem, TVIS_SELECTED | TVIS_DROPHILITED) != 0)
            DrawHighlightedItem(&memDC, hItem, rect);
        else
            DrawNormalItem(&memDC, hItem, rect);
    });
    EndPainting(&memDC);

    // The copy is widened to the next multiple of 8 above the clip box's width; the paint DC clips the rest.
    const int nWidth = rcClip.Width() - rcClip.Width() % 8 + 8;
    paintDC.BitBlt(rcClip.left, rcClip.top, nWidth, rcClip.Height(), &memDC, rcClip.left, rcClip.top, SRCCOPY);

    if (hOldFont != nullptr)
        memDC.SelectObject(hOldFont);
    memDC.SelectObject(pOldBitmap);
}
