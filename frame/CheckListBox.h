#pragma once
// CCheckListBox: an owner-drawn list box with strings and a check box in front of each item. The check, the
// enabled state and the caller's item data of an item live in a hidden record in the item's data slot; the
// item-data messages sent to the window read and write the caller's data, so callers never see the record.
// The record is freed exactly once, when the list box removes its item (LB_DELETESTRING, LB_RESETCONTENT,
// destruction), whether or not the parent reflects WM_DELETEITEM.
#include "ListBox.h"

// Notification code sent with WM_COMMAND to the parent when the user changes a check.
#define CLBN_CHKCHANGE 40

class FRAME_API CCheckListBox : public CListBox
{
    DECLARE_DYNAMIC(CCheckListBox)
public:
    CCheckListBox();
    ~CCheckListBox() override;

    // Adds LBS_HASSTRINGS, and LBS_OWNERDRAWFIXED unless an owner-draw style is given.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;

    // BS_CHECKBOX, BS_AUTOCHECKBOX (the default), BS_3STATE or BS_AUTO3STATE.
    void SetCheckStyle(UINT nStyle) { m_nStyle = nStyle; }
    UINT GetCheckStyle() const { return m_nStyle; }
    // 0 unchecked, 1 checked, 2 indeterminate. An item without a record reads 0 and enabled.
    void SetCheck(int nIndex, int nCheck);
    int GetCheck(int nIndex) const;
    void Enable(int nIndex, BOOL bEnabled = TRUE);
    BOOL IsEnabled(int nIndex) const;

    // The item under the point; bInCheck tells whether the point lies on its box. -1 when no item is there.
    int CheckFromPoint(CPoint point, BOOL& bInCheck) const;
    // A row height that fits the box and the text of the list box's font.
    int CalcMinimumItemHeight() const;

    // Draw and measure an item (into any DC): the box, then the virtual DrawItem or MeasureItem with the
    // caller's item data and the text rectangle past the box.
    virtual void PreDrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void PreMeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual void PreDeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);
    // Text on the window colour, or highlight colours for a selected item, and the focus mark.
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    static constexpr int kBoxSize = 13;     ///< width and height of a check box
    static constexpr int kTextOffset = 16;  ///< from the item's left edge to the text rectangle

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PreSubclassWindow() override;

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

    DECLARE_MESSAGE_MAP()

private:
    struct CheckData
    {
        int m_nCheck = 0;
        BOOL m_bEnabled = TRUE;
        ULONG_PTR m_dwUserData = 0;
    };

    // Straight to the list box's own procedure, past this object's handling of the item-data messages.
    LRESULT SendToListBox(UINT message, WPARAM wParam, LPARAM lParam) const;
    // The record in an item's slot; null for an item without one and for an index that names no item.
    CheckData* RecordOf(int nIndex) const;
    CheckData* EnsureRecord(int nIndex);
    ULONG_PTR UserDataOf(int nIndex) const;
    LRESULT SetUserData(int nIndex, ULONG_PTR dwData);
    // Runs the list box's own handling of a message that removes items and frees the records of those gone.
    LRESULT RemoveItems(UINT message, WPARAM wParam, LPARAM lParam);
    bool IsAutoStyle() const { return m_nStyle == BS_AUTOCHECKBOX || m_nStyle == BS_AUTO3STATE; }
    // The user's toggle of an item's box: the next check for the style, then CLBN_CHKCHANGE to the parent.
    void ToggleByUser(int nIndex);
    void InvalidateItem(int nIndex);

    UINT m_nStyle;
};
