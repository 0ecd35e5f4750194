#include "tree/TavTreeCtrl.h"
#include "tree/TavTreeActionListener.h"
#include "tree/TavTreeDragInformation.h"
#include "Archive.h"
#include "DumpContext.h"
#include <algorithm>
#include <memory>

IMPLEMENT_SERIAL(CTavTreeCtrl, CTreeCtrl, VERSIONABLE_SCHEMA | 0)

BEGIN_MESSAGE_MAP(CTavTreeCtrl, CTreeCtrl)
    ON_NOTIFY_REFLECT_EX(TVN_ENDLABELEDITW, OnEndLabelEdit)
    ON_NOTIFY_REFLECT_EX(TVN_BEGINLABELEDITW, OnBeginLabelEdit)
    ON_NOTIFY_REFLECT_EX(TVN_BEGINDRAGW, OnBeginDrag)
    ON_NOTIFY_REFLECT_EX(TVN_BEGINRDRAGW, OnBeginDrag)
    ON_NOTIFY_REFLECT_EX(TVN_ITEMEXPANDINGW, OnItemExpanded)
    ON_NOTIFY_REFLECT_EX(TVN_SELCHANGEDW, OnSelChanged)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CREATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

#include "tree/TavTreeGuards.h"

CTavTreeCtrl::CTavTreeCtrl()
    : m_bSelChangedByMouseAndKeyboardOnly(FALSE), m_bSuppressSelChanged(FALSE), m_pImageList(nullptr),
      m_pDragInfo(nullptr), m_bCreateDataObjects(TRUE), m_hClickedItem(nullptr), m_hEditedItem(nullptr),
      m_hCaret(nullptr), m_pSavedRecord(nullptr), m_lNextSaveKey(0), m_pLoadedObjects(nullptr)
{
    // Init sets the feature flags.
    Init();
    CreateImageList();
}

CTavTreeCtrl::~CTavTreeCtrl()
{
    // Destroying the window here, while this object is still a tree, lets OnDestroy release the item data.
    if (m_hWnd != nullptr)
        DestroyWindow();
    Init();
    DeleteImageList();
    DeleteOwnedBitmaps();
}

void CTavTreeCtrl::Init()
{
    delete m_pDragInfo;
    m_pDragInfo = nullptr;
    m_bCtrlClickPending = FALSE;
    m_bMultiDragAndDrop = FALSE;
    m_bLabelEditing = FALSE;
    m_bDragAndDrop = FALSE;
    m_bMultiSelection = FALSE;
    m_bSelectOnButtonUp = FALSE;
    m_bButtonDown = FALSE;
    m_bItemDelete = FALSE;
    m_hShiftAnchor = nullptr;
    m_bDestroyItemData = TRUE;
}

// A bitmap handed over with ownership more than once is still deleted once.
void CTavTreeCtrl::DeleteOwnedBitmaps()
{
    std::vector<CBitmap*> vecDeleted;
    for (INT_PTR i = 0; i < m_aBitmaps.GetSize(); ++i)
    {
        CBitmap* pBitmap = m_aBitmaps[i].m_pBitmap;
        if (!m_aBitmaps[i].m_bDelete || std::find(vecDeleted.begin(), vecDeleted.end(), pBitmap) != vecDeleted.end())
            continue;
        vecDeleted.push_back(pBitmap);
        delete pBitmap;
    }
    m_aBitmaps.RemoveAll();
}

// 24-bit colour: a list made with ILC_MASK alone has the platform's default of 16 colours.
void CTavTreeCtrl::CreateImageList()
{
    m_pImageList = new CImageList;
    m_pImageList->Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 1);
}

void CTavTreeCtrl::DeleteImageList()
{
    delete m_pImageList;
    m_pImageList = nullptr;
}

void CTavTreeCtrl::InitializeControl()
{
    SetImageList(m_pImageList, TVSIL_NORMAL);
    SetTreeStyle(m_bLabelEditing ? TVS_EDITLABELS : 0, m_bLabelEditing ? 0 : TVS_EDITLABELS);
    SetTreeStyle(m_bDragAndDrop ? 0 : TVS_DISABLEDRAGDROP, m_bDragAndDrop ? TVS_DISABLEDRAGDROP : 0);
}

void CTavTreeCtrl::SetTreeStyle(DWORD dwAdd, DWORD dwRemove)
{
    if (m_hWnd != nullptr)
        ModifyStyle(dwRemove, dwAdd, SWP_NOZORDER);
}

