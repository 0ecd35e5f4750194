// The tree finds items by ID through an index; these tests compare every look-up with the plain walk after
// each step of a long random sequence of operations.
#include "TreeTestHost.h"
#include <random>

namespace
{
const long s_lLowestID = -2;
const long s_lHighestID = 30;   // a small range, so that IDs repeat
}

class TreeIndexEquivalence : public TreeTest
{
protected:
    long RandomID() { return std::uniform_int_distribution<long>(s_lLowestID, s_lHighestID)(m_random); }
    int Random(int nBelow) { return std::uniform_int_distribution<int>(0, nBelow - 1)(m_random); }
    CString RandomText() { return Random(6) == 0 ? CString() : CString(L"Item"); }

    HTREEITEM RandomItem()
    {
        const std::vector<HTREEITEM> vecItems = AllItems();
        return vecItems.empty() ? nullptr : vecItems[Random(static_cast<int>(vecItems.size()))];
    }

    // The parent named by ID is the first item of that ID in walk order; none puts the item at the root level.
    void InsertUnderParentID(long lParentID)
    {
        const std::map<long, HTREEITEM> mapFirst = FirstItemsByWalk();
        auto it = mapFirst.find(lParentID);
        const HTREEITEM hExpectedParent = lParentID != 0 && it != mapFirst.end() ? it->second : nullptr;
        HTREEITEM hItem = m_tree.InsertItem(RandomText(), static_cast<DWORD>(RandomID()), static_cast<DWORD>(lParentID));
        EXPECT_EQ(hExpectedParent, m_tree.GetParentItem(hItem)) << "parent ID " << lParentID;
    }

    void RunRandomOperation()
    {
        HTREEITEM hItem = RandomItem();
        HTREEITEM hOther = RandomItem();
        switch (Random(15))
        {
        case 0:
        case 1:
        case 2:
            InsertUnderParentID(RandomID());
            break;
        case 3:
        case 4:
            m_tree.InsertItem(Random(4) == 0 ? nullptr : hItem, RandomText(), static_cast<DWORD>(RandomID()));
            break;
        case 5:
            if (hItem != nullptr)
                m_tree.SetItemText(hItem, RandomText());
            break;
        case 6:
            m_tree.DeleteItem(hItem);
            break;
        case 7:
            m_tree.DeleteItem(RandomID());
            break;
        case 8:
            m_tree.DeleteItemWithChildren(Random(2) ? hItem : m_tree.FindItem(RandomID()));
            break;
        case 9:
            m_tree.MoveItemWithChildren(hItem, hOther);
            break;
        case 10:
            m_tree.MoveItem(hItem, hOther);
            break;
        case 11:
            if (m_tree.GetCount() < 120)
                m_tree.CopyItemWithChildren(hItem, hOther);
            break;
        case 12:
            if (hItem != nullptr && m_bDataObjects)
                m_tree.SetObject(hItem, new CTavTreeItemData(RandomID(), TRUE, nullptr, FALSE));
            break;
        case 13:
            if (Random(20) == 0)
                m_tree.DeleteAllItems();
            break;
        case 14:
            // The platform deletes the children of an item collapsed with a reset.
            m_tree.Expand(hItem, TVE_EXPAND);
            m_tree.Expand(hItem, TVE_COLLAPSE | TVE_COLLAPSERESET);
            break;
        }
    }

    void ExpectLookupsMatchTheWalk(int nStep)
    {
        const std::map<long, HTREEITEM> mapFirst = FirstItemsByWalk();
        for (long lID = s_lLowestID - 1; lID <= s_lHighestID + 1; ++lID)
        {
            auto it = mapFirst.find(lID);
            const HTREEITEM hExpected = it == mapFirst.end() ? nullptr : it->second;
            ASSERT_EQ(hExpected, m_tree.FindItem(lID)) << "ID " << lID << " after step " << nStep;
            ASSERT_EQ(hExpected != nullptr, m_tree.IsItem(lID));
        }
    }

    void RunSequence(int nSteps)
    {
        int nDuplicatesSeen = 0;
        for (int nStep = 0; nStep < nSteps; ++nStep)
        {
            RunRandomOperation();
            ExpectLookupsMatchTheWalk(nStep);
            if (::testing::Test::HasFatalFailure())
                return;
            if (FirstItemsByWalk().size() < AllItems().size())
                ++nDuplicatesSeen;
        }
        // The sequence must really have exercised repeated and hidden IDs.
        EXPECT_GT(nDuplicatesSeen, nSteps / 4);
    }

    std::mt19937 m_random{ 5 };
    BOOL m_bDataObjects = TRUE;
};

TEST_F(TreeIndexEquivalence, DataObjectModeMatchesThePlainWalk)
{
    RunSequence(1500);
}

TEST_F(TreeIndexEquivalence, PlainModeMatchesThePlainWalk)
{
    m_bDataObjects = FALSE;
    m_tree.SetCreateDataObjects(FALSE);
    RunSequence(1000);
}
