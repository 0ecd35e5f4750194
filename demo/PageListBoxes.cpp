// The list boxes: a narrow check list box with long strings and a multiple selection, whose fly-by tooltip shows
// a cut-off item whole, and a host's own list box of colour swatches built on CTavListBox.
#include "Controls.h"
#include "Gdi.h"
#include "Gallery.h"
#include "TavListBoxes.h"

namespace
{
const int kSwatchWidth = 24;
const int kMargin = 4;

// Colour swatches with their names: the host draws the items and tells the tooltip how wide each one is.
class CSwatchListBox : public CTavListBox
{
public:
    BOOL CreateList(const CRect& rect, CWnd* pParent, UINT nID)
    {
        if (!Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                        LBS_NOINTEGRALHEIGHT,
                    rect, pParent, nID))
            return FALSE;
        InitControl();
        return TRUE;
    }

    void AddSwatch(LPCWSTR lpszName, COLORREF crColour)
    {
        SetItemData(AddString(lpszName), crColour);
    }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        if (static_cast<int>(lpDrawItemStruct->itemID) < 0)
            return;
        DrawSwatch(CDC::FromHandle(lpDrawItemStruct->hDC), lpDrawItemStruct->rcItem,
                   static_cast<int>(lpDrawItemStruct->itemID), (lpDrawItemStruct->itemState & ODS_SELECTED) != 0);
    }

    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override { lpMeasureItemStruct->itemHeight = 20; }

protected:
    void DrawFlyByItem(CDC* pDC, const CRect& rect, long nItem) override
    {
        DrawSwatch(pDC, rect, static_cast<int>(nItem), GetSel(static_cast<int>(nItem)) > 0);
    }
    CRect GetIdealItemRect(long nItem) override
    {
        CRect rcIdeal = GetItemRect(nItem);
        CString strName;
        GetText(static_cast<int>(nItem), strName);
        CClientDC dc(this);
        CFont* pOldFont = dc.SelectObject(GetFont());
        rcIdeal.right = rcIdeal.left + kSwatchWidth + 3 * kMargin + dc.GetTextExtent(strName).cx + 2;
        dc.SelectObject(pOldFont);
        return rcIdeal;
    }
    CRect GetItemRect(long nItem) override
    {
        CRect rcItem;
        CListBox::GetItemRect(static_cast<int>(nItem), &rcItem);
        return rcItem;
    }
    long GetItemCount() override { return GetCount(); }

private:
    void DrawSwatch(CDC* pDC, const CRect& rcItem, int nItem, bool bSelected)
    {
        pDC->FillSolidRect(&rcItem, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        const CRect rcSwatch(rcItem.left + kMargin, rcItem.top + 3, rcItem.left + kMargin + kSwatchWidth, rcItem.bottom - 3);
        pDC->FillSolidRect(&rcSwatch, static_cast<COLORREF>(GetItemData(nItem)));
        CString strName;
        GetText(nItem, strName);
        CRect rcText(rcSwatch.right + 2 * kMargin, rcItem.top, rcItem.right, rcItem.bottom);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        pDC->DrawText(strName, &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
};

class CListBoxesPage : public CGalleryPage
{
protected:
    BOOL CreateControls() override
    {
        BOOL bCreated =
            m_title.Create(L"Check list box and swatch list: rest the pointer on a cut-off item to see it whole",
                           WS_VISIBLE | SS_LEFT, CRect(16, 12, 620, 30), this, 1) &&
            m_checkList.Create(WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_EXTENDEDSEL |
                                   LBS_NOINTEGRALHEIGHT,
                               CRect(16, 40, 156, 300), this, 2) &&
            m_swatches.CreateList(CRect(360, 40, 470, 300), this, 3);
        if (!bCreated)
            return FALSE;
        SetPageFont({ &m_title, &m_checkList, &m_swatches });
        m_checkList.SetItemHeight(0, static_cast<UINT>(m_checkList.CalcMinimumItemHeight()));
        FillCheckList();
        FillSwatches();
        m_checkList.EnableFlyByTooltips();
        PointAtCutOffItem();
        return TRUE;
    }

private:
    void FillCheckList()
    {
        CStringArray arrItems;
        for (LPCWSTR lpszItem : {L"Lighthouse keeper's log", L"Harbour survey of the northern breakwater", L"Tide tables",
                                 L"Budget for the new pier and its lamps", L"Letters", L"Minutes of the March meeting of the board",
                                 L"Charts", L"Buoy maintenance schedule for the coming winter"})
            arrItems.Add(lpszItem);
        m_checkList.AddStrings(arrItems);
        m_checkList.SetCheckMark(L"Tide tables", 1);
        m_checkList.SetCheckMark(L"Letters", 1);
        m_checkList.SetCheckMark(L"Charts", 2);
        m_checkList.SetSel(1);
        m_checkList.SetSel(3);
        m_checkList.SetSel(5);
    }

    void FillSwatches()
    {
        const struct { LPCWSTR lpszName; COLORREF crColour; } swatches[] = {
            {L"Signal red", RGB(200, 30, 40)},     {L"Harbour blue of the old town", RGB(30, 80, 160)},
            {L"Sea green", RGB(40, 150, 110)},     {L"Sand", RGB(220, 200, 150)},
            {L"Lighthouse white", RGB(245, 245, 240)}, {L"Storm grey with a touch of violet", RGB(110, 100, 120)},
        };
        for (const auto& swatch : swatches)
            m_swatches.AddSwatch(swatch.lpszName, swatch.crColour);
    }

    // The pointer comes to rest on the selected, cut-off second item, as a user's would.
    void PointAtCutOffItem()
    {
        CRect rcItem;
        m_checkList.CListBox::GetItemRect(1, &rcItem);
        m_checkList.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(rcItem.left + 40, rcItem.top + 3));
    }

    CStatic m_title;
    CTavCheckListBox m_checkList;
    CSwatchListBox m_swatches;
};
}

GALLERY_PAGE(60, L"List boxes", CListBoxesPage);