void CTavTreeCtrl::PreSubclassWindow()
{
    CTreeCtrl::PreSubclassWindow();
    // A window taken over with items in it has items the index never saw inserted.
    if (GetCount() != 0)
        m_itemIndex.MarkStale();
    InitializeControl();
}

int CTavTreeCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CTreeCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    InitializeControl();
    return 0;
}

void CTavTreeCtrl::OnDestroy()
{
    if (m_wndEdit.m_hWnd != nullptr)
        m_wndEdit.UnsubclassWindow();
    m_hEditedItem = nullptr;
    ReleaseAllItems();
    // The platform's own teardown may move the caret; listeners hear nothing of a tree going away.
    CFlagGuard suppress(m_bSuppressSelChanged, TRUE);
    CTreeCtrl::OnDestroy();
    m_setSelected.clear();
    m_hCaret = nullptr;
}

void CTavTreeCtrl::AllowLabelEditing()
{
    m_bLabelEditing = TRUE;
    SetTreeStyle(TVS_EDITLABELS, 0);
}

void CTavTreeCtrl::DisAllowLabelEditing()
{
    m_bLabelEditing = FALSE;
    SetTreeStyle(0, TVS_EDITLABELS);
}

void CTavTreeCtrl::AllowDragAndDrop()
{
    m_bDragAndDrop = TRUE;
    SetTreeStyle(0, TVS_DISABLEDRAGDROP);
}

void CTavTreeCtrl::DisAllowDragAndDrop()
{
    m_bDragAndDrop = FALSE;
    SetTreeStyle(TVS_DISABLEDRAGDROP, 0);
}

void CTavTreeCtrl::AddActionListener(CTavTreeActionListener* pListener)
{
    m_aListeners.Add(pListener);
}

void CTavTreeCtrl::CallSelectionChanged()
{
    for (INT_PTR i = 0; i < m_aListeners.GetSize(); ++i)
        m_aListeners[i]->OnSelectionChanged();
}

// ---- The item-data slot ----

BOOL CTavTreeCtrl::ReadSlot(HTREEITEM hItem, LPARAM& lSlot) const
{
    lSlot = 0;
    if (hItem == nullptr)
        return FALSE;
    TVITEMW item = {};
    item.mask = TVIF_PARAM | TVIF_HANDLE;
    item.hItem = hItem;
    if (!GetItem(&item))
        return FALSE;
    lSlot = item.lParam;
    return TRUE;
}

void CTavTreeCtrl::WriteSlot(HTREEITEM hItem, LPARAM lSlot)
{
    CTreeCtrl::SetItemData(hItem, static_cast<DWORD_PTR>(lSlot));
}

// Plain mode keeps the ID sign-extended in the slot; data-object mode keeps the data object's address.
LPARAM CTavTreeCtrl::MakeSlot(long lItemID, const CTavTreeItemData* pData) const
{
    return m_bCreateDataObjects ? reinterpret_cast<LPARAM>(pData) : static_cast<LPARAM>(lItemID);
}

long CTavTreeCtrl::ItemIDFromSlot(LPARAM lSlot) const
{
    if (!m_bCreateDataObjects)
        return static_cast<long>(lSlot);
    const CTavTreeItemData* pData = reinterpret_cast<const CTavTreeItemData*>(lSlot);
    return pData != nullptr ? pData->m_lItemID : -1;
}

BOOL CTavTreeCtrl::HasObject(HTREEITEM hItem) const
{
    return GetObjectW(hItem) != nullptr;
}

CTavTreeItemData* CTavTreeCtrl::GetObjectW(HTREEITEM hItem) const
{
    LPARAM lSlot = 0;
    if (!m_bCreateDataObjects || !ReadSlot(hItem, lSlot))
        return nullptr;
    CTavTreeItemData* pData = reinterpret_cast<CTavTreeItemData*>(lSlot);
    if (pData != nullptr)
        m_itemIndex.Lend(hItem, &pData->m_lItemID);
    return pData;
}

void CTavTreeCtrl::SetObject(HTREEITEM hItem, const CTavTreeItemData* pData)
{
    if (hItem == nullptr)
        return;
    // Storing the data the item already holds must not delete it first.
    const CTavTreeItemData* pOld = GetObjectW(hItem);
    if (pOld != nullptr && pOld != pData && m_bDestroyItemData)
        DestroyObject(hItem);
    WriteSlot(hItem, reinterpret_cast<LPARAM>(pData));
}

