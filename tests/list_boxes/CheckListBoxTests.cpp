// The check list box: string-keyed operations, spreading a user's check over a multiple selection, the hidden
// per-item records, the row height of a list box taken over from a dialog, and the hit test from the layout.
#include "ListBoxHost.h"
#include "kit/Slots.h"

#include <malloc.h>
#include <set>
#include <string>

namespace
{
const CRect kListRect(10, 10, 160, 200);

std::vector<int> Checks(CCheckListBox& list)
{
    std::vector<int> vecChecks;
    for (int i = 0; i < list.GetCount(); ++i)
        vecChecks.push_back(list.GetCheck(i));
    return vecChecks;
}

std::vector<int> Selection(CListBox& list)
{
    std::vector<int> vecSelected;
    for (int i = 0; i < list.GetCount(); ++i)
        if (list.GetSel(i) > 0)
            vecSelected.push_back(i);
    return vecSelected;
}

std::vector<std::wstring> Texts(const CStringArray& arr)
{
    std::vector<std::wstring> vecTexts;
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
        vecTexts.push_back(static_cast<LPCWSTR>(arr[i]));
    return vecTexts;
}

enum class Action { ClickBox, SpaceOnCaret, DoubleClickBox };

struct SpreadCase
{
    const char* pszName;
    DWORD dwSelectionStyle;
    UINT nCheckStyle;
    std::vector<int> vecSelectedBefore;
    int nItem;        // the box clicked, or the caret for Space
    Action action;
    std::vector<int> vecChecks;
    std::vector<int> vecSelectedAfter;
};

const SpreadCase s_spreadCases[] = {
    {"single selection never spreads", LBS_NOTIFY, BS_AUTOCHECKBOX, {1}, 2, Action::ClickBox, {0, 2, 1, 0, 0}, {2}},
    {"click inside three selected", kMultiple, BS_AUTOCHECKBOX, {0, 1, 2}, 0, Action::ClickBox, {1, 1, 1, 0, 0}, {0, 1, 2}},
    {"click outside three selected", kMultiple, BS_AUTOCHECKBOX, {0, 1, 2}, 4, Action::ClickBox, {1, 1, 1, 0, 1}, {0, 1, 2}},
    {"one selected changes one box", kMultiple, BS_AUTOCHECKBOX, {3}, 3, Action::ClickBox, {0, 2, 0, 1, 0}, {3}},
    {"BS_CHECKBOX click", kMultiple, BS_CHECKBOX, {0, 1, 2}, 1, Action::ClickBox, {0, 2, 0, 0, 0}, {1}},
    {"BS_3STATE click", kMultiple, BS_3STATE, {0, 1, 2}, 1, Action::ClickBox, {0, 2, 0, 0, 0}, {1}},
    {"Space on three selected", kMultiple, BS_AUTOCHECKBOX, {0, 1, 2}, 2, Action::SpaceOnCaret, {1, 1, 1, 0, 0}, {0, 1, 2}},
    {"BS_CHECKBOX Space spreads the unchanged check", kMultiple, BS_CHECKBOX, {0, 1, 2}, 1, Action::SpaceOnCaret, {2, 2, 2, 0, 0}, {0, 1, 2}},
    {"BS_3STATE Space spreads the unchanged check", kMultiple, BS_3STATE, {0, 1, 2}, 1, Action::SpaceOnCaret, {2, 2, 2, 0, 0}, {0, 1, 2}},
    {"double click on a box is a second click", kMultiple, BS_AUTO3STATE, {0, 2, 3}, 3, Action::DoubleClickBox, {2, 2, 2, 2, 0}, {0, 2, 3}},
};
}

class CheckSpreading : public ListBoxTest, public ::testing::WithParamInterface<SpreadCase>
{
};

TEST_P(CheckSpreading, AUsersCheckChangeReachesTheItemsSelectedBefore)
{
    const SpreadCase& c = GetParam();
    MakeList(c.dwSelectionStyle, kListRect, {L"Alpha", L"Beta", L"Gamma", L"Delta", L"Epsilon"});
    m_list.SetCheckStyle(c.nCheckStyle);
    m_list.SetCheck(1, 2);  // an indeterminate item: what the styles without toggling keep and spread
    for (int nIndex : c.vecSelectedBefore)
        c.dwSelectionStyle & LBS_EXTENDEDSEL ? m_list.SetSel(nIndex) : m_list.SetCurSel(nIndex);
    m_list.SetCaretIndex(c.nItem);
    switch (c.action)
    {
    case Action::ClickBox: kit::Click(&m_list, m_list.BoxPoint(c.nItem)); break;
    case Action::SpaceOnCaret: kit::PressKey(VK_SPACE); break;
    case Action::DoubleClickBox: kit::DoubleClick(&m_list, m_list.BoxPoint(c.nItem)); break;
    }
    EXPECT_EQ(c.vecChecks, Checks(m_list));
    EXPECT_EQ(c.vecSelectedAfter, Selection(m_list));
}

