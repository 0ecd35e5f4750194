#pragma once
// CTabCtrl: the platform's tab control; each member sends the control's own message. An owner-drawn tab
// control draws its tabs in DrawItem when its parent reflects WM_DRAWITEM, as an owner-drawn CButton does.
#include "Wnd.h"

class FRAME_API CTabCtrl : public CWnd
{
    DECLARE_DYNAMIC(CTabCtrl)
public:
    CTabCtrl() = default;
    ~CTabCtrl() override;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
    // Selects without notifications; returns the tab selected before, -1 for none.
    int SetCurSel(int nItem) { return static_cast<int>(SendMessage(TCM_SETCURSEL, nItem)); }
    BOOL GetItem(int nItem, TCITEMW* pTabCtrlItem) const;
    BOOL SetItem(int nItem, TCITEMW* pTabCtrlItem);
    // The index the tab got, -1 when it was not inserted.
    LONG InsertItem(int nItem, TCITEMW* pTabCtrlItem);
    LONG InsertItem(int nItem, LPCWSTR lpszItem, int nImage = -1);
    BOOL DeleteItem(int nItem) { return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, nItem)); }
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }
    BOOL GetItemRect(int nItem, LPRECT lpRect) const;
    // The tab under the point (client coordinates), -1 for none.
    int HitTest(TCHITTESTINFO* pHitTestInfo) const;
    int HitTest(CPoint point) const;
    // bLarger FALSE: the display area of a window rectangle; TRUE: the window rectangle of a display area.
    void AdjustRect(BOOL bLarger, LPRECT lpRect) { SendMessage(TCM_ADJUSTRECT, bLarger, reinterpret_cast<LPARAM>(lpRect)); }
    void SetPadding(CSize size) { SendMessage(TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy)); }
    CSize SetItemSize(CSize size);
    HIMAGELIST SetImageList(HIMAGELIST hImageList);
    HIMAGELIST GetImageList() const { return reinterpret_cast<HIMAGELIST>(SendMessage(TCM_GETIMAGELIST)); }
    int GetRowCount() const { return static_cast<int>(SendMessage(TCM_GETROWCOUNT)); }

    /// Draws one tab of an owner-drawn tab control; the base draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
