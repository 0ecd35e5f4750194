// CTavTreeCtrl: saving the tree to an archive and loading it back. The archive holds the image list, then one
// record per item in walk order, each naming its parent by a key, then a 0.
#include "tree/TavTreeCtrl.h"
#include "tree/TavTreeGuards.h"
#include "Archive.h"
#include "Exceptions.h"
#include <memory>

namespace
{
// The state bits an archive keeps: selected and expanded.
const UINT s_nSavedStates = TVIS_SELECTED | TVIS_EXPANDED;
// Key maps of a load hold every item; a table this size keeps their chains short up to tens of thousands.
const UINT s_nKeyMapHashSize = 32771;
const int s_nTextBufferSize = 512;
}

void CTavTreeCtrl::Serialize(CArchive& ar)
{
    if (ar.IsLoading())
        LoadTree(ar);
    else
        SaveTree(ar);
}

// ---- Saving ----

// Keys are numbers in walk order, given out afresh for each archive: handles cut to 32 bits could collide.
void CTavTreeCtrl::SaveTree(CArchive& ar)
{
    HIMAGELIST hImageList = GetImageListHandle(TVSIL_NORMAL);
    ar << (hImageList != nullptr ? 1 : 0);
    if (hImageList != nullptr)
    {
        CImageList imageList;
        imageList.Attach(hImageList);
        const BOOL bWritten = imageList.Write(&ar);
        imageList.Detach();
        if (!bWritten)
            AfxThrowArchiveException(CArchiveException::genericException);
    }
    m_lNextSaveKey = 0;
    m_mapSaveKeys.clear();
    m_mapSaveKeys.reserve(GetCount());
    try
    {
        SaveSubtree(GetRootItem(), 0, ar);
    }
    catch (...)
    {
        m_mapSaveKeys.clear();
        throw;
    }
    m_mapSaveKeys.clear();
    ar << 0;
}

// The items from hFirst on and their subtrees, in the order of GetNextTreeItem, reading each item once: the
// children flag and the text of a first child decide whether the walk enters a parent at all.
void CTavTreeCtrl::SaveSubtree(HTREEITEM hFirst, long lParentKey, CArchive& ar)
{
    for (HTREEITEM hItem = hFirst; hItem != nullptr; hItem = GetNextSiblingItem(hItem))
    {
        WCHAR szText[s_nTextBufferSize] = {};
        CSavedRecord record = { hItem, {}, CString(), lParentKey };
        record.item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM | TVIF_CHILDREN;
        record.item.hItem = hItem;
        record.item.pszText = szText;
        record.item.cchTextMax = s_nTextBufferSize;
        record.item.stateMask = s_nSavedStates;
        if (!GetItem(&record.item))
            return;
        record.strText = ReadLongText(hItem, szText);
        if (hItem == hFirst && lParentKey != 0 && record.strText.IsEmpty())
            return;
        m_pSavedRecord = &record;
        try
        {
            SaveItem(hItem, ar);
        }
        catch (...)
        {
            m_pSavedRecord = nullptr;
            throw;
        }
        m_pSavedRecord = nullptr;
        // The item's children flag spares leaves the look for a first child.
        HTREEITEM hChild = record.item.cChildren != 0 ? GetChildItem(hItem) : nullptr;
        if (hChild != nullptr)
            SaveSubtree(hChild, m_mapSaveKeys.at(hItem), ar);
    }
}

// SaveTree hands over what it has read of the item; an item given otherwise is read here.
void CTavTreeCtrl::SaveItem(HTREEITEM hItem, CArchive& ar)
{
    CSavedRecord fresh = {};
    const CSavedRecord* pRecord = m_pSavedRecord;
    if (pRecord == nullptr || pRecord->hItem != hItem)
    {
        fresh.item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM;
        fresh.item.hItem = hItem;
        fresh.item.stateMask = s_nSavedStates;
        GetItem(&fresh.item);
        fresh.strText = GetItemText(hItem);
        auto itParent = m_mapSaveKeys.find(GetParentItem(hItem));
        fresh.lParentKey = itParent != m_mapSaveKeys.end() ? itParent->second : 0;
        pRecord = &fresh;
    }
    const long lKey = ++m_lNextSaveKey;
    m_mapSaveKeys[hItem] = lKey;
    const TVITEMW& item = pRecord->item;
    const CTavTreeItemData* pData = m_bCreateDataObjects ? reinterpret_cast<const CTavTreeItemData*>(item.lParam) : nullptr;
    ar << lKey << pRecord->strText << item.iImage << item.iSelectedImage << (pData != nullptr ? 1 : 0);
    if (pData != nullptr)
        ar.WriteObject(pData);
    ar << pRecord->lParentKey << (item.state & s_nSavedStates);
}

// ---- Loading ----

