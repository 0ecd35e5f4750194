#include "CheckTreeTestHost.h"
#include "kit/Input.h"
#include "kit/Pump.h"

namespace
{
// A listener of the base tree only: the check tree skips it.
class CPlainListener : public CTavTreeActionListener
{
public:
    bool OnItemDoubleClick(HTREEITEM) override { return true; }
};

class CheckTreeInput : public CheckTreeTest
{
protected:
    void SetUp() override
    {
        CheckTreeTest::SetUp();
        m_tree.AddActionListener(&m_plain);
        m_tree.AddActionListener(&m_first);
        m_tree.AddActionListener(&m_second);
    }

    CPoint BoxCentre(HTREEITEM hItem) { return m_tree.CalcCheckBoxRect(hItem).CenterPoint(); }
    // On the label's text, right of the box.
    CPoint TextPoint(HTREEITEM hItem) { return BoxCentre(hItem) + CPoint(14, 0); }
    std::vector<HTREEITEM> Selected() const
    {
        std::vector<HTREEITEM> vecSelected;
        for (HTREEITEM hItem : AllItems())
            if (m_tree.IsItemSelected(hItem))
                vecSelected.push_back(hItem);
        return vecSelected;
    }

    std::vector<std::pair<int, HTREEITEM>> m_vecLog;
    CPlainListener m_plain;
    CRecordingListener m_first{ &m_vecLog, 1 };
    CRecordingListener m_second{ &m_vecLog, 2 };
};
}

TEST_F(CheckTreeInput, AClickOnAnUnselectedBoxTogglesItsSubtreeThenSelectsItThenTellsTheListenersInOrder)
{
    const std::vector<HTREEITEM> h = Build({ "A:0", "  a:0", "B:0" });
    m_tree.SelectItem(h[2]);
    kit::Click(&m_tree, BoxCentre(h[0]));
    EXPECT_EQ("110", States(h));
    EXPECT_EQ(std::vector<HTREEITEM>{ h[0] }, Selected());
    EXPECT_EQ(h[0], m_tree.GetSelectedItem());
    const std::vector<std::pair<int, HTREEITEM>> vecExpected = { { 1, h[0] }, { 2, h[0] } };
    EXPECT_EQ(vecExpected, m_vecLog);

    // A click on the label beside the box changes no state and tells no check listener.
    kit::Click(&m_tree, TextPoint(h[2]));
    EXPECT_EQ("110", States(h));
    EXPECT_EQ(h[2], m_tree.GetSelectedItem());
    EXPECT_EQ(2u, m_vecLog.size());
}

TEST_F(CheckTreeInput, AClickOnABoxInASelectionGivesEverySelectedSubtreeTheNewStateAndKeepsTheSelection)
{
    const std::vector<HTREEITEM> h = Build({ "X:2", "  Y:0", "    y:0", "  x:1", "Z:1", "W:0" });
    for (HTREEITEM hSelected : { h[0], h[1], h[4] })
        m_tree.SetItemState(hSelected, TVIS_SELECTED, TVIS_SELECTED);
    const std::vector<HTREEITEM> vecSelected = Selected();
    kit::Click(&m_tree, BoxCentre(h[1]));
    EXPECT_EQ("111110", States(h));
    EXPECT_EQ(vecSelected, Selected());
    EXPECT_EQ(std::vector<HTREEITEM>{ h[1] }, m_first.m_vecChanged);
}

TEST_F(CheckTreeInput, SpaceTogglesTheCaretWhateverModifiersAreHeld)
{
    const std::vector<HTREEITEM> h = Build({ "A:0", "  a:0" });
    m_tree.SetFocus();
    m_tree.SelectItem(h[0]);
    const struct
    {
        UINT modifiers;
        const char* pszStates;
    } presses[] = { { kit::NoKeys, "11" }, { kit::Shift, "00" }, { kit::Ctrl, "11" } };
    for (const auto& press : presses)
    {
        kit::PressKey(VK_SPACE, press.modifiers);
        EXPECT_EQ(press.pszStates, States(h)) << "modifiers " << press.modifiers;
    }
    EXPECT_EQ(std::vector<HTREEITEM>(3, h[0]), m_first.m_vecChanged);
    EXPECT_EQ(m_first.m_vecChanged, m_second.m_vecChanged);

    // Without a caret the key is still the tree's, and nothing happens.
    m_tree.DeleteAllItems();
    kit::PressKey(VK_SPACE);
    EXPECT_EQ(3u, m_first.m_vecChanged.size());
}

TEST_F(CheckTreeInput, ADoubleClickOnABoxTogglesOnceAndKeepsTheExpansion)
{
    const std::vector<HTREEITEM> h = Build({ "A:0", "  a:0", "B:0" });
    kit::DoubleClick(&m_tree, BoxCentre(h[0]));
    EXPECT_EQ("110", States(h));
    EXPECT_NE(0u, m_tree.GetItemState(h[0], TVIS_EXPANDED));
    EXPECT_FALSE(m_tree.CanToggleExpand(h[0], BoxCentre(h[0])));
    EXPECT_TRUE(m_tree.CanToggleExpand(h[0], BoxCentre(h[0]) + CPoint(20, 0)));
    EXPECT_FALSE(m_tree.CanToggleExpand(h[0], BoxCentre(h[0]) + CPoint(200, 0)));
}

TEST_F(CheckTreeInput, ADropOnALeafRecalculatesTheParentTheItemLandsUnder)
{
    m_tree.AllowDragAndDrop();
    const std::vector<HTREEITEM> h = Build({ "P:0", "  leaf!:0", "X:1" });
    m_tree.SetFocus();
    const CPoint ptStart = TextPoint(h[2]);
    kit::PressWithQueuedMove(&m_tree, ptStart, ptStart + CPoint(8, 0));
    kit::MouseMove(&m_tree, TextPoint(h[1]));
    kit::MouseRelease(&m_tree, TextPoint(h[1]));
    EXPECT_EQ("P:2 |   leaf:0 |   X:1", Outline());
    EXPECT_TRUE(m_first.m_vecChanged.empty()) << "a drop toggles nothing";
}
