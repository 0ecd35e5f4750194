#pragma once
// CTavTreeCtrl: a tree whose items carry host-chosen IDs, pictures and item data objects, with label
// editing and listeners.
#include "TavApi.h"
#include "TreeCtrl.h"
#include "ImageList.h"
#include "Gdi.h"
#include "Collections.h"
#include "tree/TavTreeEdit.h"
#include "tree/TavTreeItemData.h"
#include "tree/TavTreeItemIndex.h"
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

class CTavTreeActionListener;
class CTavTreeDragInformation;

// A picture added to the tree's image list.
struct CTavBitmapData
{
    CBitmap* m_pBitmap;
    long m_lResID;   // -1 when the bitmap was given as an object
    BOOL m_bDelete;
    int m_nImage;
};

class TAV_API CTavTreeCtrl : public CTreeCtrl
{
    DECLARE_SERIAL(CTavTreeCtrl)

public:
    CTavTreeCtrl();
    ~CTavTreeCtrl() override;

    // Features; the style-bearing ones reach an existing window at once.
    void AllowLabelEditing();
    void DisAllowLabelEditing();
    void AllowDragAndDrop();
    void DisAllowDragAndDrop();
    void AllowMultiSelection() { m_bMultiSelection = TRUE; }
    void DisAllowMultiSelection() { m_bMultiSelection = FALSE; }
    void AllowMultiDragAndDrop() { m_bMultiDragAndDrop = TRUE; }
    void DisAllowMultiDragAndDrop() { m_bMultiDragAndDrop = FALSE; }
    void AllowItemDelete() { m_bItemDelete = TRUE; }
    void DisAllowItemDelete() { m_bItemDelete = FALSE; }
    // Data-object mode (TRUE, the default) or plain mode, where the item-data slot holds the ID; set it before
    // the first insertion.
    void SetCreateDataObjects(BOOL bCreate);
    void ReceiveOnSelChangedByMouseAndKeyboardOnly(BOOL bOnly) { m_bSelChangedByMouseAndKeyboardOnly = bOnly; }
    void AddActionListener(CTavTreeActionListener* pListener);

    // Identity. A null item, and in data-object mode an item without a data object, has the ID -1 and cannot
    // have children. The look-ups by ID answer what a walk of the live tree would, however its items were
    // inserted, renamed, deleted or moved: every such message passes the window procedure, which keeps the ID
    // index in step (see WindowProc and GetObjectW).
    long GetItemID(HTREEITEM hItem) const;
    HTREEITEM FindItem(long lItemID) const;
    BOOL IsItem(long lItemID) const;
    CString GetText(long lItemID);
    BOOL ItemCanHaveChildren(HTREEITEM hItem);

    // Host objects attached to items; in plain mode there is no item data, so items have no object and
    // setting one does nothing.
    BOOL HasItemObject(HTREEITEM hItem) const;
    BOOL HasItemObject(long lItemID) const;
    CObject* GetItemObject(HTREEITEM hItem) const;
    CObject* GetItemObject_save(HTREEITEM hItem) const { return GetItemObject(hItem); }
    CObject* GetItemObject_save(long lItemID) const;
    void SetItemObject(HTREEITEM hItem, CObject* pObject, BOOL bDeleteObject);
    void SetItemObject(long lItemID, CObject* pObject, BOOL bDeleteObject);
    void DestroyItemObject(HTREEITEM hItem);

    // Insertion after the parent's last child; a parent ID of 0 means the root level. A selected-bitmap ID
    // of -1 shows the normal bitmap when selected.
    HTREEITEM InsertItem(const CString& strText, DWORD dwItemID, DWORD dwParentID, BOOL bCanHaveChildren = TRUE,
                         long nBitmapID = -1, long nSelBitmapID = -1, DWORD crMask = RGB(255, 0, 255),
                         CRuntimeClass* pDataClass = RUNTIME_CLASS(CTavTreeItemData));
    HTREEITEM InsertItem(HTREEITEM hParent, const CString& strText, DWORD dwItemID, BOOL bCanHaveChildren = TRUE,
                         long nBitmapID = -1, long nSelBitmapID = -1, DWORD crMask = RGB(255, 0, 255),
                         CRuntimeClass* pDataClass = RUNTIME_CLASS(CTavTreeItemData));