INSTANTIATE_TEST_SUITE_P(Cases, CheckSpreading, ::testing::ValuesIn(s_spreadCases),
                         [](const ::testing::TestParamInfo<SpreadCase>& info) {
                             std::string name;
                             for (const char* p = info.param.pszName; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST_F(ListBoxTest, StringKeyedOperationsActOnTheFirstCaseInsensitiveMatch)
{
    MakeList(kMultiple, kListRect, {L"Apple", L"APPLE", L"Pear", L"Plum"});
    m_list.SetCheckMark(L"apple", 1);
    EXPECT_EQ((std::vector<int>{1, 0, 0, 0}), Checks(m_list));
    EXPECT_EQ(1, m_list.GetCheckMark(L"APPLE"));
    EXPECT_EQ(0, m_list.GetCheckMark(L"Cherry"));
    m_list.SetCheckMark(L"Cherry", 1);
    CStringArray arrMarks;
    arrMarks.Add(L"pear");
    arrMarks.Add(L"PLUM");
    m_list.SetCheckMark(arrMarks, 2);
    m_list.SetCheckMark(L"Plum", 1);
    CStringArray arrOut;
    m_list.GetMarkedStrings(arrOut);
    EXPECT_EQ((std::vector<std::wstring>{L"Apple", L"Plum"}), Texts(arrOut)) << "indeterminate Pear left out";

    m_list.SelectStrings(arrMarks);
    m_list.GetSelectedStrings(arrOut);
    EXPECT_EQ((std::vector<std::wstring>{L"Pear", L"Plum"}), Texts(arrOut));
    m_list.m_nSelItemsWritten = 1;
    m_list.GetSelectedStrings(arrOut);
    EXPECT_EQ((std::vector<std::wstring>{L"Pear"}), Texts(arrOut)) << "only the entries the list box wrote";

    m_list.RemoveString(L"aPPle");
    m_list.RemoveString(L"Cherry");
    m_list.GetStrings(arrOut);
    EXPECT_EQ((std::vector<std::wstring>{L"APPLE", L"Pear", L"Plum"}), Texts(arrOut));
    m_list.MarkAll();
    EXPECT_EQ((std::vector<int>{1, 1, 1}), Checks(m_list));
    m_list.DemarkAll();
    EXPECT_EQ((std::vector<int>{0, 0, 0}), Checks(m_list));
}

TEST_F(ListBoxTest, AClickOnABoxTogglesItTellsTheParentAndADisabledItemTakesNoClick)
{
    MakeList(kMultiple, kListRect, {L"Alpha", L"Beta"});
    kit::Click(&m_list, m_list.BoxPoint(0));
    EXPECT_EQ(1, m_list.GetCheck(0));
    EXPECT_EQ(1, m_host.m_nCheckChanges);
    kit::Click(&m_list, m_list.TextPoint(0));
    EXPECT_EQ(1, m_list.GetCheck(0)) << "the text is no box";
    m_list.Enable(1, FALSE);
    kit::Click(&m_list, m_list.BoxPoint(1));
    EXPECT_EQ(0, m_list.GetCheck(1));
    EXPECT_EQ(std::vector<int>{0}, Selection(m_list));
    EXPECT_EQ(1, m_host.m_nCheckChanges);
}

namespace
{
// True while the C runtime's heap holds the block at p as allocated.
bool IsHeapBlockBusy(const void* p)
{
    const HANDLE hHeap = reinterpret_cast<HANDLE>(_get_heap_handle());
    PROCESS_HEAP_ENTRY entry{};
    bool bBusy = false;
    ::HeapLock(hHeap);
    while (!bBusy && ::HeapWalk(hHeap, &entry))
        bBusy = (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) && p >= entry.lpData &&
                p < static_cast<const char*>(entry.lpData) + entry.cbData;
    ::HeapUnlock(hHeap);
    return bBusy;
}

// The record pointers in the items' slots, read from the platform's own list box procedure.
std::vector<const void*> RawSlots(CListBox& list)
{
    WNDCLASSW wc{};
    ::GetClassInfoW(nullptr, L"LISTBOX", &wc);
    std::vector<const void*> vecSlots;
    for (int i = 0; i < list.GetCount(); ++i)
        vecSlots.push_back(reinterpret_cast<const void*>(::CallWindowProcW(wc.lpfnWndProc, list.m_hWnd, LB_GETITEMDATA, i, 0)));
    return vecSlots;
}
}

TEST_F(ListBoxTest, EachRecordGoesExactlyOnceOnEveryDeletePathAndUserDataKeepsItsFullWidth)
{
    const ULONG_PTR dwWide = 0x123456789ABCDEF0ull;
    const std::function<void()> paths[] = {
        [this] { m_list.DeleteString(1); m_list.DeleteString(1); m_list.DeleteString(0); },
        [this] { m_list.ResetContent(); },
        [this] { m_list.DestroyWindow(); },
    };
    for (const auto& removeAll : paths)
    {
        MakeList(kMultiple, kListRect, {L"Alpha", L"Beta", L"Gamma"});
        m_list.SetItemData(0, dwWide);
        m_list.SetCheck(0, 1);
        m_list.SetCheck(1, 2);
        m_list.SetItemData(2, 7);
        EXPECT_EQ(dwWide, m_list.GetItemData(0));
        EXPECT_EQ(1, m_list.GetCheck(0)) << "data and check share the record";
        EXPECT_EQ(0u, m_list.GetItemData(1));
        const std::vector<const void*> vecSlots = RawSlots(m_list);
        for (const void* pSlot : vecSlots)
            ASSERT_TRUE(IsHeapBlockBusy(pSlot));
        m_list.m_vecDeletedData.clear();
        removeAll();
        for (const void* pSlot : vecSlots)
            EXPECT_FALSE(IsHeapBlockBusy(pSlot));
        EXPECT_EQ((std::multiset<ULONG_PTR>{dwWide, 0, 7}),
                  std::multiset<ULONG_PTR>(m_list.m_vecDeletedData.begin(), m_list.m_vecDeletedData.end()));
        m_list.DestroyWindow();
    }
}

TEST_F(ListBoxTest, ADialogsListBoxTakenOverLaterGetsRowsThatFitBoxAndText)
{
    kit::DialogTemplate dialogTemplate(L"Taken over", 160, 120);
    dialogTemplate.AddControl(L"LISTBOX", L"", LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_VSCROLL, 5, 5, 100, 80, IDC_LIST);
    CListHost host;
    host.m_cyMeasuredRow = 4;
    ASSERT_TRUE(host.Open(dialogTemplate));
    ASSERT_EQ(4, static_cast<int>(::SendDlgItemMessageW(host.m_hWnd, IDC_LIST, LB_GETITEMHEIGHT, 0, 0)));
    CTavCheckListBox list;
    ASSERT_TRUE(list.SubclassDlgItem(IDC_LIST, &host));
    EXPECT_EQ(list.CalcMinimumItemHeight(), list.GetItemHeight(0));
    EXPECT_GT(list.GetItemHeight(0), static_cast<int>(CCheckListBox::kBoxSize));
}

TEST_F(ListBoxTest, TheHitTestFromTheLayoutAgreesWithTheIndexOrderSearch)
{
    MakeList(kMultiple, CRect(10, 10, 150, 10 + 7 * m_list.CalcMinimumItemHeight() + 5), {});
    const int cyRow = m_list.GetItemHeight(0);
    for (int nItems : {0, 1, 5, 40})
    {
        m_list.ResetContent();
        for (int i = 0; i < nItems; ++i)
            m_list.AddString((L"Item " + std::to_wstring(i)).c_str());
        for (int nTop : {0, nItems / 2, nItems - 1})
        {
            m_list.SetTopIndex(nTop);
            CRect rcClient;
            m_list.GetClientRect(&rcClient);
            for (int y = 0; y < rcClient.bottom; y += (y % cyRow == 0 || y % cyRow == cyRow - 1) ? 1 : cyRow - 2)
                for (int x : {0, 20, static_cast<int>(rcClient.right) - 1})
                    EXPECT_EQ(m_list.IndexOrderItemFromPoint(CPoint(x, y)), m_list.FlyByItemFromPoint(CPoint(x, y)))
                        << nItems << " items from " << nTop << " at " << x << "," << y;
        }
    }
}

namespace
{
class CFlyBySlotProbe : public CTavFlyByControl
{
public:
    static std::vector<std::ptrdiff_t> FlyBySlots()
    {
        using kit::SlotOffset;
        return {SlotOffset(&CFlyBySlotProbe::DrawFlyByItem), SlotOffset(&CFlyBySlotProbe::GetIdealItemRect),
                SlotOffset(&CFlyBySlotProbe::GetItemRect), SlotOffset(&CFlyBySlotProbe::GetItemCount),
                SlotOffset(&CFlyBySlotProbe::GetWndPtr), SlotOffset(&CFlyBySlotProbe::FlyByItemFromPoint)};
    }
};
}

TEST(ListBoxVirtualSlots, DerivedClassesFindTheOperationsInOrder)
{
    using kit::SlotOffset;
    const std::vector<std::ptrdiff_t> vecFlyBy = CFlyBySlotProbe::FlyBySlots();
    EXPECT_EQ(static_cast<std::ptrdiff_t>(2 * sizeof(void*)), vecFlyBy.front()) << "after the destructor's two entries";
    kit::ExpectConsecutiveSlots(vecFlyBy);
    kit::ExpectConsecutiveSlots({SlotOffset(&CTavFlyByTooltip::Create), SlotOffset(&CTavFlyByTooltip::Show),
                                 SlotOffset(&CTavFlyByTooltip::Hide), SlotOffset(&CTavFlyByTooltip::RelayEvent)});
    kit::ExpectConsecutiveSlots({SlotOffset(&CTavCheckListBox::AddStrings), SlotOffset(&CTavCheckListBox::RemoveString),
                                 SlotOffset(&CTavCheckListBox::RemoveAll), SlotOffset(&CTavCheckListBox::GetStrings)});
}