void CTavTreeCtrl::DestroyObject(HTREEITEM hItem)
{
    CTavTreeItemData* pData = GetObjectW(hItem);
    if (pData == nullptr)
        return;
    delete pData;
    WriteSlot(hItem, 0);
}

// ---- Identity ----

long CTavTreeCtrl::GetItemID(HTREEITEM hItem) const
{
    LPARAM lSlot = 0;
    if (!ReadSlot(hItem, lSlot))
        return -1;
    return ItemIDFromSlot(lSlot);
}

void CTavTreeCtrl::IndexItem(HTREEITEM hItem) const
{
    LPARAM lSlot = 0;
    if (ReadSlot(hItem, lSlot))
        m_itemIndex.Add(hItem, GetIndexedParent(hItem), ItemIDFromSlot(lSlot), IsTextEmpty(hItem) != FALSE);
}

// The index names every item with the ID; the answer is the one the walk from the root meets first. A
// candidate counts only if it still is a live item with that ID and no ancestor hides it from the walk,
// which only an item with an empty text can do.
HTREEITEM CTavTreeCtrl::FindItem(long lItemID) const
{
    EnsureIndexCurrent();
    const std::vector<HTREEITEM>* pCandidates = m_itemIndex.GetCandidates(lItemID);
    if (pCandidates == nullptr)
        return nullptr;
    HTREEITEM hFound = nullptr;
    for (HTREEITEM hCandidate : *pCandidates)
    {
        LPARAM lSlot = 0;
        if (hCandidate == hFound || !ReadSlot(hCandidate, lSlot) || ItemIDFromSlot(lSlot) != lItemID)
            continue;
        if (m_itemIndex.HasEmptyTexts() && !IsReachedByWalk(hCandidate))
            continue;
        if (hFound == nullptr || IsBeforeInWalk(hCandidate, hFound))
            hFound = hCandidate;
    }
    return hFound;
}

// Only a parent with an empty-text child can hide its children; the live tree says whether that child is
// the first one.
BOOL CTavTreeCtrl::IsReachedByWalk(HTREEITEM hItem) const
{
    for (HTREEITEM hParent = GetIndexedParent(hItem); hParent != nullptr; hParent = GetIndexedParent(hParent))
        if (m_itemIndex.HasEmptyTextChild(hParent) && IsTextEmpty(GetChildItem(hParent)))
            return FALSE;
    return TRUE;
}

// The index knows the parent of every item it holds, without asking the platform.
HTREEITEM CTavTreeCtrl::GetIndexedParent(HTREEITEM hItem) const
{
    HTREEITEM hParent = nullptr;
    return m_itemIndex.GetParent(hItem, hParent) ? hParent : GetParentItem(hItem);
}

// Only for two different items that the walk reaches: a parent comes before its children, and an earlier
// sibling's subtree before a later sibling's.
BOOL CTavTreeCtrl::IsBeforeInWalk(HTREEITEM hFirst, HTREEITEM hSecond) const
{
    std::vector<HTREEITEM> vecFirstPath = GetPathFromRoot(hFirst);
    std::vector<HTREEITEM> vecSecondPath = GetPathFromRoot(hSecond);
    size_t nLevel = 0;
    while (nLevel < vecFirstPath.size() && nLevel < vecSecondPath.size() && vecFirstPath[nLevel] == vecSecondPath[nLevel])
        ++nLevel;
    if (nLevel == vecFirstPath.size())
        return TRUE;
    if (nLevel == vecSecondPath.size())
        return FALSE;
    for (HTREEITEM hSibling = vecFirstPath[nLevel]; hSibling != nullptr; hSibling = GetNextSiblingItem(hSibling))
        if (hSibling == vecSecondPath[nLevel])
            return TRUE;
    return FALSE;
}

std::vector<HTREEITEM> CTavTreeCtrl::GetPathFromRoot(HTREEITEM hItem) const
{
    std::vector<HTREEITEM> vecPath;
    for (; hItem != nullptr; hItem = GetParentItem(hItem))
        vecPath.push_back(hItem);
    std::reverse(vecPath.begin(), vecPath.end());
    return vecPath;
}

BOOL CTavTreeCtrl::IsTextEmpty(HTREEITEM hItem) const
{
    WCHAR szFirst[2] = {};
    TVITEMW item = {};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = hItem;
    item.pszText = szFirst;
    item.cchTextMax = 2;
    return GetItem(&item) && item.pszText != nullptr && item.pszText[0] == L'\0';
}

