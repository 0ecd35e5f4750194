#pragma once
// CTavTreeCtrl: a tree whose items carry host-chosen IDs, pictures and item data objects, with label
// editing and listeners.
#include "TavApi.h"
#include "frame/TreeCtrl.h"
#include "frame/ImageList.h"
#include "frame/Gdi.h"
#include "frame/Collections.h"
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

/// A picture added to the tree's image list (see SetItemPicture).
struct CTavBitmapData
{
    CBitmap* m_pBitmap;   ///< the bitmap, loaded from a resource or given by the host
    long m_lResID;        ///< its resource ID; -1 when the bitmap was given as an object
    BOOL m_bDelete;       ///< whether the tree deletes the bitmap
    int m_nImage;         ///< its index in the image list
};

/// A tree whose items carry host-chosen IDs, pictures and item data objects (CTavTreeItemData), with
/// multi-selection, drag and drop, label editing, listeners and saving to an archive. Items are found by ID
/// with FindItem; the item-data slot belongs to the tree.
class TAV_API CTavTreeCtrl : public CTreeCtrl
{
    DECLARE_SERIAL(CTavTreeCtrl)

public:
    /// Data-object mode, every feature off, an empty image list.
    CTavTreeCtrl();
    /// Releases the item data, owned host objects and pictures, and the image list.
    ~CTavTreeCtrl() override;

    /// Lets the user rename items (F2, or a click on the selected label); reaches an existing window at once.
    void AllowLabelEditing();
    void DisAllowLabelEditing();   ///< turns label editing off
    void AllowDragAndDrop();   ///< lets the user drag items onto other items
    void DisAllowDragAndDrop();   ///< turns drag and drop off
    void AllowMultiSelection() { m_bMultiSelection = TRUE; }   ///< Ctrl and Shift clicks select several items
    void DisAllowMultiSelection() { m_bMultiSelection = FALSE; }   ///< one selected item at a time
    void AllowMultiDragAndDrop() { m_bMultiDragAndDrop = TRUE; }   ///< a drag takes every selected item
    void DisAllowMultiDragAndDrop() { m_bMultiDragAndDrop = FALSE; }   ///< a drag takes only the item under the mouse
    void AllowItemDelete() { m_bItemDelete = TRUE; }   ///< the Delete key deletes the selected items
    void DisAllowItemDelete() { m_bItemDelete = FALSE; }   ///< the Delete key does nothing
    /// Data-object mode (TRUE, the default) or plain mode, where the item-data slot holds the ID; set it before
    /// the first insertion.
    void SetCreateDataObjects(BOOL bCreate);
    /// With TRUE, listeners hear only of selection changes the user made with mouse or keyboard.
    void ReceiveOnSelChangedByMouseAndKeyboardOnly(BOOL bOnly) { m_bSelChangedByMouseAndKeyboardOnly = bOnly; }
    /// Registers a listener; the tree never deletes it, so it must outlive the tree or its window.
    void AddActionListener(CTavTreeActionListener* pListener);

    /// Identity. A null item, and in data-object mode an item without a data object, has the ID -1 and cannot
    /// have children. The look-ups by ID answer what a walk of the live tree would, however its items were
    /// inserted, renamed, deleted or moved: every such message passes the window procedure, which keeps the ID
    /// index in step (see WindowProc and GetObjectW).
    long GetItemID(HTREEITEM hItem) const;
    /// The item with the ID (the first the walk reaches); null when there is none.
    HTREEITEM FindItem(long lItemID) const;
    /// Whether some item has the ID.
    BOOL IsItem(long lItemID) const;
    /// The text of the item with the ID; empty when there is none.
    CString GetText(long lItemID);
    /// Whether the item accepts children (its data's flag); FALSE for an item without data.
    BOOL ItemCanHaveChildren(HTREEITEM hItem);

    /// Host objects attached to items; in plain mode there is no item data, so items have no object and
    /// setting one does nothing.
    BOOL HasItemObject(HTREEITEM hItem) const;
    /// HasItemObject for the item with the ID.
    BOOL HasItemObject(long lItemID) const;
    /// The host object attached to the item, or null.
    CObject* GetItemObject(HTREEITEM hItem) const;
    /// Same as GetItemObject.
    CObject* GetItemObject_save(HTREEITEM hItem) const { return GetItemObject(hItem); }
    /// GetItemObject for the item with the ID.
    CObject* GetItemObject_save(long lItemID) const;
    /// Attaches a host object, replacing (and, if owned, deleting) the previous one; with bDeleteObject the
    /// item deletes the object when it is deleted or the tree is destroyed.
    void SetItemObject(HTREEITEM hItem, CObject* pObject, BOOL bDeleteObject);
    /// SetItemObject for the item with the ID.
    void SetItemObject(long lItemID, CObject* pObject, BOOL bDeleteObject);
    /// Detaches the item's host object, deleting it if the item owns it.
    void DestroyItemObject(HTREEITEM hItem);

