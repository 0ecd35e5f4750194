#pragma once
// A shown host dialog for one CTavCheckListBox with the protected fly-by members open to the tests, counting the
// notifications the parent hears.
#include "TavListBoxes.h"
#include "Gdi.h"
#include "kit/Host.h"
#include "kit/Input.h"
#include "kit/Pump.h"

#include <gtest/gtest.h>
#include <vector>

const UINT IDC_LIST = 300;
// A multiple-selection list box that scrolls and tells its parent about selection changes.
const DWORD kMultiple = WS_VSCROLL | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT;

class CProbeCheckListBox : public CTavCheckListBox
{
public:
    using CTavFlyByControl::m_pTooltip;
    using CTavCheckListBox::GetIdealItemRect;
    using CTavCheckListBox::FlyByItemFromPoint;
    // The index-order search the mix-in offers by default.
    long IndexOrderItemFromPoint(const CPoint& point) { return CTavFlyByControl::FlyByItemFromPoint(point); }
    CRect RowRect(int nIndex) const
    {
        CRect rcItem;
        CListBox::GetItemRect(nIndex, &rcItem);
        return rcItem;
    }
    // A point on the item's text, right of its box.
    CPoint TextPoint(int nIndex) const { return RowRect(nIndex).TopLeft() + CSize(24, 2); }
    CPoint BoxPoint(int nIndex) const { return RowRect(nIndex).TopLeft() + CSize(6, RowRect(nIndex).Height() / 2); }

    std::vector<ULONG_PTR> m_vecDeletedData;     // user data of every item the list box let go, in order
    int m_nSelItemsWritten = -1;                 // when set, LB_GETSELITEMS writes at most this many entries

protected:
    void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct) override { m_vecDeletedData.push_back(lpDeleteItemStruct->itemData); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == LB_GETSELITEMS && m_nSelItemsWritten >= 0)
            wParam = static_cast<WPARAM>(m_nSelItemsWritten);
        return CTavCheckListBox::WindowProc(message, wParam, lParam);
    }
};

class CListHost : public kit::CHostDialog
{
public:
    int m_nSelChanges = 0;
    int m_nCheckChanges = 0;
    UINT m_cyMeasuredRow = 0;   // when set, the height this parent gives rows it measures itself

protected:
    afx_msg void OnSelChange() { ++m_nSelChanges; }
    afx_msg void OnCheckChange() { ++m_nCheckChanges; }
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    DECLARE_MESSAGE_MAP()
};

class ListBoxTest : public ::testing::Test
{
protected:
    void SetUp() override;
    // Creates the list at rect (host client coordinates) with the font and the strings, focused.
    void MakeList(DWORD dwStyle, const CRect& rect, std::initializer_list<LPCWSTR> strings);
    CTavFlyByTooltip& Tooltip() { return *m_list.m_pTooltip; }
    bool TooltipShown() { return Tooltip().IsWindowVisible() != FALSE; }
    // Rests the pointer on the item's text (moving there from elsewhere on the item first).
    void HoverItem(int nIndex);
    CSize TextExtent(LPCWSTR lpszText);

    CListHost m_host;
    CFont m_font;
    CProbeCheckListBox m_list;
};