BOOL CTavTreeCtrl::IsItem(long lItemID) const
{
    return FindItem(lItemID) != nullptr;
}

CString CTavTreeCtrl::GetText(long lItemID)
{
    HTREEITEM hItem = FindItem(lItemID);
    return hItem != nullptr ? GetItemText(hItem) : CString();
}

BOOL CTavTreeCtrl::ItemCanHaveChildren(HTREEITEM hItem)
{
    if (!m_bCreateDataObjects)
        return hItem != nullptr;
    const CTavTreeItemData* pData = GetObjectW(hItem);
    return pData != nullptr && pData->m_bCanHaveChildren;
}

// ---- Host objects ----

BOOL CTavTreeCtrl::HasItemObject(HTREEITEM hItem) const
{
    return GetItemObject(hItem) != nullptr;
}

BOOL CTavTreeCtrl::HasItemObject(long lItemID) const
{
    return HasItemObject(FindItem(lItemID));
}

CObject* CTavTreeCtrl::GetItemObject(HTREEITEM hItem) const
{
    const CTavTreeItemData* pData = GetObjectW(hItem);
    return pData != nullptr ? pData->m_pObject : nullptr;
}

CObject* CTavTreeCtrl::GetItemObject_save(long lItemID) const
{
    return GetItemObject(FindItem(lItemID));
}

void CTavTreeCtrl::SetItemObject(HTREEITEM hItem, CObject* pObject, BOOL bDeleteObject)
{
    CTavTreeItemData* pData = GetObjectW(hItem);
    if (pData == nullptr)
        return;
    if (pData->m_pObject != pObject && pData->m_pObject != nullptr)
        DestroyItemObject(hItem);
    pData->m_pObject = pObject;
    pData->m_bDeleteObject = bDeleteObject;
}

void CTavTreeCtrl::SetItemObject(long lItemID, CObject* pObject, BOOL bDeleteObject)
{
    SetItemObject(FindItem(lItemID), pObject, bDeleteObject);
}

void CTavTreeCtrl::DestroyItemObject(HTREEITEM hItem)
{
    CTavTreeItemData* pData = GetObjectW(hItem);
    if (pData == nullptr)
        return;
    if (pData->m_bDeleteObject && pData->m_pObject != nullptr)
        delete pData->m_pObject;
    pData->m_pObject = nullptr;
    pData->m_bDeleteObject = FALSE;
}

// ---- Insertion ----

HTREEITEM CTavTreeCtrl::InsertItem(const CString& strText, DWORD dwItemID, DWORD dwParentID, BOOL bCanHaveChildren,
                                   long nBitmapID, long nSelBitmapID, DWORD crMask, CRuntimeClass* pDataClass)
{
    const long lParentID = static_cast<long>(dwParentID);
    HTREEITEM hUnverifiedParent = lParentID != 0 ? GetOnlyCandidate(lParentID) : nullptr;
    if (hUnverifiedParent != nullptr)
    {
        HTREEITEM hItem = InsertItem(hUnverifiedParent, strText, dwItemID, bCanHaveChildren, nBitmapID,
                                     nSelBitmapID, crMask, pDataClass);
        if (hItem != nullptr)
            return hItem;
    }
    HTREEITEM hParent = lParentID != 0 ? FindItem(lParentID) : nullptr;
    return InsertItem(hParent, strText, dwItemID, bCanHaveChildren, nBitmapID, nSelBitmapID, crMask, pDataClass);
}

// When one item has the ID and the walk reaches it, that item is what the walk would find, provided it still
// exists. Inserting under it checks that on the way: the platform refuses a parent that is gone, and the
// verified look-up then decides. This keeps building a tree by parent IDs at one message per item.
HTREEITEM CTavTreeCtrl::GetOnlyCandidate(long lItemID) const
{
    EnsureIndexCurrent();
    const std::vector<HTREEITEM>* pCandidates = m_itemIndex.GetCandidates(lItemID);
    if (pCandidates == nullptr || pCandidates->size() != 1)
        return nullptr;
    HTREEITEM hCandidate = pCandidates->front();
    return !m_itemIndex.HasEmptyTexts() || IsReachedByWalk(hCandidate) ? hCandidate : nullptr;
}