    /// Insertion after the parent's last child; a parent ID of 0 means the root level. A selected-bitmap ID
    /// of -1 shows the normal bitmap when selected.
    HTREEITEM InsertItem(const CString& strText, DWORD dwItemID, DWORD dwParentID, BOOL bCanHaveChildren = TRUE,
                         long nBitmapID = -1, long nSelBitmapID = -1, DWORD crMask = RGB(255, 0, 255),
                         CRuntimeClass* pDataClass = RUNTIME_CLASS(CTavTreeItemData));
    /// The same under a parent given by handle (null or TVI_ROOT: the root level).
    HTREEITEM InsertItem(HTREEITEM hParent, const CString& strText, DWORD dwItemID, BOOL bCanHaveChildren = TRUE,
                         long nBitmapID = -1, long nSelBitmapID = -1, DWORD crMask = RGB(255, 0, 255),
                         CRuntimeClass* pDataClass = RUNTIME_CLASS(CTavTreeItemData));

    /// Keeps the item's state bits (selected, expanded, drop-highlighted) across the change.
    BOOL SetItemText(HTREEITEM hItem, const CString& strText);
    /// Deselects everything below the item before expanding, collapsing or toggling it.
    BOOL Expand(HTREEITEM hItem, UINT nCode);

    /// Shows a bitmap resource of the application (each resource joins the image list once).
    void SetItemPicture(HTREEITEM hItem, long nResID, DWORD crMask);
    /// Adds the bitmap on every call; with bDelete the tree deletes it when it is destroyed.
    void SetItemPicture(HTREEITEM hItem, CBitmap* pBitmap, int bDelete, DWORD crMask);
    /// The bitmap the item shows, when it was set with SetItemPicture; else null.
    CBitmap* GetItemPicture(HTREEITEM hItem);
    /// The resource ID of the item's picture; -1 when it has none or it was given as an object.
    long GetItemPictureResID(HTREEITEM hItem);

    /// The walk that look-ups, dumps and destruction use: parents before children, but an item whose first
    /// child has an empty text counts as childless (hosts put such a child under items not filled yet).
    HTREEITEM GetNextTreeItem(HTREEITEM hItem) const;
    /// The item before hItem in the same walk; null before the first.
    HTREEITEM GetPrevTreeItem(HTREEITEM hItem) const;
    /// Whether hParent is an ancestor of hItem (at any depth).
    BOOL IsChildNodeOf(HTREEITEM hItem, HTREEITEM hParent);
    /// How many items are shown from hItem and its later siblings down through expanded items.
    long CountExpandedItems(HTREEITEM hItem);
    /// The shown item whose label reaches furthest to the right; null when none is shown.
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
    /// Writes every item with its ID and data to the dump context.
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
    /// Deletes the item (its children go with it in the platform tree) and releases its data.
    virtual void DeleteItem(HTREEITEM hItem);
    /// DeleteItem for the item with the ID.
    virtual void DeleteItem(long lItemID);
    /// Deletes the item and its subtree, releasing every item's data.
    virtual void DeleteItemWithChildren(HTREEITEM hItem);
    /// DeleteItemWithChildren for the item with the ID.
    virtual void DeleteItemWithChildren(long lItemID);
    /// Deletes every item and releases their data.
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
    /// Applies the image list and feature styles to a newly created or attached window.
    virtual void InitializeControl();
    /// Starts a drag of the selected items (the platform's begin-drag notifications, or a first move).
    virtual BOOL OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    /// Whether a label edit may start on the item; TRUE unless overridden.
    virtual BOOL CanRenameItem(HTREEITEM hItem);
    /// Sets the new text after the listeners agreed to a rename.
    virtual void OnRenameItem(HTREEITEM hItem, const CString& strText);
    /// Whether the item may be dragged; FALSE refuses the whole drag.
    virtual BOOL IsValidDragItem(HTREEITEM hItem);
    /// Whether the dragged item may be dropped on the target.
    virtual BOOL IsValidDropItem(HTREEITEM hDragItem, HTREEITEM hDropItem);
    /// Creates the 16 x 16, 24-bit masked image list the tree owns.
    virtual void CreateImageList();
    /// Deletes the tree's image list.
    virtual void DeleteImageList();
    /// The rectangle of the item's label; empty for a hidden item.
    virtual void CalcItemRect(HTREEITEM hItem, CRect& rect);
    /// Whether a double click at the point may expand or collapse the item (on its label or left of it).
    virtual BOOL CanToggleExpand(HTREEITEM hItem, const CPoint& point);
    /// Inserts a copy of one item (whole text, pictures, state, data slot) among the target's children in
    /// alphabetical order, or right after a target that may not have children; returns it.
    virtual HTREEITEM TransferItem(HTREEITEM hItem, HTREEITEM hTarget);

