// The platform pieces under the tab controls: reading a template's caption, and the tab window with its
// activation questions, hidden tabs, handles and scrolling.
#include "TabTestSupport.h"
#include "DialogTemplate.h"
#include "Controls.h"

using namespace tabtest;

TEST(DialogTemplateCaption, ReadsBothFormatsByIdOrNameAndFailsWithoutATemplate)
{
    const struct { LPCWSTR lpszName; BOOL bLoaded; LPCWSTR lpszCaption; } cases[] = {
        {MAKEINTRESOURCEW(IDD_PAGE_EDITS), TRUE, L"Edits page"},
        {MAKEINTRESOURCEW(IDD_PAGE_EXTENDED), TRUE, L"Extended page"},
        {L"NAMED_PAGE", TRUE, L"Named page"},
        {MAKEINTRESOURCEW(999), FALSE, L""},
        {L"NO_SUCH_PAGE", FALSE, L""},
        {nullptr, FALSE, L""},
    };
    for (const auto& c : cases)
    {
        CTavDialogTemplate dialogTemplate;
        EXPECT_EQ(dialogTemplate.Load(c.lpszName), c.bLoaded);
        EXPECT_EQ(dialogTemplate.GetDialogCaption(), CString(c.lpszCaption));
    }
}

namespace
{
// Logs the questions and reports of the tab window; refuses while asked to.
class CLogTabWindow : public CTabWindow
{
public:
    bool m_bRefuse = false;

protected:
    BOOL FireChangingActiveTab(int nNewTab) override
    {
        Log("changing " + std::to_string(nNewTab));
        return m_bRefuse;
    }
    void FireChangeActiveTab(int nNewTab) override { Log("change " + std::to_string(nNewTab)); }
};

class TabWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_events.clear();
        ASSERT_TRUE(host.Open(400, 300));
        ASSERT_TRUE(tabs.Create(CRect(10, 10, 390, 290), &host, 5));
        for (int i = 0; i < 3; ++i)
        {
            windows[i].Create(L"", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, CRect(0, 0, 10, 10), &tabs, 100 + i);
            tabs.AddTab(&windows[i], (L"Tab " + std::to_wstring(i)).c_str());
        }
        kit::PumpUntilIdle();
    }
    CRect Rect(int nTab)
    {
        CRect rect;
        tabs.GetTabRect(nTab, rect);
        return rect;
    }

    kit::CHostDialog host;
    CLogTabWindow tabs;
    CStatic windows[3];
};
}

TEST_F(TabWindow, AddingActivatesNoneAndActivationAsksShowsHidesAndReports)
{
    EXPECT_EQ(tabs.GetActiveTab(), -1);
    for (CStatic& window : windows)
        EXPECT_FALSE(window.IsWindowVisible());
    kit::Click(&tabs, Rect(1).CenterPoint());
    EXPECT_EQ(g_events, (std::vector<std::string>{"changing 1", "change 1"}));
    EXPECT_TRUE(windows[1].IsWindowVisible());
    CRect rcWindow, rcPage;
    windows[1].GetWindowRect(&rcWindow);
    tabs.ScreenToClient(&rcWindow);
    tabs.GetPageArea(rcPage);
    EXPECT_EQ(rcWindow, rcPage);

    tabs.m_bRefuse = true;
    EXPECT_FALSE(tabs.SetActiveTab(2));
    EXPECT_EQ(tabs.GetActiveTab(), 1);
    EXPECT_FALSE(windows[2].IsWindowVisible());
    tabs.m_bRefuse = false;
    EXPECT_TRUE(tabs.SetActiveTab(1)) << "the active tab can be activated again";
    EXPECT_EQ(g_events.back(), "change 1");
}

TEST_F(TabWindow, IndicesOutsideTheTabsAreIgnored)
{
    CRect rect;
    for (int nTab : {-1, 3})
    {
        EXPECT_FALSE(tabs.SetActiveTab(nTab));
        EXPECT_FALSE(tabs.RemoveTab(nTab));
        EXPECT_FALSE(tabs.ShowTab(nTab, FALSE));
        EXPECT_FALSE(tabs.SetTabLabel(nTab, L"x"));
        EXPECT_FALSE(tabs.SetTabImage(nTab, 0));
        EXPECT_FALSE(tabs.SetTabWnd(nTab, &windows[0]));
        EXPECT_FALSE(tabs.GetTabRect(nTab, rect));
        EXPECT_EQ(tabs.GetTabWnd(nTab), nullptr);
    }
    EXPECT_TRUE(g_events.empty());
    EXPECT_EQ(tabs.GetTabCount(), 3);
}

TEST_F(TabWindow, HiddenTabsTakeNoRoomOrClicksButCanBeActivated)
{
    const CRect rcFirst = Rect(0);
    tabs.ShowTab(0, FALSE);
    EXPECT_TRUE(Rect(0).IsRectEmpty());
    EXPECT_EQ(Rect(1).left, rcFirst.left);
    EXPECT_EQ(tabs.GetTabCount(), 3);
    kit::Click(&tabs, CPoint(rcFirst.left + 2, rcFirst.CenterPoint().y));
    EXPECT_EQ(tabs.GetActiveTab(), 1) << "the click reached the hidden tab";
    EXPECT_TRUE(tabs.SetActiveTab(0));
    EXPECT_TRUE(windows[0].IsWindowVisible());
}

TEST_F(TabWindow, RemovingHidesTheWindowKeepsItAliveAndLeavesNoneActive)
{
    tabs.SetActiveTab(1);
    EXPECT_TRUE(tabs.RemoveTab(1));
    EXPECT_EQ(tabs.GetActiveTab(), -1);
    EXPECT_TRUE(::IsWindow(windows[1].m_hWnd));
    EXPECT_FALSE(windows[1].IsWindowVisible());
    EXPECT_EQ(tabs.GetTabWnd(1), &windows[2]);
    tabs.SetActiveTab(1);
    EXPECT_TRUE(tabs.RemoveTab(0));
    EXPECT_EQ(tabs.GetActiveTab(), 0) << "the active tab keeps its window when one before it goes";
    windows[2].DestroyWindow();
    EXPECT_EQ(tabs.GetTabWnd(0), nullptr) << "a destroyed window is still handed out";
}

TEST_F(TabWindow, SizeFitsTheWindowsAndOverflowingTabsScrollToTheActiveOne)
{
    tabs.SetActiveTab(0);
    tabs.MoveWindow(10, 10, 200, 150);
    CRect rcWindow, rcPage;
    windows[0].GetWindowRect(&rcWindow);
    tabs.ScreenToClient(&rcWindow);
    tabs.GetPageArea(rcPage);
    EXPECT_EQ(rcWindow, rcPage);
    EXPECT_EQ(rcPage.bottom, 150);

    for (int i = 0; i < 20; ++i)
        tabs.AddTab(nullptr, L"Another tab");
    EXPECT_TRUE(Rect(22).IsRectEmpty() || Rect(22).left >= 200);
    tabs.SetActiveTab(22);
    EXPECT_TRUE(Rect(0).IsRectEmpty()) << "the first tab was not scrolled out";
    EXPECT_FALSE(Rect(22).IsRectEmpty());
    EXPECT_LE(Rect(22).right, 200);
}
