// The fly-by tooltip of the check list box, driven through the thread's queue as a user drives it: where it
// lies, when it shows and hides, who holds the mouse capture, and what it paints.
#include "ListBoxHost.h"
#include "kit/Pixels.h"
#include "WinApp.h"

#include <functional>
#include <string>

namespace
{
const CRect kListRect(10, 10, 130, 200);
LPCWSTR const kLongText = L"A long item that the list cuts off";

class FlyByTooltip : public ListBoxTest
{
protected:
    void SetUp() override
    {
        ListBoxTest::SetUp();
        MakeList(kMultiple, kListRect, {L"Short", kLongText, L"Short too", L"Another item far too long for the box"});
    }
    // Shows the tooltip over the long item 1, which gives the control the capture.
    void ShowOverLongItem()
    {
        HoverItem(1);
        ASSERT_TRUE(TooltipShown());
        ASSERT_EQ(m_list.m_hWnd, ::GetCapture());
    }
    CPoint OutsideList() { return CPoint(kListRect.right + 40, kListRect.top + 5) - kListRect.TopLeft(); }
};
}

TEST_F(ListBoxTest, TheTooltipLiesOverTheItemExactlyWhenOnePixelIsCutOff)
{
    LPCWSTR lpszText = L"Exactly fitting text";
    const int cxFit = TextExtent(lpszText).cx + 17;
    MakeList(LBS_NOTIFY, CRect(10, 10, 10 + cxFit, 100), {lpszText});
    HoverItem(0);
    EXPECT_FALSE(TooltipShown()) << "text + 17 fits";

    m_list.SetWindowPos(nullptr, 0, 0, cxFit - 1, 90, SWP_NOMOVE | SWP_NOZORDER);
    HoverItem(0);
    ASSERT_TRUE(TooltipShown());
    CRect rcIdeal = m_list.GetIdealItemRect(0);
    m_list.ClientToScreen(&rcIdeal);
    CRect rcTooltip;
    Tooltip().GetWindowRect(&rcTooltip);
    EXPECT_EQ(rcIdeal, rcTooltip);
    EXPECT_EQ(cxFit, rcTooltip.Width());
    EXPECT_EQ(m_list.CalcMinimumItemHeight() + 3, rcTooltip.Height()) << "the measured row plus 3";
    EXPECT_EQ(m_list.m_hWnd, ::GetFocus());
    EXPECT_EQ(m_host.m_hWnd, ::GetActiveWindow());
}

TEST_F(FlyByTooltip, NearTheRightScreenEdgeTheTooltipEndsThereOrStartsAtZeroWhenWider)
{
    const int cxFull = ::GetSystemMetrics(SM_CXFULLSCREEN);
    m_host.SetWindowPos(nullptr, cxFull - 130, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    kit::PumpUntilIdle();
    CRect rcTooltip;
    HoverItem(1);
    ASSERT_TRUE(TooltipShown());
    Tooltip().GetWindowRect(&rcTooltip);
    EXPECT_EQ(cxFull, rcTooltip.right);
    EXPECT_EQ(m_list.GetIdealItemRect(1).Width(), rcTooltip.Width());

    m_list.AddString(std::wstring(300, L'W').c_str());
    HoverItem(4);
    ASSERT_TRUE(TooltipShown());
    Tooltip().GetWindowRect(&rcTooltip);
    EXPECT_EQ(0, rcTooltip.left);
    EXPECT_GT(rcTooltip.right, cxFull);
}

TEST_F(FlyByTooltip, TheControlHoldsTheCaptureWhileShownAndLeavingTheControlFreesIt)
{
    ShowOverLongItem();
    EXPECT_TRUE(Tooltip().m_bMouseCaptured);
    kit::MouseMove(&m_list, OutsideList());
    EXPECT_FALSE(TooltipShown());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_FALSE(Tooltip().m_bMouseCaptured);

    HoverItem(1);
    kit::MouseMove(&m_list, m_list.TextPoint(0));
    EXPECT_FALSE(TooltipShown()) << "an item that fits";
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(FlyByTooltip, DuringADragSelectionTheListBoxKeepsItsOwnCapture)
{
    kit::MousePress(&m_list, m_list.TextPoint(0));
    ASSERT_EQ(m_list.m_hWnd, ::GetCapture());
    kit::MouseMove(&m_list, m_list.TextPoint(1));
    EXPECT_TRUE(TooltipShown());
    EXPECT_FALSE(Tooltip().m_bMouseCaptured);
    kit::MouseMove(&m_list, m_list.TextPoint(2));
    EXPECT_FALSE(TooltipShown());
    EXPECT_EQ(m_list.m_hWnd, ::GetCapture());
    kit::MouseRelease(&m_list, m_list.TextPoint(2));
}

TEST_F(FlyByTooltip, AnotherWindowsCaptureSurvivesAHide)
{
    ShowOverLongItem();
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, L"STATIC", nullptr, WS_CHILD | WS_VISIBLE, CRect(200, 10, 260, 40), &m_host, 1));
    other.SetCapture();
    m_list.PostMessage(LB_SETCARETINDEX, 0);
    kit::PumpUntilIdle();
    EXPECT_FALSE(TooltipShown());
    EXPECT_FALSE(Tooltip().m_bMouseCaptured);
    EXPECT_EQ(other.m_hWnd, ::GetCapture());
    ::ReleaseCapture();
}

