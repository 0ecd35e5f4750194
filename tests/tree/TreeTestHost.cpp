#include "TreeTestHost.h"
#include "Archive.h"

IMPLEMENT_SERIAL(CCountedObject, CObject, 1)
IMPLEMENT_SERIAL(CCountedItemData, CTavTreeItemData, 0)

int CCountedObject::s_nNextSerial = 1;
std::map<int, int> CCountedObject::s_mapDeletions;
int CCountedItemData::s_nLive = 0;
int CCountedItemData::s_nDeleted = 0;

void CCountedObject::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_nSerial;
    else
        ar >> m_nSerial;
}

void TreeTest::SetUp()
{
    CCountedObject::s_mapDeletions.clear();
    CCountedItemData::s_nLive = CCountedItemData::s_nDeleted = 0;
    ASSERT_TRUE(m_wndHost.Open(320, 400));
    ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                  TVS_SHOWSELALWAYS,
                              CRect(0, 0, 300, 360), &m_wndHost, 100));
}

void TreeTest::TearDown()
{
    if (m_tree.m_hWnd != nullptr)
        m_tree.DestroyWindow();
    m_wndHost.DestroyWindow();
}

HTREEITEM TreeTest::InsertCounted(HTREEITEM hParent, long lID, LPCWSTR lpszText)
{
    return m_tree.InsertItem(hParent, lpszText, lID, TRUE, -1, -1, 0, RUNTIME_CLASS(CCountedItemData));
}

int TreeTest::GiveOwnedObject(HTREEITEM hItem)
{
    CCountedObject* pObject = new CCountedObject;
    m_tree.SetItemObject(hItem, pObject, TRUE);
    return pObject->m_nSerial;
}

static void CollectItems(const CTavTreeCtrl& tree, HTREEITEM hFirst, std::vector<HTREEITEM>& vecItems)
{
    for (HTREEITEM hItem = hFirst; hItem != nullptr; hItem = tree.GetNextSiblingItem(hItem))
    {
        vecItems.push_back(hItem);
        CollectItems(tree, tree.GetChildItem(hItem), vecItems);
    }
}

std::vector<HTREEITEM> TreeTest::AllItems() const
{
    std::vector<HTREEITEM> vecItems;
    CollectItems(m_tree, m_tree.GetRootItem(), vecItems);
    return vecItems;
}

std::map<long, HTREEITEM> TreeTest::FirstItemsByWalk() const
{
    std::map<long, HTREEITEM> mapFirst;
    for (HTREEITEM hItem = m_tree.GetRootItem(); hItem != nullptr; hItem = m_tree.GetNextTreeItem(hItem))
        mapFirst.emplace(m_tree.GetItemID(hItem), hItem);
    return mapFirst;
}