    // Keeps the item's state bits (selected, expanded, drop-highlighted) across the change.
    BOOL SetItemText(HTREEITEM hItem, const CString& strText);
    // Deselects everything below the item before expanding, collapsing or toggling it.
    BOOL Expand(HTREEITEM hItem, UINT nCode);

    void SetItemPicture(HTREEITEM hItem, long nResID, DWORD crMask);
    // Adds the bitmap on every call; with bDelete the tree deletes it when it is destroyed.
    void SetItemPicture(HTREEITEM hItem, CBitmap* pBitmap, int bDelete, DWORD crMask);
    CBitmap* GetItemPicture(HTREEITEM hItem);
    long GetItemPictureResID(HTREEITEM hItem);

    // The walk that look-ups, dumps and destruction use: parents before children, but an item whose first
    // child has an empty text counts as childless (hosts put such a child under items not filled yet).
    HTREEITEM GetNextTreeItem(HTREEITEM hItem) const;
    HTREEITEM GetPrevTreeItem(HTREEITEM hItem) const;
    BOOL IsChildNodeOf(HTREEITEM hItem, HTREEITEM hParent);
    long CountExpandedItems(HTREEITEM hItem);
    HTREEITEM GetLongestExpandedItem();

    /// Makes the item the caret; the platform selects it.
    BOOL SelectItem(HTREEITEM hItem);
    /// Makes the item with this ID the caret.
    BOOL SelectItem(long lItemID);
    /// Whether the item's selected bit is set.
    BOOL IsItemSelected(HTREEITEM hItem) const;
    /// Selects the item, its following siblings and all their descendants.
    void SelectItems(HTREEITEM hItem);
    /// Deselects the item, its following siblings and all their descendants.
    void DeselectItems(HTREEITEM hItem);
    /// Selects every item.
    void SelectAll();
    /// Deselects every item.
    void DeselectAll();
    /// Selects exactly the shown items from one item to the other, both included, in either order.
    void SelectItemRange(HTREEITEM hFrom, HTREEITEM hTo);
    /// Appends every selected item, parents before their children, hidden items included.
    void GetSelectedItems(CArray<HTREEITEM, HTREEITEM&>& aItems);
    /// Appends the selected items among the item, its following siblings and their descendants.
    void GetSelectedChildren(HTREEITEM hItem, CArray<HTREEITEM, HTREEITEM&>& aItems);
    /// Appends the texts of the selected items in the order of GetSelectedItems.
    void GetSelectedItemTexts(CStringArray& aTexts);
    /// Appends the texts of the selected items in the order of GetSelectedChildren.
    void GetSelectedChildrenTexts(HTREEITEM hItem, CStringArray& aTexts);
    /// Number of selected items.
    long GetSelectionCount() const;
    /// Removes every item that has an ancestor in the array; the others keep their order.
    void RemoveChildrenOfParents(CArray<HTREEITEM, HTREEITEM&>& aItems) const;

    /// Runs the selection checks on each message: a release that reduces a kept selection, Delete, the Shift
    /// anchor, Up, Down, F2, Home, End and the page keys; while a label is edited, the edit's keys.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    /// Loads the tree from a loading archive, saves it to a storing one.
    void Serialize(CArchive& ar) override;
    void Dump(CDumpContext& dc) const override;