TEST_F(FlyByTooltip, RightClicksAndDoubleClicksHideButAPlainLeftClickDoesNot)
{
    ShowOverLongItem();
    kit::Click(&m_list, m_list.TextPoint(1));
    EXPECT_TRUE(TooltipShown());
    kit::DoubleClick(&m_list, m_list.TextPoint(1));
    EXPECT_FALSE(TooltipShown());

    HoverItem(3);
    ASSERT_TRUE(TooltipShown());
    kit::Click(&m_list, m_list.TextPoint(3), kit::Button::Right);
    EXPECT_FALSE(TooltipShown());
}

TEST_F(FlyByTooltip, NothingHappensWhileAnotherTopLevelWindowIsActive)
{
    kit::CHostDialog other;
    ASSERT_TRUE(other.Open(100, 100));
    ASSERT_EQ(other.m_hWnd, ::GetActiveWindow());
    HoverItem(1);
    EXPECT_FALSE(TooltipShown());
}

TEST_F(FlyByTooltip, TheRestTimerHidesAnUnmovedCursorAndTheNextMoveShowsItAgain)
{
    ShowOverLongItem();
    EXPECT_EQ(1u, Tooltip().m_nTimerID);
    kit::FireTimer(Tooltip().m_hWnd, 1);
    EXPECT_FALSE(TooltipShown());

    HoverItem(3);
    ASSERT_TRUE(TooltipShown());
    // The cursor moved while no handler saw it, as while another application is active.
    const CPoint ptCursor = kit::CursorPos(&m_list);
    CPoint ptScreen = ptCursor + CSize(3, 0);
    m_list.ClientToScreen(&ptScreen);
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    kit::FireTimer(Tooltip().m_hWnd, 1);
    EXPECT_TRUE(TooltipShown());

    Tooltip().m_nTimerInterval = 50;
    HoverItem(1);
    ASSERT_TRUE(TooltipShown());
    EXPECT_TRUE(kit::WaitForTimer(Tooltip().m_hWnd, 1, 10000));
    EXPECT_FALSE(TooltipShown());
    kit::MouseMove(&m_list, m_list.TextPoint(1) + CSize(5, 0));
    EXPECT_TRUE(TooltipShown());
}