HTREEITEM CTavTreeCtrl::InsertItem(HTREEITEM hParent, const CString& strText, DWORD dwItemID, BOOL bCanHaveChildren,
                                   long nBitmapID, long nSelBitmapID, DWORD crMask, CRuntimeClass* pDataClass)
{
    const long lItemID = static_cast<long>(dwItemID);
    if (nSelBitmapID == -1)
        nSelBitmapID = nBitmapID;
    // The selected picture is added first, so a new one gets the lower index.
    const int nSelImage = AddNewBitmap(static_cast<UINT>(nSelBitmapID), crMask);
    const int nImage = AddNewBitmap(static_cast<UINT>(nBitmapID), crMask);

    CTavTreeItemData* pData = m_bCreateDataObjects ? CreateItemData(pDataClass, lItemID, bCanHaveChildren) : nullptr;
    TVINSERTSTRUCTW insert = {};
    insert.hParent = hParent != nullptr ? hParent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(strText));
    insert.item.lParam = MakeSlot(lItemID, pData);
    if (nBitmapID != -1)
    {
        insert.item.mask |= TVIF_IMAGE;
        insert.item.iImage = nImage;
    }
    if (nSelBitmapID != -1)
    {
        insert.item.mask |= TVIF_SELECTEDIMAGE;
        insert.item.iSelectedImage = nSelImage;
    }
    HTREEITEM hItem = CTreeCtrl::InsertItem(&insert);
    if (hItem == nullptr)
        delete pData;
    return hItem;
}

// A class that does not make item data objects leaves the item without data.
CTavTreeItemData* CTavTreeCtrl::CreateItemData(CRuntimeClass* pDataClass, long lItemID, BOOL bCanHaveChildren)
{
    CObject* pObject = pDataClass != nullptr ? pDataClass->CreateObject() : nullptr;
    CTavTreeItemData* pData = DYNAMIC_DOWNCAST(CTavTreeItemData, pObject);
    if (pData == nullptr)
    {
        delete pObject;
        return nullptr;
    }
    pData->m_lItemID = lItemID;
    pData->m_bCanHaveChildren = bCanHaveChildren;
    pData->m_pObject = nullptr;
    pData->m_bDeleteObject = FALSE;
    return pData;
}

// ---- Text, expansion, pictures ----

BOOL CTavTreeCtrl::SetItemText(HTREEITEM hItem, const CString& strText)
{
    if (hItem == nullptr)
        return FALSE;
    const UINT nState = GetItemState(hItem, 0xFFFF);
    const BOOL bResult = CTreeCtrl::SetItemText(hItem, strText);
    SetItemState(hItem, nState, 0xFFFF);
    return bResult;
}

BOOL CTavTreeCtrl::Expand(HTREEITEM hItem, UINT nCode)
{
    if (hItem == nullptr)
        return FALSE;
    ClearSelectionBelow(hItem);
    return CTreeCtrl::Expand(hItem, nCode);
}

int CTavTreeCtrl::AddNewBitmap(UINT nResID, DWORD crMask)
{
    const long lResID = static_cast<long>(nResID);
    if (lResID == -1)
        return -1;
    for (INT_PTR i = 0; i < m_aBitmaps.GetSize(); ++i)
        if (m_aBitmaps[i].m_lResID == lResID)
            return m_aBitmaps[i].m_nImage;
    CBitmap* pBitmap = new CBitmap;
    pBitmap->LoadBitmap(LOWORD(nResID));
    CTavBitmapData record = { pBitmap, lResID, TRUE, m_pImageList->Add(pBitmap, crMask) };
    m_aBitmaps.Add(record);
    return record.m_nImage;
}

void CTavTreeCtrl::SetItemPicture(HTREEITEM hItem, long nResID, DWORD crMask)
{
    const int nImage = AddNewBitmap(static_cast<UINT>(nResID), crMask);
    SetItemImage(hItem, nImage, nImage);
}

void CTavTreeCtrl::SetItemPicture(HTREEITEM hItem, CBitmap* pBitmap, int bDelete, DWORD crMask)
{
    CTavBitmapData record = { pBitmap, -1, bDelete, m_pImageList->Add(pBitmap, crMask) };
    m_aBitmaps.Add(record);
    SetItemImage(hItem, record.m_nImage, record.m_nImage);
}

const CTavBitmapData* CTavTreeCtrl::FindPictureRecord(HTREEITEM hItem)
{
    int nImage = 0;
    int nSelImage = 0;
    if (hItem == nullptr || !GetItemImage(hItem, nImage, nSelImage))
        return nullptr;
    for (INT_PTR i = 0; i < m_aBitmaps.GetSize(); ++i)
        if (m_aBitmaps[i].m_nImage == nImage)
            return &m_aBitmaps[i];
    return nullptr;
}

