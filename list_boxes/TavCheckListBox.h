#pragma once
// CTavCheckListBox: a check list box addressed by text, with fly-by tooltips, where a click or Space on a box
// of a multiple selection gives every selected item the new check.
#include "TavApi.h"
#include "frame/CheckListBox.h"
#include "frame/Collections.h"
#include "list_boxes/TavFlyByControl.h"

/// A check list box whose items are found by their text (the first item whose whole text matches, regardless
/// of case), that spreads a user's check change over a multiple selection, and that shows cut-off items in
/// a fly-by tooltip once EnableFlyByTooltips has been called.
class TAV_API CTavCheckListBox : public CCheckListBox, public CTavFlyByControl
{
    DECLARE_DYNAMIC(CTavCheckListBox)
public:
    /// A check list box without a window, fly-by tooltips switched on.
    CTavCheckListBox();
    /// Destroys the check list box with its items' records, and the tooltip.
    ~CTavCheckListBox() override;

    /// Adds the strings in array order (a sorted list box places them by its own order).
    virtual void AddStrings(const CStringArray& arrStrings);
    /// Removes the item with this text, if there is one.
    virtual void RemoveString(const CString& strItem);
    /// Removes every item.
    virtual void RemoveAll();
    /// Fills the array with the text of every item in index order.
    virtual void GetStrings(CStringArray& arrStrings);

    /// Gives the item with this text the check (0, 1 or 2); nothing when no item has the text.
    void SetCheckMark(const CString& strItem, long nCheck);
    /// SetCheckMark for each string in array order.
    void SetCheckMark(const CStringArray& arrItems, long nCheck);
    /// The check of the item with this text, or 0 when no item has it.
    long GetCheckMark(const CString& strItem);
    /// Fills the array with the text of every item whose check is exactly 1, in index order.
    void GetMarkedStrings(CStringArray& arrStrings);
    /// Checks every item.
    void MarkAll();
    /// Unchecks every item.
    void DemarkAll();
    /// Fills the array with the text of the selected items of a multiple-selection list box.
    void GetSelectedStrings(CStringArray& arrStrings);
    /// Selects exactly the items with these texts (multiple-selection list boxes only).
    void SelectStrings(const CStringArray& arrItems);

protected:
    /// Relays the message to the tooltip, then the usual handling.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    /// The check list box itself.
    CWnd* GetWndPtr() const override;
    /// The number of items.
    long GetItemCount() override;
    /// The item's rectangle in the list box.
    CRect GetItemRect(long nIndex) override;
    /// The item's rectangle widened to its box and whole text and heightened to its measured row plus 3.
    CRect GetIdealItemRect(long nIndex) override;
    /// Draws the item with its box into the tooltip as the list box draws it.
    void DrawFlyByItem(CDC* pDC, const CRect& rect, long nIndex) override;
    /// The item under the point, found among the rows in view.
    long FlyByItemFromPoint(const CPoint& point) override;

    /// A click on a box of a multiple selection gives every item selected before the click the new check.
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    /// A double click on a box counts as a click on it.
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    /// Space on a multiple selection gives every item selected before the key the caret item's check.
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    /// Lets the tooltip follow the selection; the parent hears of the change too (returns FALSE).
    afx_msg BOOL OnSelchange();

    DECLARE_MESSAGE_MAP()

private:
    int FindItem(const CString& strItem) const;
    // Gives the strings the item's check and selects exactly them again.
    void SpreadCheck(const CStringArray& arrSelected, int nIndex);
};