// A fault in the archive leaves the items read so far in the tree; the focus goes back either way.
void CTavTreeCtrl::LoadTree(CArchive& ar)
{
    HWND hWndFocus = ::GetFocus();
    SetFocus();
    DeleteAllItems();
    if (GetImageListHandle(TVSIL_NORMAL) != nullptr && m_pImageList != nullptr)
        m_pImageList->Remove(-1);
    CLoadedObjects loaded;
    m_pLoadedObjects = &loaded;
    try
    {
        int nHasImageList = 0;
        ar >> nHasImageList;
        if (nHasImageList != 0)
        {
            if (m_pImageList == nullptr)
                m_pImageList = new CImageList;
            m_pImageList->Read(&ar);
            SetImageList(m_pImageList, TVSIL_NORMAL);
        }
        CMap<long, long&, HTREEITEM, HTREEITEM&> mapKeys(10);
        mapKeys.InitHashTable(s_nKeyMapHashSize);
        long lItemKey = 0;
        for (ar >> lItemKey; lItemKey != 0; ar >> lItemKey)
            LoadItem(ar, lItemKey, mapKeys);
    }
    catch (...)
    {
        ExpandLoadedItems();
        m_pLoadedObjects = nullptr;
        if (hWndFocus != nullptr && hWndFocus != m_hWnd)
            ::SetFocus(hWndFocus);
        throw;
    }
    ExpandLoadedItems();
    m_pLoadedObjects = nullptr;
    if (hWndFocus != nullptr && hWndFocus != m_hWnd)
        ::SetFocus(hWndFocus);
}

// Items are inserted under collapsed parents, where the platform does no layout; the parents open at the end
// with drawing off, so that the layout is done once.
void CTavTreeCtrl::ExpandLoadedItems()
{
    if (m_pLoadedObjects->vecExpanded.empty())
        return;
    SetRedraw(FALSE);
    for (HTREEITEM hItem : m_pLoadedObjects->vecExpanded)
        SetItemState(hItem, TVIS_EXPANDED, TVIS_EXPANDED);
    SetRedraw(TRUE);
    Invalidate();
}

void CTavTreeCtrl::LoadItem(CArchive& ar, long lItemKey, CMap<long, long&, HTREEITEM, HTREEITEM&>& mapKeys)
{
    CString strText;
    int nImage = 0;
    int nSelImage = 0;
    int nHasObject = 0;
    ar >> strText >> nImage >> nSelImage >> nHasObject;
    CTavTreeItemData* pLoaded = nullptr;
    if (nHasObject != 0)
    {
        pLoaded = static_cast<CTavTreeItemData*>(ar.ReadObject(RUNTIME_CLASS(CTavTreeItemData)));
        CheckLoadedData(pLoaded);
    }
    // Released unless the record joins the tree with it; plain mode keeps only the ID.
    std::unique_ptr<CTavTreeItemData> pData(pLoaded);
    long lParentKey = 0;
    UINT nState = 0;
    ar >> lParentKey >> nState;

    HTREEITEM hParent = nullptr;
    if (lParentKey != 0)
        mapKeys.Lookup(lParentKey, hParent);
    TVINSERTSTRUCTW insert = {};
    insert.hParent = hParent != nullptr ? hParent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
    insert.item.pszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(strText));
    insert.item.iImage = nImage;
    insert.item.iSelectedImage = nSelImage;
    // Within LoadTree the expanded bits wait for the end of the load.
    const UINT nInsertedStates = m_pLoadedObjects != nullptr ? TVIS_SELECTED : s_nSavedStates;
    insert.item.state = nState & nInsertedStates;
    insert.item.stateMask = nInsertedStates;
    const long lItemID = pData != nullptr ? pData->m_lItemID : (m_bCreateDataObjects ? -1 : 0);
    insert.item.lParam = MakeSlot(lItemID, pData.get());
    HTREEITEM hItem = CTreeCtrl::InsertItem(&insert);
    if (hItem == nullptr)
        return;
    if (m_pLoadedObjects != nullptr && (nState & TVIS_EXPANDED))
        m_pLoadedObjects->vecExpanded.push_back(hItem);
    if (pData != nullptr && m_pLoadedObjects != nullptr)
    {
        m_pLoadedObjects->setItemData.insert(pData.get());
        if (pData->m_pObject != nullptr)
            m_pLoadedObjects->mapHostOwned[pData->m_pObject] |= pData->m_bDeleteObject;
    }
    if (m_bCreateDataObjects)
        pData.release();
    else if (pData != nullptr && m_pLoadedObjects != nullptr)
        m_pLoadedObjects->vecPlainModeData.push_back(std::move(pData));
    mapKeys[lItemKey] = hItem;
}

// An archive can make one object stand in several places. Item data shared by two items, or also serving
// as a host object, item data that is its own host object, and a host object owned by two items would be
// deleted twice; the record is refused before it joins the tree, and only what no item holds is released.
void CTavTreeCtrl::CheckLoadedData(CTavTreeItemData* pData)
{
    if (m_pLoadedObjects == nullptr)
        return;
    const CLoadedObjects& loaded = *m_pLoadedObjects;
    if (loaded.setItemData.count(pData) != 0 || loaded.mapHostOwned.count(pData) != 0)
        AfxThrowArchiveException(CArchiveException::badIndex);
    const CObject* pObject = pData->m_pObject;
    if (pObject == nullptr)
        return;
    auto itHost = loaded.mapHostOwned.find(pObject);
    const BOOL bOwnedTwice = pData->m_bDeleteObject && itHost != loaded.mapHostOwned.end() && itHost->second;
    if (pObject != pData && loaded.setItemData.count(pObject) == 0 && !bOwnedTwice)
        return;
    pData->m_pObject = nullptr;
    pData->m_bDeleteObject = FALSE;
    delete pData;
    AfxThrowArchiveException(CArchiveException::badIndex);
}