CBitmap* CTavTreeCtrl::GetItemPicture(HTREEITEM hItem)
{
    const CTavBitmapData* pRecord = FindPictureRecord(hItem);
    return pRecord != nullptr ? pRecord->m_pBitmap : nullptr;
}

long CTavTreeCtrl::GetItemPictureResID(HTREEITEM hItem)
{
    const CTavBitmapData* pRecord = FindPictureRecord(hItem);
    return pRecord != nullptr ? pRecord->m_lResID : -1;
}

long CTavTreeCtrl::GetHeightOfImage(CImageList* pImageList, long nImage)
{
    IMAGEINFO info = {};
    if (pImageList == nullptr || !pImageList->GetImageInfo(static_cast<int>(nImage), &info))
        return 0;
    return info.rcImage.bottom - info.rcImage.top;
}

// ---- Walks ----

HTREEITEM CTavTreeCtrl::GetNextTreeItem(HTREEITEM hItem) const
{
    if (hItem == nullptr)
        return nullptr;
    HTREEITEM hChild = GetChildItem(hItem);
    if (hChild != nullptr && !IsTextEmpty(hChild))
        return hChild;
    for (HTREEITEM hUp = hItem; hUp != nullptr; hUp = GetParentItem(hUp))
    {
        HTREEITEM hNext = GetNextSiblingItem(hUp);
        if (hNext != nullptr)
            return hNext;
    }
    return nullptr;
}

HTREEITEM CTavTreeCtrl::GetPrevTreeItem(HTREEITEM hItem) const
{
    if (hItem == nullptr)
        return nullptr;
    HTREEITEM hPrevSibling = GetPrevSiblingItem(hItem);
    if (hPrevSibling == nullptr)
        return GetParentItem(hItem);
    HTREEITEM hCurrent = hPrevSibling;
    for (;;)
    {
        HTREEITEM hLast = GetLastChildItem(hCurrent);
        if (hLast == nullptr)
            return hCurrent;
        if (IsTextEmpty(hLast))
            return hPrevSibling;
        hCurrent = hLast;
    }
}

HTREEITEM CTavTreeCtrl::GetLastChildItem(HTREEITEM hItem) const
{
    HTREEITEM hLast = GetChildItem(hItem);
    for (HTREEITEM hNext = hLast; hNext != nullptr; hNext = GetNextSiblingItem(hNext))
        hLast = hNext;
    return hLast;
}

BOOL CTavTreeCtrl::IsChildNodeOf(HTREEITEM hItem, HTREEITEM hParent)
{
    if (hItem == nullptr)
        return FALSE;
    for (HTREEITEM hAncestor = GetParentItem(hItem); hAncestor != nullptr; hAncestor = GetParentItem(hAncestor))
        if (hAncestor == hParent)
            return TRUE;
    return FALSE;
}

long CTavTreeCtrl::CountExpandedItems(HTREEITEM hItem)
{
    long lCount = 0;
    for (; hItem != nullptr; hItem = GetNextSiblingItem(hItem))
    {
        ++lCount;
        HTREEITEM hChild = GetChildItem(hItem);
        if (hChild == nullptr)
            continue;
        CRect rect;
        CalcItemRect(hChild, rect);
        if (rect.Width() >= 1 && rect.Height() >= 1)
            lCount += CountExpandedItems(hChild);
    }
    return lCount;
}

HTREEITEM CTavTreeCtrl::GetLongestExpandedItem()
{
    HTREEITEM hLongest = nullptr;
    long lRight = 0;
    for (HTREEITEM hItem = GetRootItem(); hItem != nullptr; hItem = GetNextTreeItem(hItem))
    {
        CRect rect(0, 0, 0, 0);
        CalcItemRect(hItem, rect);
        if (rect.Height() > 0 && rect.Width() >= 1 && rect.right > lRight)
        {
            hLongest = hItem;
            lRight = rect.right;
        }
    }
    return hLongest;
}

// A hidden item leaves the rectangle empty.
void CTavTreeCtrl::CalcItemRect(HTREEITEM hItem, CRect& rect)
{
    rect.SetRectEmpty();
    if (hItem != nullptr && !GetItemRect(hItem, &rect, TRUE))
        rect.SetRectEmpty();
}

