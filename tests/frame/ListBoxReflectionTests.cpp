// An owner-drawn list box without strings hears of comparisons, deletions and keys through its parent's
// reflection of WM_COMPAREITEM, WM_DELETEITEM, WM_VKEYTOITEM and WM_CHARTOITEM.
#include "ListBox.h"
#include "kit/Host.h"
#include "kit/Input.h"

#include <gtest/gtest.h>
#include <vector>

namespace
{
class CReflectedListBox : public CListBox
{
public:
    std::vector<DWORD_PTR> m_vecDeleted;
    std::vector<UINT> m_vecKeys;
    std::vector<UINT> m_vecChars;

    int CompareItem(LPCOMPAREITEMSTRUCT p) override
    {
        return p->itemData1 < p->itemData2 ? -1 : p->itemData1 > p->itemData2 ? 1 : 0;
    }
    void DeleteItem(LPDELETEITEMSTRUCT p) override { m_vecDeleted.push_back(p->itemData); }
    // Both keep the caret where it is: -2 says the key was handled.
    int VKeyToItem(UINT nKey, UINT) override
    {
        m_vecKeys.push_back(nKey);
        return -2;
    }
    int CharToItem(UINT nChar, UINT) override
    {
        m_vecChars.push_back(nChar);
        return -2;
    }
};
}

TEST(ListBoxReflection, SortingDeletionsAndKeysReachTheListBoxThroughItsParent)
{
    kit::CHostDialog host;
    ASSERT_TRUE(host.Open(200, 200));
    CReflectedListBox list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_SORT | LBS_OWNERDRAWFIXED | LBS_WANTKEYBOARDINPUT, CRect(10, 10, 150, 150),
                            &host, 100));
    for (DWORD_PTR dwData : {30, 10, 20})
        list.SendMessage(LB_ADDSTRING, 0, static_cast<LPARAM>(dwData));
    EXPECT_EQ((std::vector<DWORD_PTR>{10, 20, 30}),
              (std::vector<DWORD_PTR>{list.GetItemData(0), list.GetItemData(1), list.GetItemData(2)}));

    list.SetCaretIndex(0);
    list.SetFocus();
    kit::PressKey(VK_DOWN);
    kit::TypeText(L"a");
    EXPECT_EQ((std::vector<UINT>{VK_DOWN, 'A'}), list.m_vecKeys);
    EXPECT_EQ(std::vector<UINT>{'a'}, list.m_vecChars);
    EXPECT_EQ(0, list.GetCaretIndex());

    list.DeleteString(1);
    list.ResetContent();  // from the last item down
    EXPECT_EQ((std::vector<DWORD_PTR>{20, 30, 10}), list.m_vecDeleted);
}