TEST_F(FlyByTooltip, ListChangesHideItOncePostedOrMadeThroughTheStringOperations)
{
    // The platform refuses to post messages that carry pointers; a host's loop routes any that reach its queue.
    EXPECT_FALSE(m_list.PostMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Posted")));
    const std::function<void()> changes[] = {
        [this] {
            MSG msg{m_list.m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Routed"), 0, {0, 0}};
            AfxRouteMessage(&msg);
        },
        [this] { m_list.PostMessage(LB_DELETESTRING, 4); },
        [this] { m_list.RemoveString(L"short TOO"); },
        [this] { m_list.AddStrings(CStringArray()); },
        [this] { m_list.RemoveAll(); },
    };
    for (const auto& change : changes)
    {
        HoverItem(1);
        ASSERT_TRUE(TooltipShown());
        change();
        kit::PumpUntilIdle();
        EXPECT_FALSE(TooltipShown());
        EXPECT_EQ(nullptr, ::GetCapture());
    }
    EXPECT_EQ(0, m_list.GetCount());
}

TEST_F(FlyByTooltip, AnItemDeletedByARawSentMessageIsNoItemAnyMore)
{
    HoverItem(3);
    ASSERT_TRUE(TooltipShown());
    m_list.SendMessage(LB_DELETESTRING, 3);
    ASSERT_TRUE(TooltipShown()) << "sent messages pass no relay";
    Tooltip().RedrawWindow();
    CRect rcClient;
    Tooltip().GetClientRect(&rcClient);
    EXPECT_TRUE(kit::RegionIs(kit::Capture(&Tooltip()), rcClient, ::GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(CRect(), m_list.GetIdealItemRect(3));
    Tooltip().AdjustTitleTip(3);
    EXPECT_FALSE(TooltipShown());
}

TEST_F(ListBoxTest, ArrowKeysShowTheTooltipForANewlySelectedCutOffItem)
{
    MakeList(WS_VSCROLL | LBS_NOTIFY, kListRect, {L"Short", kLongText, L"Short too"});
    m_list.SetCurSel(0);
    kit::PressKey(VK_DOWN);
    EXPECT_EQ(1, m_list.GetCurSel());
    EXPECT_TRUE(TooltipShown());
    EXPECT_EQ(1, Tooltip().m_nShownItem);
    EXPECT_EQ(1, m_host.m_nSelChanges) << "the parent hears of the change too";
    kit::PressKey(VK_DOWN);
    EXPECT_FALSE(TooltipShown());
    EXPECT_EQ(2, m_host.m_nSelChanges);
}

TEST_F(FlyByTooltip, DisablingHidesAndFreesTheCaptureAndEnablingReusesTheWindow)
{
    ShowOverLongItem();
    const HWND hWndTooltip = Tooltip().m_hWnd;
    m_list.DisableFlyByTooltips();
    EXPECT_FALSE(TooltipShown());
    EXPECT_EQ(nullptr, ::GetCapture());
    HoverItem(3);
    EXPECT_FALSE(TooltipShown());

    m_list.EnableFlyByTooltips();
    EXPECT_EQ(hWndTooltip, Tooltip().m_hWnd);
    HoverItem(1);
    EXPECT_TRUE(TooltipShown());
}

TEST_F(FlyByTooltip, ALaterClassRegistrationLeavesTheTooltipClassAlone)
{
    AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    CProbeCheckListBox second;
    ASSERT_TRUE(second.Create(WS_CHILD | WS_VISIBLE, CRect(200, 10, 300, 100), &m_host, IDC_LIST + 1));
    second.EnableFlyByTooltips();
    const HWND hWnd = second.m_pTooltip->m_hWnd;
    EXPECT_EQ(0x0803u, ::GetClassLongPtrW(hWnd, GCL_STYLE));
    EXPECT_EQ(0u, ::GetClassLongPtrW(hWnd, GCLP_HBRBACKGROUND));
    EXPECT_EQ(static_cast<LONG_PTR>(WS_POPUP | WS_BORDER), ::GetWindowLongPtrW(hWnd, GWL_STYLE) & ~WS_CLIPSIBLINGS);
    wchar_t szClass[128];
    ::GetClassNameW(hWnd, szClass, 128);
    EXPECT_STREQ(CTavFlyByTooltip::m_pszWndClass, szClass);
}

TEST_F(FlyByTooltip, ItPaintsTheBoxAndTheWholeTextBeyondTheListInHighlightColours)
{
    m_list.SetSel(1);
    m_list.SetCheck(1, 1);
    HoverItem(1);
    ASSERT_TRUE(TooltipShown());
    const CImage image = kit::Capture(&Tooltip());
    CPoint ptListRight(kListRect.Width(), 0);
    m_list.MapWindowPoints(&Tooltip(), &ptListRight, 1);
    const CRect rcBeyond(ptListRight.x + 2, 0, image.GetWidth() - 4, image.GetHeight());
    ASSERT_FALSE(rcBeyond.IsRectEmpty());
    EXPECT_TRUE(kit::RegionContains(image, rcBeyond, ::GetSysColor(COLOR_HIGHLIGHT)));
    EXPECT_GT(kit::CountPixels(image, rcBeyond, ::GetSysColor(COLOR_HIGHLIGHTTEXT), 60), 10) << "the text's end";
    const CRect rcBox(0, 0, 13, image.GetHeight());
    EXPECT_TRUE(kit::RegionContains(image, rcBox, ::GetSysColor(COLOR_WINDOW)));
    EXPECT_TRUE(kit::RegionContains(image, rcBox, RGB(0, 0, 0), 40)) << "the check mark";
}

namespace
{
// A host's list box: it draws its items itself and decides by its own geometry which item is cut off.
class CHostList : public CTavListBox
{
public:
    using CTavListBox::InitControl;
    using CTavFlyByControl::m_pTooltip;
    int m_cxIdeal = 0;

protected:
    void DrawFlyByItem(CDC* pDC, const CRect& rect, long) override { pDC->FillSolidRect(&rect, RGB(0, 128, 0)); }
    CRect GetIdealItemRect(long nItem) override
    {
        CRect rcItem = GetItemRect(nItem);
        rcItem.right = rcItem.left + m_cxIdeal;
        return rcItem;
    }
    CRect GetItemRect(long nItem) override
    {
        CRect rcItem;
        CListBox::GetItemRect(static_cast<int>(nItem), &rcItem);
        return rcItem;
    }
    long GetItemCount() override { return GetCount(); }
};
}

TEST(TavListBox, InitControlCreatesTheTooltipAndTheHostsGeometryDecides)
{
    kit::CHostDialog host;
    ASSERT_TRUE(host.Open(300, 200));
    CHostList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(10, 10, 110, 150), &host, IDC_LIST));
    list.AddString(L"one");
    list.AddString(L"two");
    EXPECT_EQ(RUNTIME_CLASS(CListBox), list.GetRuntimeClass()) << "no runtime class of its own";
    EXPECT_STREQ("CTavCheckListBox", RUNTIME_CLASS(CTavCheckListBox)->m_lpszClassName);
    EXPECT_TRUE(RUNTIME_CLASS(CTavCheckListBox)->IsDerivedFrom(RUNTIME_CLASS(CCheckListBox)));
    EXPECT_TRUE(list.m_pTooltip->IsKindOf(RUNTIME_CLASS(CTavFlyByTooltip)));
    EXPECT_FALSE(::IsWindow(list.m_pTooltip->GetSafeHwnd()));
    list.InitControl();
    ASSERT_TRUE(::IsWindow(list.m_pTooltip->GetSafeHwnd()));

    CRect rcRow;
    list.CListBox::GetItemRect(1, &rcRow);
    list.m_cxIdeal = rcRow.Width();
    kit::MouseMove(&list, rcRow.TopLeft() + CSize(5, 2));
    EXPECT_FALSE(list.m_pTooltip->IsWindowVisible());
    list.m_cxIdeal = rcRow.Width() + 1;
    kit::MouseMove(&list, rcRow.TopLeft() + CSize(6, 2));
    ASSERT_TRUE(list.m_pTooltip->IsWindowVisible());
    EXPECT_TRUE(kit::PixelIs(kit::Capture(list.m_pTooltip), CPoint(3, 3), RGB(0, 128, 0)));
}
