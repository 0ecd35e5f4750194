#pragma once
#include "check_tree/TavOwnerDrawTree.h"
#include "check_tree/TavCheckItem.h"
#include <unordered_map>
#include <unordered_set>

class CTavCheckTreeActionListener;

/// CTavCheckTreeCtrl: a tree with a tri-state check box before every label. Parents show the combination of
/// their children, a toggle reaches the item's subtree (or every selected subtree), and listeners hear of each
/// user toggle.
class TAV_API CTavCheckTreeCtrl : public CTavOwnerDrawTree
{
public:
    /// Builds the tree and its check-box images from bitmap resource 30000.
    CTavCheckTreeCtrl();
    /// Releases the tree and its images.
    ~CTavCheckTreeCtrl() override;

    /// Inserts an item with a check item in the given state under the item with the parent ID (0: the root
    /// level); nothing is recalculated.
    HTREEITEM InsertItem(const CString& strText, DWORD dwItemID, DWORD dwParentID, int bCanHaveChildren = TRUE,
                         long nBitmapID = -1, long nSelBitmapID = -1, DWORD crMask = RGB(255, 0, 255),
                         UINT nState = CTavCheckItem::stateUnchecked);
    /// The same under a parent given by handle (null: the root level).
    HTREEITEM InsertItem(HTREEITEM hParent, const CString& strText, DWORD dwItemID, int bCanHaveChildren = TRUE,
                         long nBitmapID = -1, long nSelBitmapID = -1, DWORD crMask = RGB(255, 0, 255),
                         UINT nState = CTavCheckItem::stateUnchecked);

    /// The label without the leading blanks that make room for the box.
    CString GetItemText(HTREEITEM hItem) const;
    /// Sets the label behind the room for the box, keeping the item's state bits.
    BOOL SetItemText(HTREEITEM hItem, const CString& strText);

    /// The item's check state; 0 for no item and for an item without a check item.
    UINT GetCheckState(HTREEITEM hItem) const;
    /// The check state of the item with the ID; 0 when there is none.
    UINT GetCheckState(long lItemID) const;
    /// Stores the state, with bCalcChildren gives the whole subtree the same state, then refreshes the
    /// ancestors. No item: nothing happens.
    void SetCheckState(HTREEITEM hItem, UINT nState, int bCalcChildren);
    /// SetCheckState of the item with the ID, subtree included.
    void SetCheckState(long lItemID, UINT nState);
    /// Checks every item.
    void CheckAllItems();
    /// Unchecks every item.
    void UncheckAllItems();

    /// Moves the item alone, then recalculates the old and the new parent.
    HTREEITEM MoveItem(HTREEITEM hItem, HTREEITEM hTarget) override;
    /// Moves the item with its subtree, then recalculates the old and the new parent.
    void MoveItemWithChildren(HTREEITEM hItem, HTREEITEM hTarget) override;
    /// Copies the item alone, then recalculates the new parent.
    HTREEITEM CopyItem(HTREEITEM hItem, HTREEITEM hTarget) override;
    /// Copies the item with its subtree, then recalculates the new parent.
    void CopyItemWithChildren(HTREEITEM hItem, HTREEITEM hTarget) override;
    /// Deletes the item with its children; the tree is recalculated once the outermost delete returns.
    void DeleteItem(HTREEITEM hItem) override;
    /// Deletes the item's subtree; the tree is recalculated once the outermost delete returns.
    void DeleteItemWithChildren(HTREEITEM hItem) override;
    /// Deletes every item without recalculating.
    BOOL DeleteAllItems() override;
    using CTavOwnerDrawTree::DeleteItem;
    using CTavOwnerDrawTree::DeleteItemWithChildren;

protected:
    /// Space toggles the caret item (and the selection it belongs to), whatever modifiers are held.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    /// FALSE outside the label to its right, and on the box.
    BOOL CanToggleExpand(HTREEITEM hItem, const CPoint& point) override;
    /// The box and the label in the window's colours.
    void DrawNormalItem(CDC* pDC, HTREEITEM hItem, const CRect& rect) override;
    /// The box, then the label on the highlight colour, with the focus rectangle on the caret item.
    void DrawHighlightedItem(CDC* pDC, HTREEITEM hItem, const CRect& rect) override;
    /// Watches the platform messages that add, remove or replace items, to know which items may no longer
    /// show the combination of their children.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    /// A click on a box toggles; a click on an unselected item's box selects it as well.
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    /// Refreshes the item from its children (and them from theirs where they may be out of date), then
    /// goes on upward while states change.
    void CalcCheckState(HTREEITEM hItem);
    /// Gives every child of the item, and its subtree, the state.
    void CalcChildrenCheckState(HTREEITEM hItem, UINT nState);
    /// Refreshes every root item.
    void CalcAllCheckStates();
    /// Toggles the item, or every selected subtree when the item is selected; TRUE in the second case.
    BOOL ToggleSelectedItems(HTREEITEM hItem);
    /// OnCheckChanged of every check tree listener, in registration order.
    void CallActionListener(HTREEITEM hItem);
    /// The box's rectangle for hit-testing and repainting: the label's left 13 pixels.
    CRect CalcCheckBoxRect(HTREEITEM hItem);
    /// Draws the box of the state at the left of rect, vertically centred, and moves rect's left edge past it.
    void DrawCheckBox(CDC* pDC, CRect& rect, UINT nState);

    CImageList m_imageList;  ///< the three check-box images

private:
    CTavCheckItem* GetCheckItem(HTREEITEM hItem) const;
    void StoreState(HTREEITEM hItem, CTavCheckItem* pData, UINT nState);
    void InvalidateCheckBox(HTREEITEM hItem);
    UINT CombineChildren(HTREEITEM hFirstChild, BOOL bRefresh);
    void SetStateLiterally(HTREEITEM hItem, UINT nState, BOOL bCalcChildren);
    void SetSubtreeInOneWalk(HTREEITEM hItem, UINT nState);
    UINT SetSubtreeBottomUp(HTREEITEM hItem, UINT nState);
    template <class TTransfer>
    HTREEITEM TransferAndRecalc(HTREEITEM hItem, HTREEITEM hTarget, BOOL bMove, TTransfer transfer);
    HTREEITEM GetLandingParent(HTREEITEM hTarget);
    template <class TDelete>
    void DeleteAndRecalc(HTREEITEM hItem, TDelete deleteItem);

    // Tracking of items that may not show the combination of their children (stale items).
    void NoteMaybeStale(HTREEITEM hItem);
    void MarkDirtyUpward(HTREEITEM hItem);
    void ForgetSubtree(HTREEITEM hItem);
    void ForgetAll();
    void SettleStaleItems();
    BOOL IsStale(HTREEITEM hItem);
    BOOL IsRootTreeClean(HTREEITEM hItem);
    BOOL IsDirty(HTREEITEM hItem) const { return !m_setDirty.empty() && m_setDirty.count(hItem) != 0; }

    // Items that may be stale; TRUE once checked and found stale.
    std::unordered_map<HTREEITEM, BOOL> m_mapStaleItems;
    BOOL m_bUncheckedStaleItems;
    // The stale items and all their ancestors: only there can a recalculation change anything.
    std::unordered_set<HTREEITEM> m_setDirty;
    BOOL m_bDirtyOutdated;
    int m_nDeleteDepth;
    BOOL m_bDeletingAll;
};