    /// Moves the item to the target (TransferItem places it); its children go with it, their data released.
    /// Returns the new item; refuses (null) a target in the item's own subtree. A moved caret stays the caret.
    virtual HTREEITEM MoveItem(HTREEITEM hItem, HTREEITEM hTarget);
    /// Moves the item and its whole subtree to the target, keeping every item's data.
    virtual void MoveItemWithChildren(HTREEITEM hItem, HTREEITEM hTarget);
    /// Copies the item to the target with a copy of its data, which never owns the host object.
    virtual HTREEITEM CopyItem(HTREEITEM hItem, HTREEITEM hTarget);
    /// Copies the item and its whole subtree to the target.
    virtual void CopyItemWithChildren(HTREEITEM hItem, HTREEITEM hTarget);
    virtual void DeleteItem(HTREEITEM hItem);
    virtual void DeleteItem(long lItemID);
    virtual void DeleteItemWithChildren(HTREEITEM hItem);
    virtual void DeleteItemWithChildren(long lItemID);
    virtual BOOL DeleteAllItems();
    /// Replaces the items with those of the archive. Faults raise CArchiveException: the items read so far
    /// stay; a record that would share or own an object twice is refused (badIndex) before it joins the tree.
    virtual void LoadTree(CArchive& ar);
    /// Writes the image list, then one record per item in the order of GetNextTreeItem, keyed 1, 2, ...
    virtual void SaveTree(CArchive& ar);

protected:
    /// Writes the item's record: key, text, pictures, data object, parent key, selected and expanded bits.
    virtual void SaveItem(HTREEITEM hItem, CArchive& ar);
    /// Reads the record of the key already read and inserts the item under the parent the key map names.
    virtual void LoadItem(CArchive& ar, long lItemKey, CMap<long, long&, HTREEITEM, HTREEITEM&>& mapKeys);
    virtual void InitializeControl();
    /// Starts a drag of the selected items (the platform's begin-drag notifications, or a first move).
    virtual BOOL OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    virtual BOOL CanRenameItem(HTREEITEM hItem);
    virtual void OnRenameItem(HTREEITEM hItem, const CString& strText);
    /// Whether the item may be dragged; FALSE refuses the whole drag.
    virtual BOOL IsValidDragItem(HTREEITEM hItem);
    /// Whether the dragged item may be dropped on the target.
    virtual BOOL IsValidDropItem(HTREEITEM hDragItem, HTREEITEM hDropItem);
    virtual void CreateImageList();
    virtual void DeleteImageList();
    virtual void CalcItemRect(HTREEITEM hItem, CRect& rect);
    virtual BOOL CanToggleExpand(HTREEITEM hItem, const CPoint& point);
    /// Inserts a copy of one item (whole text, pictures, state, data slot) among the target's children in
    /// alphabetical order, or right after a target that may not have children; returns it.
    virtual HTREEITEM TransferItem(HTREEITEM hItem, HTREEITEM hTarget);

    void Init();
    void SetTreeStyle(DWORD dwAdd, DWORD dwRemove);
    void PreSubclassWindow() override;

    BOOL HasObject(HTREEITEM hItem) const;
    /// The item's data object, null in plain mode. The window cannot see a write to the object's m_lItemID,
    /// so the object counts as lent out: the next look-up by ID takes the ID again from every object lent out
    /// since the previous look-up, without a message. A derived class may therefore change an item's ID by
    /// writing m_lItemID through a pointer fetched since the last look-up; a pointer kept across look-ups
    /// must be fetched again (this call) before the ID is written through it.
    CTavTreeItemData* GetObjectW(HTREEITEM hItem) const;
    /// The same as GetObjectW, lent out on the same terms.
    CTavTreeItemData* GetObject_save(HTREEITEM hItem) const { return GetObjectW(hItem); }
    void SetObject(HTREEITEM hItem, const CTavTreeItemData* pData);
    void DestroyObject(HTREEITEM hItem);
    // Hidden from users of the tree: the slot belongs to the tree.
    void SetItemData(HTREEITEM, DWORD) {}
    DWORD GetItemData(HTREEITEM) const { return 0; }

    int AddNewBitmap(UINT nResID, DWORD crMask);
    long GetHeightOfImage(CImageList* pImageList, long nImage);
    // Images are never removed from the list: other items may share them.
    void DeleteOldImage(int) {}
    void DeleteOldImages(HTREEITEM) {}

    void CallSelectionChanged();

    /// Sets the selected bit of the item, its following siblings and all their descendants to nState.
    void SetItemsState(HTREEITEM hItem, UINT nState);
    /// Selects shown items from hFrom towards hTo; FALSE when hTo was not reached that way.
    BOOL SelectItemsDirection(HTREEITEM hFrom, HTREEITEM hTo, BOOL bDown);
    /// Leaves only the item whose icon or label is at the point selected (and the caret), or nothing.
    void SelectOnlyItemAtPoint(CPoint point);
    /// Ends a drag at a button release, dropping the dragged items on the target if the drop counts.
    void OnButtonUp(CPoint point);

    /// Learns of the platform's own caret changes and deletions before the handlers run.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    /// Records an item in the ID index with its parent and its current ID and text.
    void IndexItem(HTREEITEM hItem) const;
    /// Forgets everything below the item and releases its data (the platform is about to delete it).
    void ForgetDescendants(HTREEITEM hItem);
    /// The platform deletes the item and its children; their data is released, the item's own data only
    /// with bReleaseData (a moved item's data lives on in its new item). A caller that knows the item has no
    /// children spares the look for them.
    void RemovePlatformItem(HTREEITEM hItem, BOOL bReleaseData, BOOL bMayHaveChildren = TRUE);