BOOL CTavTreeCtrl::CanToggleExpand(HTREEITEM hItem, const CPoint& point)
{
    CRect rect;
    if (hItem == nullptr || !GetItemRect(hItem, &rect, TRUE))
        return FALSE;
    return rect.PtInRect(point) || rect.left > point.x;
}

// ---- Deletion ----

void CTavTreeCtrl::ReleaseItem(HTREEITEM hItem)
{
    if (m_bDestroyItemData)
        DestroyObject(hItem);
    m_itemIndex.Remove(hItem);
}

// Every item, including those in subtrees that the walk skips.
void CTavTreeCtrl::ReleaseAllItems()
{
    for (HTREEITEM hRoot = GetRootItem(); hRoot != nullptr; hRoot = GetNextSiblingItem(hRoot))
    {
        ForgetDescendants(hRoot);
        ReleaseItem(hRoot);
    }
    m_itemIndex.RemoveAll();
}

void CTavTreeCtrl::ForgetDescendants(HTREEITEM hItem)
{
    for (HTREEITEM hChild = GetChildItem(hItem); hChild != nullptr; hChild = GetNextSiblingItem(hChild))
    {
        ForgetDescendants(hChild);
        ReleaseItem(hChild);
    }
}

// The platform leaves an edit open on an item deleted under it and would later hand the typed text over with
// the dead handle; the edit ends as cancelled first. A null item stands for the whole tree.
void CTavTreeCtrl::CancelEditWithin(HTREEITEM hItem)
{
    if (m_hEditedItem != nullptr &&
        (hItem == nullptr || hItem == m_hEditedItem || IsChildNodeOf(m_hEditedItem, hItem)))
        EndEditLabelNow(TRUE);
}

// The window procedure releases what the platform deletes. A moved item's data lives on in its new item, so
// the procedure is told to leave it; a moved item known to have no children spares the look for them.
void CTavTreeCtrl::RemovePlatformItem(HTREEITEM hItem, BOOL bReleaseData, BOOL bMayHaveChildren)
{
    if (!bReleaseData)
        m_movedItem = { hItem, bMayHaveChildren };
    CTreeCtrl::DeleteItem(hItem);
    m_movedItem = {};
}

void CTavTreeCtrl::DeleteItem(HTREEITEM hItem)
{
    m_hClickedItem = nullptr;
    if (hItem == nullptr)
        return;
    CFlagGuard suppress(m_bSuppressSelChanged, TRUE);
    RemovePlatformItem(hItem, TRUE);
}

void CTavTreeCtrl::DeleteItem(long lItemID)
{
    m_hClickedItem = nullptr;
    HTREEITEM hItem = FindItem(lItemID);
    if (hItem == nullptr)
        return;
    CFlagGuard suppress(m_bSuppressSelChanged, TRUE);
    DeleteItem(hItem);
}

void CTavTreeCtrl::DeleteItemWithChildren(HTREEITEM hItem)
{
    m_hClickedItem = nullptr;
    if (hItem == nullptr)
        return;
    HTREEITEM hChild = GetChildItem(hItem);
    while (hChild != nullptr)
    {
        HTREEITEM hNext = GetNextSiblingItem(hChild);
        DeleteItemWithChildren(hChild);
        hChild = hNext;
    }
    DeleteItem(hItem);
}

void CTavTreeCtrl::DeleteItemWithChildren(long lItemID)
{
    m_hClickedItem = nullptr;
    HTREEITEM hItem = FindItem(lItemID);
    if (hItem != nullptr)
        DeleteItemWithChildren(hItem);
}

BOOL CTavTreeCtrl::DeleteAllItems()
{
    m_hClickedItem = nullptr;
    HTREEITEM hRoot = GetRootItem();
    while (hRoot != nullptr)
    {
        HTREEITEM hNext = GetNextSiblingItem(hRoot);
        DeleteItemWithChildren(hRoot);
        hRoot = hNext;
    }
    // Whatever an override of the deletes left behind still gives back its data (the window procedure sees to it).
    CFlagGuard suppress(m_bSuppressSelChanged, TRUE);
    CTreeCtrl::DeleteAllItems();
    m_hShiftAnchor = nullptr;
    return TRUE;
}

// ---- Label editing ----

BOOL CTavTreeCtrl::CanRenameItem(HTREEITEM)
{
    return TRUE;
}

void CTavTreeCtrl::OnRenameItem(HTREEITEM hItem, const CString& strText)
{
    for (INT_PTR i = 0; i < m_aListeners.GetSize(); ++i)
        if (m_aListeners[i]->OnRenameItem(hItem, strText) == 0)
            return;
    SetItemText(hItem, strText);
}