    /// Puts the drag, selection and feature state back to its initial values.
    void Init();
    /// Adds and removes window styles of an existing window.
    void SetTreeStyle(DWORD dwAdd, DWORD dwRemove);
    /// Initialises a window attached with SubclassWindow.
    void PreSubclassWindow() override;

    /// Whether the item has an item data object.
    BOOL HasObject(HTREEITEM hItem) const;
    /// The item's data object, null in plain mode. The window cannot see a write to the object's m_lItemID,
    /// so the object counts as lent out: the next look-up by ID takes the ID again from every object lent out
    /// since the previous look-up, without a message. A derived class may therefore change an item's ID by
    /// writing m_lItemID through a pointer fetched since the last look-up; a pointer kept across look-ups
    /// must be fetched again (this call) before the ID is written through it.
    CTavTreeItemData* GetObjectW(HTREEITEM hItem) const;
    /// The same as GetObjectW, lent out on the same terms.
    CTavTreeItemData* GetObject_save(HTREEITEM hItem) const { return GetObjectW(hItem); }
    /// Stores a data object in the item's slot, releasing the previous one.
    void SetObject(HTREEITEM hItem, const CTavTreeItemData* pData);
    /// Releases the item's data object and empties its slot.
    void DestroyObject(HTREEITEM hItem);
    /// Hidden from users of the tree: the item-data slot belongs to the tree.
    void SetItemData(HTREEITEM, DWORD) {}
    /// Hidden: always 0.
    DWORD GetItemData(HTREEITEM) const { return 0; }

    /// Adds a bitmap resource to the image list once and returns its index.
    int AddNewBitmap(UINT nResID, DWORD crMask);
    /// The height of an image of the list; 0 when there is none.
    long GetHeightOfImage(CImageList* pImageList, long nImage);
    /// Images are never removed from the list: other items may share them.
    void DeleteOldImage(int) {}
    /// Does nothing, like DeleteOldImage.
    void DeleteOldImages(HTREEITEM) {}

    /// Tells every listener that the selection changed.
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

    afx_msg BOOL OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);   ///< asks the listeners, then renames
    afx_msg BOOL OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);   ///< refuses or starts a label edit
    afx_msg BOOL OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult);   ///< tells the listeners
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
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);   ///< asks the listeners before toggling
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);   ///< initialises the window
    afx_msg void OnDestroy();   ///< releases the items' data
    DECLARE_MESSAGE_MAP()

    CTavTreeEdit m_wndEdit;   ///< label editor
    BOOL m_bCtrlClickPending;   ///< a Ctrl click waits for the button's release
    BOOL m_bMultiDragAndDrop;   ///< see AllowMultiDragAndDrop
    BOOL m_bLabelEditing;   ///< see AllowLabelEditing
    BOOL m_bDragAndDrop;   ///< see AllowDragAndDrop
    BOOL m_bMultiSelection;   ///< see AllowMultiSelection
    BOOL m_bSelectOnButtonUp;   ///< the press selects on release
    BOOL m_bButtonDown;   ///< the left button is down
    BOOL m_bItemDelete;   ///< see AllowItemDelete
    BOOL m_bSelChangedByMouseAndKeyboardOnly;   ///< see ReceiveOnSelChangedByMouseAndKeyboardOnly
    BOOL m_bDestroyItemData;   ///< deleted items release their data
    BOOL m_bSuppressSelChanged;   ///< selection notifications are not passed on
    CImageList* m_pImageList;   ///< the tree's image list, owned
    CTavTreeDragInformation* m_pDragInfo;   ///< state of the running drag, or null
    HTREEITEM m_hShiftAnchor;   ///< anchor of Shift selections
    BOOL m_bCreateDataObjects;   ///< see SetCreateDataObjects
    CArray<CTavBitmapData, CTavBitmapData&> m_aBitmaps;   ///< pictures added so far
    CArray<CTavTreeActionListener*, CTavTreeActionListener*> m_aListeners;   ///< registered listeners, not owned
    HTREEITEM m_hClickedItem;   ///< the item under the last press

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
    /// Releases the data of every item and empties the index; the items stay for the platform to delete.
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