    /// Watches every insertion, text or item-data change, deletion and collapse with reset that reaches the
    /// window, whoever sends it (this class, the CTreeCtrl members, raw messages), and keeps the ID index, the
    /// item data and the record of selected items in step: deleted items and the children a collapse with
    /// reset removes give back their data.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg BOOL OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult);
    /// Tells the listeners of the platform's caret changes, unless suppressed or not by mouse or keyboard.
    afx_msg BOOL OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    /// Starts a drag of the selection on the first move after a press, or moves a drag under way.
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    /// Clicks with Ctrl toggle, with Shift select a range, beside a selected label keep the selection.
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    /// A right-click on a selected item keeps the selection; elsewhere it selects only what it hits.
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    /// Drops a drag, or toggles the item of a Ctrl+click.
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    /// Drops a drag.
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CTavTreeEdit m_wndEdit;
    BOOL m_bCtrlClickPending;
    BOOL m_bMultiDragAndDrop;
    BOOL m_bLabelEditing;
    BOOL m_bDragAndDrop;
    BOOL m_bMultiSelection;
    BOOL m_bSelectOnButtonUp;
    BOOL m_bButtonDown;
    BOOL m_bItemDelete;
    BOOL m_bSelChangedByMouseAndKeyboardOnly;
    BOOL m_bDestroyItemData;
    BOOL m_bSuppressSelChanged;
    CImageList* m_pImageList;
    CTavTreeDragInformation* m_pDragInfo;
    HTREEITEM m_hShiftAnchor;
    BOOL m_bCreateDataObjects;
    CArray<CTavBitmapData, CTavBitmapData&> m_aBitmaps;
    CArray<CTavTreeActionListener*, CTavTreeActionListener*> m_aListeners;
    HTREEITEM m_hClickedItem;

private:
    BOOL ReadSlot(HTREEITEM hItem, LPARAM& lSlot) const;
    void WriteSlot(HTREEITEM hItem, LPARAM lSlot);
    LPARAM MakeSlot(long lItemID, const CTavTreeItemData* pData) const;
    long ItemIDFromSlot(LPARAM lSlot) const;
    CTavTreeItemData* CreateItemData(CRuntimeClass* pDataClass, long lItemID, BOOL bCanHaveChildren);
    HTREEITEM GetOnlyCandidate(long lItemID) const;
    BOOL IsReachedByWalk(HTREEITEM hItem) const;
    HTREEITEM GetIndexedParent(HTREEITEM hItem) const;
    BOOL IsBeforeInWalk(HTREEITEM hFirst, HTREEITEM hSecond) const;
    std::vector<HTREEITEM> GetPathFromRoot(HTREEITEM hItem) const;
    BOOL IsTextEmpty(HTREEITEM hItem) const;
    HTREEITEM GetLastChildItem(HTREEITEM hItem) const;
    void CollectDescendants(HTREEITEM hItem, std::vector<std::pair<HTREEITEM, CTavTreeItemData*>>& vecDescendants);
    const CTavBitmapData* FindPictureRecord(HTREEITEM hItem);
    void DeleteOwnedBitmaps();
    void ReleaseItem(HTREEITEM hItem);
    // Releases the data of every item and empties the index; the items stay for the platform to delete.
    void ReleaseAllItems();
    void CancelEditWithin(HTREEITEM hItem);
    BOOL IsTransferIntoItself(HTREEITEM hItem, HTREEITEM hTarget);
    BOOL PreTranslateEditMessage(MSG* pMsg);

