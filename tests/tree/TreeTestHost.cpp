#include "TreeTestHost.h"
#include "kit/TreeItems.h"
#include "Archive.h"

IMPLEMENT_SERIAL(CCountedObject, CObject, 1)
IMPLEMENT_SERIAL(CCountedItemData, CTavTreeItemData, 0)

int CCountedObject::s_nNextSerial = 1;
std::map<int, int> CCountedObject::s_mapDeletions;
std::set<const CCountedObject*> CCountedObject::s_setLive;
int CCountedObject::s_nDoubleDeletions = 0;
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
    CCountedObject::s_nDoubleDeletions = 0;
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

std::vector<HTREEITEM> TreeTest::AllItems() const
{
    return kit::AllTreeItems(m_tree);
}

std::map<long, HTREEITEM> TreeTest::FirstItemsByWalk() const
{
    std::map<long, HTREEITEM> mapFirst;
    for (HTREEITEM hItem = m_tree.GetRootItem(); hItem != nullptr; hItem = m_tree.GetNextTreeItem(hItem))
        mapFirst.emplace(m_tree.GetItemID(hItem), hItem);
    return mapFirst;
}

CPoint TreeTest::LabelPoint(HTREEITEM hItem) const
{
    CRect rect;
    EXPECT_TRUE(m_tree.GetItemRect(hItem, &rect, TRUE));
    return rect.CenterPoint();
}

CPoint TreeTest::BesideLabel(HTREEITEM hItem) const
{
    CRect rect;
    EXPECT_TRUE(m_tree.GetItemRect(hItem, &rect, TRUE));
    return CPoint(rect.right + 12, rect.CenterPoint().y);
}

static std::wstring JoinTexts(const CStringArray& aTexts)
{
    std::wstring strJoined;
    for (INT_PTR i = 0; i < aTexts.GetSize(); ++i)
        strJoined += (i > 0 ? L" " : L"") + std::wstring(static_cast<LPCWSTR>(aTexts[i]));
    return strJoined;
}

std::wstring TreeTest::SelectedTexts()
{
    CStringArray aTexts;
    m_tree.GetSelectedItemTexts(aTexts);
    return JoinTexts(aTexts);
}

std::wstring TreeTest::ScannedSelectedTexts() const
{
    CStringArray aTexts;
    for (HTREEITEM hItem : AllItems())
        if (m_tree.GetItemState(hItem, TVIS_SELECTED) != 0)
            aTexts.Add(m_tree.GetItemText(hItem));
    return JoinTexts(aTexts);
}