BOOL CTavTreeCtrl::OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    HTREEITEM hItem = reinterpret_cast<NMTVDISPINFOW*>(pNMHDR)->item.hItem;
    if (!CanRenameItem(hItem))
    {
        *pResult = 1;
        return TRUE;
    }
    for (INT_PTR i = 0; i < m_aListeners.GetSize(); ++i)
        m_aListeners[i]->OnBeginLabelEdit(hItem);
    if (m_wndEdit.m_hWnd != nullptr)
        m_wndEdit.UnsubclassWindow();
    m_wndEdit.SubclassWindow(GetEditControlHandle());
    m_hEditedItem = hItem;
    CTavTreeEdit::s_bLabelEditCancelled = FALSE;
    *pResult = 0;
    return FALSE;
}

// The platform may announce the end of one edit twice (a cancel, then the edit's loss of focus); only the
// first counts. A cancel by the platform comes without text and renames nothing.
BOOL CTavTreeCtrl::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMTVDISPINFOW* pInfo = reinterpret_cast<NMTVDISPINFOW*>(pNMHDR);
    // A parent that answers this notification with TRUE has the platform rename the item unseen, even the
    // second time the platform announces one edit's end.
    m_itemIndex.MarkTextUnverified(pInfo->item.hItem);
    if (m_hEditedItem == nullptr)
        return FALSE;
    HTREEITEM hItem = m_hEditedItem;
    m_hEditedItem = nullptr;
    const BOOL bRename = !CTavTreeEdit::s_bLabelEditCancelled && pInfo->item.pszText != nullptr && CanRenameItem(hItem);
    CString strText;
    if (m_wndEdit.m_hWnd != nullptr)
    {
        m_wndEdit.GetWindowText(strText);
        m_wndEdit.UnsubclassWindow();
    }
    if (bRename)
        OnRenameItem(hItem, strText);
    return FALSE;
}

BOOL CTavTreeCtrl::PreTranslateEditMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN)
    {
        switch (pMsg->wParam)
        {
        case VK_UP:
        case VK_DOWN:
            // Taking the focus ends the edit with its text.
            SetFocus();
            return CTreeCtrl::PreTranslateMessage(pMsg);
        case VK_LEFT:
        case VK_RIGHT:
            return m_wndEdit.IsDialogMessage(pMsg);
        }
    }
    return m_wndEdit.PreTranslateMessage(pMsg);
}

// ---- Listeners of mouse and expansion ----

void CTavTreeCtrl::OnLButtonDblClk(UINT, CPoint point)
{
    UINT nHitFlags = 0;
    HTREEITEM hItem = HitTest(point, &nHitFlags);
    if (hItem != nullptr && (nHitFlags & TVHT_ONITEMBUTTON))
    {
        Expand(hItem, TVE_TOGGLE);
        return;
    }
    bool bToggle = true;
    for (INT_PTR i = 0; i < m_aListeners.GetSize(); ++i)
        if (!m_aListeners[i]->OnItemDoubleClick(hItem))
            bToggle = false;
    if (bToggle && CanToggleExpand(hItem, point))
        Expand(hItem, TVE_TOGGLE);
}

// Listeners hear the pressed item while a press is handled, else the item the platform names.
BOOL CTavTreeCtrl::OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult)
{
    HTREEITEM hItem = m_hClickedItem != nullptr ? m_hClickedItem : reinterpret_cast<NMTREEVIEWW*>(pNMHDR)->itemNew.hItem;
    for (INT_PTR i = 0; i < m_aListeners.GetSize(); ++i)
        m_aListeners[i]->OnItemExpanded(hItem);
    *pResult = 0;
    return FALSE;
}

// ---- Diagnostics ----

void CTavTreeCtrl::Dump(CDumpContext& dc) const
{
    dc << L"Tree contents:\n";
    for (HTREEITEM hItem = GetRootItem(); hItem != nullptr; hItem = GetNextTreeItem(hItem))
    {
        dc << L"*** Item Text: " << GetItemText(hItem) << L" ***\n";
        const CTavTreeItemData* pData = GetObjectW(hItem);
        if (pData == nullptr)
            continue;
        dc << L"*** Classname of Item: " << pData->GetRuntimeClass()->m_lpszClassName << L" ***\n";
        pData->Dump(dc);
    }
}