    // Selection.
    void TakeFocus();
    static BOOL IsOnIconOrLabel(UINT nHitFlags) { return (nHitFlags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL)) != 0; }
    void SetSelectedBit(HTREEITEM hItem, BOOL bSelected);
    void ClearSelectionBelow(HTREEITEM hItem);
    void NoteSelectionChange(UINT message, LPARAM lParam, LRESULT lResult);
    void NoteSelectedBit(HTREEITEM hItem, UINT nState, UINT nStateMask);
    void NoteDeletedItem(HTREEITEM hItem);
    BOOL IsBelow(HTREEITEM hItem, HTREEITEM hAncestor) const;
    BOOL IsInRangeFrom(HTREEITEM hItem, HTREEITEM hFrom, std::unordered_set<HTREEITEM>& setFollowing,
                       bool& bFollowingRead) const;
    std::vector<HTREEITEM> SortInWalkOrder(const std::vector<HTREEITEM>& vecItems) const;
    std::vector<HTREEITEM> GetSelectedInRange(HTREEITEM hFrom) const;
    HTREEITEM FirstChildOrRoot(HTREEITEM hParent) const;
    BOOL IsAboveShown(HTREEITEM hFirst, HTREEITEM hSecond) const;
    void ShiftClick(HTREEITEM hItem);
    void ClickIconOrLabel(HTREEITEM hItem, CPoint point);
    void ClickRowBeside(HTREEITEM hItem, CPoint point);
    BOOL HandleSelectionKey(UINT nVirtKey);
    BOOL ExtendSelectionTo(HTREEITEM hCaret, HTREEITEM hFrom, HTREEITEM hTo);
    HTREEITEM StepShownItems(HTREEITEM hItem, UINT nCode) const;
    HTREEITEM GetLastTreeItem() const;
    void DeleteSelectedItems();

    // Dragging.
    void SelectPressedItemForDrag();
    void StartDragOnFirstMove(UINT nFlags, CPoint point);
    void DragTo(CPoint point);
    void ScrollForDrag(CPoint point);
    BOOL IsDroppableFor(HTREEITEM hCandidate) const;
    void SetDropTarget(HTREEITEM hTarget);
    void DropItems(const CTavTreeDragInformation& dragInfo);
    void AbortDrag();
    void RemoveMovedItem(HTREEITEM hItem, HTREEITEM hNew, BOOL bMayHaveChildren);

    // Persistence.
    CString ReadLongText(HTREEITEM hItem, LPCWSTR lpszStart) const;
    void SaveSubtree(HTREEITEM hFirst, long lParentKey, CArchive& ar);
    void CheckLoadedData(CTavTreeItemData* pData);
    void ExpandLoadedItems();

    // Observation of the window's messages (TavTreeCtrlIndexing.cpp).
    LRESULT ObserveInsertion(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT ObserveItemChange(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT ObserveDeletion(WPARAM wParam, LPARAM lParam);
    LRESULT ObserveCollapseReset(WPARAM wParam, LPARAM lParam);
    BOOL IsNewTextEmpty(UINT message, HTREEITEM hItem, const TVITEMW& item) const;
    // Settles what the index holds in doubt: a rebuild, texts and lent-out IDs to read again.
    void EnsureIndexCurrent() const;
    void IndexSubtree(HTREEITEM hFirst) const;

    // ID index over every item of the tree, hidden or not; a cache that look-ups bring up to date.
    mutable CTavTreeItemIndex m_itemIndex;
    // The item whose label is being edited; guards against the platform's second end notification.
    HTREEITEM m_hEditedItem;
    // Every item whose selected bit is set, kept from the state changes the window sees, so that selection
    // queries and deselecting cost in proportion to the selection, not to the tree.
    std::unordered_set<HTREEITEM> m_setSelected;
    // The platform's caret as its notifications announce it.
    HTREEITEM m_hCaret;
    // An item being deleted after a move: its data lives on in the new item.
    struct CMovedItem
    {
        HTREEITEM hItem = nullptr;
        BOOL bMayHaveChildren = TRUE;
    } m_movedItem;

    // What SaveTree has read of the item it hands to SaveItem, and the keys it gave out so far.
    struct CSavedRecord
    {
        HTREEITEM hItem;
        TVITEMW item;
        CString strText;
        long lParentKey;
    };
    CSavedRecord* m_pSavedRecord;
    long m_lNextSaveKey;
    std::unordered_map<HTREEITEM, long> m_mapSaveKeys;

    // Item data and host objects that the load under way has placed, against hostile archives.
    struct CLoadedObjects
    {
        std::unordered_set<const CObject*> setItemData;
        std::unordered_map<const CObject*, BOOL> mapHostOwned;
        // Plain mode keeps only IDs; the data objects live until the load ends, as the archive may still
        // refer back to them.
        std::vector<std::unique_ptr<CTavTreeItemData>> vecPlainModeData;
        // Items to expand once loading ends: insertions under collapsed parents cost the platform less.
        std::vector<HTREEITEM> vecExpanded;
    };
    CLoadedObjects* m_pLoadedObjects;
};
