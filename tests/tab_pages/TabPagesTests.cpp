// Both tab controls driven through the host: page creation and notifications, removal and ownership,
// clicks, refusals, failures while switching, bad indices and tooltips.
#include "TabTestSupport.h"
#include "frame/ThrownException.h"

#include <algorithm>
#include <functional>

using namespace tabtest;

namespace
{
// The log without the host's own entries (owner questions and parent notifications).
std::vector<std::string> PageEvents()
{
    std::vector<std::string> events;
    for (const std::string& strEvent : g_events)
        if (strEvent.rfind("owner:", 0) != 0 && strEvent.rfind("parent:", 0) != 0)
            events.push_back(strEvent);
    return events;
}

size_t CountEvents(const std::string& strEvent)
{
    return static_cast<size_t>(std::count(g_events.begin(), g_events.end(), strEvent));
}

bool IsShown(CWnd& wnd)
{
    return wnd.GetSafeHwnd() && wnd.IsWindowVisible();
}

// Children of the control that stand in for pages not yet shown.
int CountPlaceholders(CWnd& ctrl)
{
    int nCount = 0;
    for (HWND hChild = ::GetWindow(ctrl.m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        nCount += ::GetWindowLongPtrW(hChild, GWLP_USERDATA) == 1;
    return nCount;
}
}

template <class Traits>
class TabPages : public TabFixture<Traits>
{
};
TYPED_TEST_SUITE(TabPages, BothControls, ControlNames);

TYPED_TEST(TabPages, FirstShowCreatesABorderlessChildInThePageAreaWithTheTemplateCaption)
{
    this->Open(2);
    CLogPage& first = this->Page(0);
    ASSERT_TRUE(first.GetSafeHwnd());
    EXPECT_FALSE(this->Page(1).GetSafeHwnd()) << "created before its first show";
    EXPECT_EQ(first.GetStyle() & (WS_CHILD | WS_CAPTION), static_cast<DWORD>(WS_CHILD));
    EXPECT_EQ(::GetParent(first.m_hWnd), this->ctrl.m_hWnd);
    CRect rcPage;
    first.GetWindowRect(&rcPage);
    this->ctrl.ScreenToClient(&rcPage);
    EXPECT_EQ(rcPage, TypeParam::PageArea(this->ctrl));
    EXPECT_EQ(this->ctrl.GetPageCaption(0), CString(L"Edits page"));
    EXPECT_EQ(this->ctrl.GetPageCaption(1), CString(L"Buttons page"));
}

TYPED_TEST(TabPages, SwitchTellsTheFocusWindowThenTheOldPageThenTheNewOne)
{
    this->Open(2);
    TypeParam::Activate(this->ctrl, 1);
    EXPECT_EQ(PageEvents(), (std::vector<std::string>{"focus:changing", "0:kill", "0:deactivate", "1:set",
                                                      "1:activate"}));
    EXPECT_TRUE(IsShown(this->Page(1)));
    EXPECT_FALSE(IsShown(this->Page(0)));
    EXPECT_EQ(this->ctrl.GetActivePage(), 1);
}

TYPED_TEST(TabPages, HiddenActivePageIsCreatedButNeitherShownNorTold)
{
    this->Open(2);
    this->ctrl.SetHideActivePage();
    TypeParam::Activate(this->ctrl, 1);
    ASSERT_TRUE(this->Page(1).GetSafeHwnd());
    EXPECT_FALSE(this->Page(1).IsWindowVisible());
    EXPECT_EQ(CountEvents("1:set") + CountEvents("1:activate"), 0u);
}

TYPED_TEST(TabPages, OkAndCancelReachCreatedPagesOnly)
{
    this->Open(3);
    TypeParam::Activate(this->ctrl, 2);
    g_events.clear();
    this->ctrl.OnOK();
    this->ctrl.OnCancel();
    EXPECT_EQ(PageEvents(), (std::vector<std::string>{"0:ok", "2:ok", "0:cancel", "2:cancel"}));
}

TYPED_TEST(TabPages, RemovalAndDestructionFreeExactlyWhatTheRecordsOwn)
{
    this->Open(2);
    auto* pOwned = new CLogPage("owned", IDD_PAGE_EDITS);
    auto* pOwnedToo = new CLogPage("ownedToo", IDD_PAGE_EDITS);
    this->ctrl.AddPage(pOwned, TRUE, 0, L"", L"Owned", RGB(192, 192, 192));
    this->ctrl.AddPage(pOwnedToo, TRUE, 0, L"", L"Owned too", RGB(192, 192, 192));
    TypeParam::Activate(this->ctrl, 1);
    g_events.clear();

    this->ctrl.RemovePage(0, false);   // not owned: window and object live on
    EXPECT_TRUE(::IsWindow(this->Page(0).m_hWnd));
    this->ctrl.RemovePage(0, true);    // not owned: the window goes, the object stays
    EXPECT_FALSE(this->Page(1).GetSafeHwnd());
    this->ctrl.RemovePage(0, false);   // owned: deleted
    EXPECT_EQ(g_events, (std::vector<std::string>{"owned:deleted"}));
    EXPECT_EQ(this->ctrl.GetPageCount(), 1);
    this->pCtrl.reset();
    EXPECT_EQ(g_events, (std::vector<std::string>{"owned:deleted", "ownedToo:deleted"}));
}

TYPED_TEST(TabPages, ClickOnATabSwitchesAndAfterRemovingTheActivePageShowsThePageNowAtItsIndex)
{
    this->Open(3);
    this->ClickTab(1);
    EXPECT_EQ(this->ctrl.GetActivePage(), 1);
    EXPECT_TRUE(IsShown(this->Page(1)));

    this->ctrl.RemovePage(1, true);
    this->ClickTab(1);
    EXPECT_EQ(this->ctrl.GetActivePage(), 1);
    EXPECT_TRUE(IsShown(this->Page(2)));
    EXPECT_EQ(CountPlaceholders(this->ctrl), 0);
}

TYPED_TEST(TabPages, FailedCreateBringsThePreviousPageBackAndPassesTheOriginalException)
{
    this->Open(3);
    this->Page(1).m_failure = Failure::Memory;
    EXPECT_EQ(ThrownBy([&] { TypeParam::Activate(this->ctrl, 1); }), "CMemoryException");
    EXPECT_EQ(this->ctrl.GetActivePage(), 0);
    EXPECT_TRUE(IsShown(this->Page(0)));

    // Without a previous page (the active one removed) nothing is shown afterwards.
    this->ctrl.RemovePage(0, true);
    EXPECT_EQ(this->ctrl.GetActivePage(), -1);
    EXPECT_EQ(ThrownBy([&] { TypeParam::Activate(this->ctrl, 0); }), "CMemoryException");
    EXPECT_FALSE(IsShown(this->Page(1)));
    EXPECT_FALSE(IsShown(this->Page(2)));
}

TYPED_TEST(TabPages, OwnedPictureSetTwiceIsFreedOnce)
{
    this->Open(1);
    auto* pPicture = new CLogPicture("picture");
    DrawPicture(pPicture, RGB(0, 0, 255), RGB(255, 0, 255));
    this->ctrl.SetPagePicture(0, pPicture, TRUE, RGB(255, 0, 255));
    this->ctrl.SetPagePicture(0, pPicture, TRUE, RGB(255, 0, 255));
    EXPECT_EQ(CountEvents("picture:freed"), 0u);
    EXPECT_EQ(this->ctrl.GetPagePicture(0), pPicture);
    this->ctrl.RemovePage(0, false);
    EXPECT_EQ(CountEvents("picture:freed"), 1u);
}

TYPED_TEST(TabPages, BadIndexRaisesTheInvalidArgumentExceptionBeforeAnyChange)
{
    this->Open(3);
    auto& c = this->ctrl;
    const std::vector<std::function<void()>> operations = {
        [&] { c.RemovePage(3, true); },
        [&] { c.GetPage(-1); },
        [&] { c.GetPage_save(3); },
        [&] { c.GetPageCaption(3); },
        [&] { c.GetPageDescription(-1); },
        [&] { c.SetPageDescription(3, L"x"); },
        [&] { c.GetPagePicture(3); },
        [&] { c.SetPagePicture(3, nullptr, FALSE, 0); },
        [&] { c.SetPagePicture(-1, 30000, 0); },
        [&] { c.EnablePage(3); },
        [&] { c.DisablePage(-1); },
        [&] { c.IsPageEnabled(3); },
    };
    for (size_t i = 0; i < operations.size(); ++i)
    {
        EXPECT_EQ(ThrownBy(operations[i]), "CInvalidArgException") << "operation " << i;
        EXPECT_EQ(c.GetPageCount(), 3) << "operation " << i;
        EXPECT_EQ(c.GetActivePage(), 0) << "operation " << i;
    }
    EXPECT_EQ(ThrownBy([&] { TypeParam::Activate(c, 3); }), "CInvalidArgException");
    EXPECT_TRUE(PageEvents().empty()) << "a page or the focus window heard of the bad activation";
}

TYPED_TEST(TabPages, MissingPageTemplateOrBitmapGivesATabWithoutIt)
{
    this->Open(1);
    CLogPage noTemplate("noTemplate", 999);
    this->ctrl.AddPage(&noTemplate, FALSE, 999, L"", L"", RGB(192, 192, 192));
    this->ctrl.AddPage(nullptr, FALSE, 0, L"", L"No page", RGB(192, 192, 192));
    EXPECT_EQ(this->ctrl.GetPageCount(), 3);
    EXPECT_TRUE(this->ctrl.GetPageCaption(1).IsEmpty());
    ASSERT_NE(this->ctrl.GetPagePicture(1), nullptr);
    EXPECT_EQ(this->ctrl.GetPagePicture(1)->GetSafeHandle(), nullptr);
    for (long nPage : {1L, 2L})
    {
        EXPECT_EQ(ThrownBy([&] { TypeParam::Activate(this->ctrl, nPage); }), "nothing");
        EXPECT_EQ(this->ctrl.GetActivePage(), nPage);
    }
    EXPECT_FALSE(noTemplate.GetSafeHwnd());
}

TYPED_TEST(TabPages, DescriptionsBecomeToolsOverTheirTabs)
{
    this->OpenHost();
    this->BeginControl();
    CLogPage described("described", IDD_PAGE_EDITS);
    this->ctrl.AddPage(&described, FALSE, 0, L"", L"Plain", RGB(192, 192, 192));
    this->ctrl.AddPage(&described, FALSE, 0, L"Line one\nline two", L"Described", RGB(192, 192, 192));
    this->EndControl();
    // The control's tooltip is the one that knows a tool of the control.
    CString strText;
    CRect rcTool;
    CWnd* pFound = nullptr;
    for (HWND hWnd = ::FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); hWnd && !pFound;
         hWnd = ::FindWindowExW(nullptr, hWnd, TOOLTIPS_CLASSW, nullptr))
        if (static_cast<CToolTipCtrl*>(CWnd::FromHandle(hWnd))->GetToolText(&this->ctrl, 2, strText))
            pFound = CWnd::FromHandle(hWnd);
    ASSERT_NE(pFound, nullptr);
    CToolTipCtrl& toolTip = *static_cast<CToolTipCtrl*>(pFound);
    EXPECT_EQ(toolTip.GetToolCount(), 1);
    ASSERT_TRUE(toolTip.GetToolText(&this->ctrl, 2, strText, &rcTool));
    EXPECT_EQ(strText, CString(L"Line one\nline two"));
    EXPECT_EQ(rcTool, TypeParam::TabRect(this->ctrl, 1));
    EXPECT_EQ(toolTip.GetMaxTipWidth(), 32767);
    this->ctrl.SetPageDescription(0, L"Now described");
    ASSERT_TRUE(toolTip.GetToolText(&this->ctrl, 1, strText));
    EXPECT_EQ(strText, CString(L"Now described"));
}

// Owner-drawn only: the platform's own selection-changing notification vetoes a click on a disabled tab.
using OwnerDrawnTabs = TabFixture<OwnerDrawn>;

TEST_F(OwnerDrawnTabs, ClickOnADisabledTabKeepsSelectionAndPageAndTheParentSeesChangingOnly)
{
    Open(3);
    ctrl.DisablePage(1);
    ClickTab(1);
    EXPECT_EQ(ctrl.GetActivePage(), 0);
    EXPECT_TRUE(IsShown(Page(0)));
    EXPECT_FALSE(Page(1).GetSafeHwnd());
    EXPECT_EQ(CountEvents("parent:changing"), 1u);
    EXPECT_EQ(CountEvents("parent:change"), 0u);
}

TEST_F(OwnerDrawnTabs, PointerRestingOnADisabledTabBlocksNothingButClicks)
{
    Open(4);
    ctrl.DisablePage(1);
    CRect rcDisabled = OwnerDrawn::TabRect(ctrl, 1);
    ctrl.ClientToScreen(&rcDisabled);
    ::SetCursorPos(rcDisabled.CenterPoint().x, rcDisabled.CenterPoint().y);

    ctrl.ActivatePage(2, FALSE);
    EXPECT_EQ(ctrl.GetActivePage(), 2);
    ctrl.DisablePage(2);
    EXPECT_EQ(ctrl.GetActivePage(), 3);
    ctrl.SetFocus();
    kit::PressKey(VK_TAB, kit::Ctrl);
    EXPECT_EQ(ctrl.GetActivePage(), 0);
    ctrl.ActivatePage(1, FALSE);
    EXPECT_EQ(ctrl.GetActivePage(), 0) << "a disabled page became active";
}

TEST_F(OwnerDrawnTabs, CaptionAndRemovalTouchThePlatformTabBeforeCheckingTheRecord)
{
    Open(3);
    ctrl.InsertItem(3, L"Stray");   // a tab without a record
    EXPECT_EQ(ThrownBy([&] { ctrl.SetPageCaption(3, L"Changed"); }), "CInvalidArgException");
    wchar_t szText[16] = {};
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = szText;
    tab.cchTextMax = 16;
    ASSERT_TRUE(ctrl.GetItem(3, &tab));
    EXPECT_STREQ(szText, L"Changed");
    EXPECT_EQ(ThrownBy([&] { ctrl.RemovePage(3, false); }), "CInvalidArgException");
    EXPECT_EQ(ctrl.GetPageCount(), 3);
}

// Docking-style only: the owner's question, hidden tabs of disabled pages, placeholders.
using DockingTabs = TabFixture<Docking>;

TEST_F(DockingTabs, OwnerRefusesByClickKeyAndActivatePageAndIsAskedForDisabledTargetsToo)
{
    Open(3);
    host.m_bAllowChange = false;
    ClickTab(1);
    ctrl.SetFocus();
    kit::PressKey(VK_RIGHT);
    ctrl.ActivatePage(2, TRUE, 0);
    EXPECT_EQ(ctrl.GetActivePage(), 0);
    EXPECT_TRUE(IsShown(Page(0)));
    EXPECT_EQ(CountEvents("owner:0>1"), 2u);
    EXPECT_EQ(CountEvents("owner:0>2"), 1u);

    host.m_bAllowChange = true;
    ctrl.DisablePage(2);
    ctrl.ActivatePage(2, TRUE, 1);
    EXPECT_EQ(CountEvents("owner:0>2"), 2u) << "the owner was not asked about the disabled page";
    EXPECT_EQ(ctrl.GetActivePage(), 0);
}

TEST_F(DockingTabs, DisabledPageHidesItsTabAndEnablingShowsItAtItsPlace)
{
    Open(3);
    const CRect rcSecond = Docking::TabRect(ctrl, 1);
    ctrl.DisablePage(1);
    EXPECT_TRUE(Docking::TabRect(ctrl, 1).IsRectEmpty());
    EXPECT_EQ(Docking::TabRect(ctrl, 2).left, rcSecond.left);
    ctrl.EnablePage(1);
    EXPECT_EQ(Docking::TabRect(ctrl, 1), rcSecond);
}

TEST_F(DockingTabs, PlaceholdersStandInUntilFirstShowAndNoneOutlivesItsTab)
{
    Open(4);
    EXPECT_EQ(CountPlaceholders(ctrl), 3);
    ctrl.ActivatePage(1, FALSE, 1);
    EXPECT_EQ(ctrl.GetTabWnd(1), &Page(1));
    EXPECT_EQ(::GetWindowLongPtrW(Page(1).m_hWnd, GWLP_USERDATA), 0);
    EXPECT_EQ(CountPlaceholders(ctrl), 2);
    ctrl.RemovePage(3, false);
    EXPECT_EQ(CountPlaceholders(ctrl), 1);
    ctrl.RemoveAllPages(false);
    EXPECT_EQ(CountPlaceholders(ctrl), 0);
}

TEST_F(DockingTabs, TwoFailingPagesPassTheSecondOnesExceptionAndShowNothing)
{
    OpenHost();
    BeginControl();
    pages.push_back(std::make_unique<CLogPage>("0", IDD_PAGE_EDITS));
    pages.push_back(std::make_unique<CLogPage>("1", IDD_PAGE_EDITS));
    Page(0).m_failure = Failure::Archive;
    Page(1).m_failure = Failure::Memory;
    for (auto& pPage : pages)
        ctrl.AddPage(pPage.get(), FALSE, 0, L"", L"", RGB(192, 192, 192));
    EXPECT_EQ(ThrownBy([&] { ctrl.InitializeControl(); }), "CArchiveException");
    EXPECT_EQ(ThrownBy([&] { ctrl.ActivatePage(1, FALSE, 1); }), "CMemoryException");
    EXPECT_FALSE(Page(0).GetSafeHwnd());
    EXPECT_FALSE(Page(1).GetSafeHwnd());
    EXPECT_EQ(CountEvents("owner:0>1"), 1u) << "the rollback asked the owner again";
}

// After every step of a fixed-seed random mix of additions, removals, activations and disabling, the
// docking-style control's state matches what the records say: one tab per record, only the active page
// shown, a placeholder exactly for each tab whose page has no window yet, a disabled page never active.
TEST_F(DockingTabs, RandomStepsKeepTabsPagesAndPlaceholdersInStep)
{
    OpenHost();
    BeginControl();
    EndControl();
    std::vector<std::unique_ptr<CLogPage>> live;
    std::vector<bool> disabled;
    unsigned int nSeed = 12345;
    auto random = [&nSeed](unsigned int nRange) {
        nSeed = nSeed * 1103515245u + 12345u;
        return (nSeed >> 16) % nRange;
    };
    for (int nStep = 0; nStep < 150; ++nStep)
    {
        const long nCount = static_cast<long>(live.size());
        const unsigned int nAction = nCount == 0 ? 0 : random(5);
        const long n = nCount ? static_cast<long>(random(static_cast<unsigned int>(nCount))) : 0;
        if (nAction == 0 && nCount < 8)
        {
            live.push_back(std::make_unique<CLogPage>("r", IDD_PAGE_BUTTONS));
            disabled.push_back(false);
            ctrl.AddPage(live.back().get(), FALSE, 0, L"", L"Random", RGB(192, 192, 192));
        }
        else if (nAction == 1)
        {
            ctrl.RemovePage(n, true);
            live.erase(live.begin() + n);
            disabled.erase(disabled.begin() + n);
        }
        else if (nAction == 2)
            ClickTab(n);
        else if (nAction == 3)
        {
            ctrl.DisablePage(n);
            disabled[static_cast<size_t>(n)] = true;
        }
        else if (nAction == 4)
        {
            ctrl.EnablePage(n);
            disabled[static_cast<size_t>(n)] = false;
        }
        kit::PumpUntilIdle();

        ASSERT_EQ(ctrl.GetPageCount(), static_cast<long>(live.size())) << "step " << nStep;
        const long nActive = ctrl.GetActivePage();
        int nWithoutWindow = 0;
        for (long i = 0; i < static_cast<long>(live.size()); ++i)
        {
            ASSERT_EQ(ctrl.GetPage(i), live[static_cast<size_t>(i)].get()) << "step " << nStep;
            nWithoutWindow += live[static_cast<size_t>(i)]->GetSafeHwnd() == nullptr;
            ASSERT_TRUE(i == nActive || !IsShown(*live[static_cast<size_t>(i)])) << "step " << nStep << " page " << i;
        }
        ASSERT_EQ(CountPlaceholders(ctrl), nWithoutWindow) << "step " << nStep;
        ASSERT_TRUE(nActive < 0 || disabled[static_cast<size_t>(nActive)] ||
                    live[static_cast<size_t>(nActive)]->GetSafeHwnd() == nullptr || IsShown(*live[static_cast<size_t>(nActive)]))
            << "step " << nStep;
    }
}
