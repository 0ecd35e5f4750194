// Message maps: entries of a derived class win over its bases', lookups fall through the chain to the
// bases' maps, and unmapped messages reach the window's default processing.
#include "kit/Host.h"
#include "kit/Input.h"
#include "kit/Pump.h"

#include <cstdarg>
#include <cstdio>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <vector>

namespace
{
const UINT WM_PING = WM_APP + 1;
const UINT WM_ECHO = WM_APP + 2;
const UINT WM_UNMAPPED = WM_APP + 3;
const UINT s_nRegisteredPing = ::RegisterWindowMessageW(L"TavWndTests.Ping");

class CBaseWnd : public CWnd
{
public:
    std::vector<std::string> m_log;

protected:
    afx_msg void OnLButtonDown(UINT, CPoint) { m_log.push_back("base:down"); }
    afx_msg void OnKeyDown(UINT nChar, UINT, UINT) { m_log.push_back("base:key " + std::to_string(nChar)); }
    afx_msg LRESULT OnPing(WPARAM, LPARAM) { return 1; }
    afx_msg LRESULT OnRegisteredPing(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam) * 2; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_KEYDOWN()
    ON_MESSAGE(WM_PING, OnPing)
    ON_REGISTERED_MESSAGE(s_nRegisteredPing, OnRegisteredPing)
END_MESSAGE_MAP()

class CMiddleWnd : public CBaseWnd
{
protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point)
    {
        m_log.push_back("middle:down");
        CBaseWnd::OnLButtonDown(nFlags, point);
    }
    afx_msg LRESULT OnEcho(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMiddleWnd, CBaseWnd)
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(WM_ECHO, OnEcho)
END_MESSAGE_MAP()

class CLeafWnd : public CMiddleWnd
{
protected:
    afx_msg LRESULT OnLeafPing(WPARAM, LPARAM) { return 3; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLeafWnd, CMiddleWnd)
    ON_MESSAGE(WM_PING, OnLeafPing)
END_MESSAGE_MAP()

// An entry macro takes a handler only with the exact signature of its message. Each check asks whether an
// entry compiles for a class; a wrong signature, or a handler of a class that is no window, must not.
#define ENTRY_COMPILES(Check, entry)                                                                        \
    template <class ThisClass, class = void>                                                              \
    struct Check : std::false_type {};                                                                     \
    template <class ThisClass>                                                                             \
    struct Check<ThisClass, std::void_t<decltype(std::initializer_list<AFX_MSGMAP_ENTRY>{entry})>> : std::true_type {};

ENTRY_COMPILES(CreateEntryCompiles, ON_WM_CREATE())
ENTRY_COMPILES(LButtonDownEntryCompiles, ON_WM_LBUTTONDOWN())
ENTRY_COMPILES(MessageEntryCompiles, ON_MESSAGE(WM_PING, OnAnyMessage))
ENTRY_COMPILES(CommandEntryCompiles, ON_COMMAND(IDOK, OnCommandOk))
ENTRY_COMPILES(NotifyEntryCompiles, ON_NOTIFY(NM_CLICK, 1, OnClickNotify))
ENTRY_COMPILES(NotifyReflectExEntryCompiles, ON_NOTIFY_REFLECT_EX(NM_CLICK, OnClickReflectEx))
ENTRY_COMPILES(ControlReflectEntryCompiles, ON_CONTROL_REFLECT(BN_CLICKED, OnClickedReflect))

struct CRightHandlers : CWnd
{
    int OnCreate(LPCREATESTRUCT);
    void OnLButtonDown(UINT, CPoint);
    LRESULT OnAnyMessage(WPARAM, LPARAM);
    void OnCommandOk();
    void OnClickNotify(NMHDR*, LRESULT*);
    BOOL OnClickReflectEx(NMHDR*, LRESULT*);
    void OnClickedReflect();
};

struct CWrongHandlers : CWnd
{
    void OnCreate(LPCREATESTRUCT);
    void OnLButtonDown(UINT, POINT);
    LRESULT OnAnyMessage(WPARAM);
    void OnCommandOk(UINT);
    BOOL OnClickNotify(NMHDR*, LRESULT*);
    void OnClickReflectEx(NMHDR*, LRESULT*);
    void OnClickedReflect(UINT);
};

struct CNotAWindow : CObject
{
    void OnLButtonDown(UINT, CPoint);
    LRESULT OnAnyMessage(WPARAM, LPARAM);
};

static_assert(CreateEntryCompiles<CRightHandlers>::value && !CreateEntryCompiles<CWrongHandlers>::value, "");
static_assert(LButtonDownEntryCompiles<CRightHandlers>::value && !LButtonDownEntryCompiles<CWrongHandlers>::value &&
                  !LButtonDownEntryCompiles<CNotAWindow>::value, "");
static_assert(MessageEntryCompiles<CRightHandlers>::value && !MessageEntryCompiles<CWrongHandlers>::value &&
                  !MessageEntryCompiles<CNotAWindow>::value, "");
static_assert(CommandEntryCompiles<CRightHandlers>::value && !CommandEntryCompiles<CWrongHandlers>::value, "");
static_assert(NotifyEntryCompiles<CRightHandlers>::value && !NotifyEntryCompiles<CWrongHandlers>::value, "");
static_assert(NotifyReflectExEntryCompiles<CRightHandlers>::value &&
                  !NotifyReflectExEntryCompiles<CWrongHandlers>::value, "");
static_assert(ControlReflectEntryCompiles<CRightHandlers>::value && !ControlReflectEntryCompiles<CWrongHandlers>::value, "");

// Records the arguments each standard handler receives.
class CCrackingWnd : public CWnd
{
public:
    std::string m_last;

protected:
    void Record(const char* pszFormat, ...)
    {
        char sz[96];
        va_list args;
        va_start(args, pszFormat);
        vsnprintf(sz, sizeof(sz), pszFormat, args);
        va_end(args);
        m_last = sz;
    }
    const char* NameOf(CWnd* pWnd) { return !pWnd ? "null" : pWnd == this ? "self" : "other"; }

    afx_msg void OnSize(UINT nType, int cx, int cy) { Record("size %u %d %d", nType, cx, cy); }
    afx_msg void OnMove(int x, int y) { Record("move %d %d", x, y); }
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus) { Record("show %d %u", bShow, nStatus); }
    afx_msg void OnSetFocus(CWnd* pOldWnd) { Record("setfocus %s", NameOf(pOldWnd)); }
    afx_msg void OnKillFocus(CWnd* pNewWnd) { Record("killfocus %s", NameOf(pNewWnd)); }
    afx_msg void OnMouseMove(UINT nFlags, CPoint point) { Record("mousemove %u %ld,%ld", nFlags, point.x, point.y); }
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
    {
        Record("wheel %u %d %ld,%ld", nFlags, zDelta, pt.x, pt.y);
        return TRUE;
    }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { Record("keydown %u %u 0x%x", nChar, nRepCnt, nFlags); }
    afx_msg void OnTimer(UINT_PTR nIDEvent) { Record("timer %u", static_cast<UINT>(nIDEvent)); }
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos) { Record("contextmenu %s %ld,%ld", NameOf(pWnd), pos.x, pos.y); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCrackingWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_MOVE()
    ON_WM_SHOWWINDOW()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEWHEEL()
    ON_WM_KEYDOWN()
    ON_WM_TIMER()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

class MessageMapTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Open());
        ASSERT_TRUE(m_leaf.Create(nullptr, L"leaf", WS_VISIBLE, CRect(10, 10, 110, 60), &m_host, 100));
        m_leaf.SetFocus();
    }

    kit::CHostDialog m_host;
    CLeafWnd m_leaf;
};
}

TEST_F(MessageMapTest, DerivedEntriesWinAndLookupsFallThroughToTheBases)
{
    EXPECT_EQ(3, m_leaf.SendMessage(WM_PING));            // the leaf's entry hides the base's
    EXPECT_EQ(7, m_leaf.SendMessage(WM_ECHO, 7));         // found in the middle class's map
    EXPECT_EQ(10, m_leaf.SendMessage(s_nRegisteredPing, 5));  // registered message in the base's map
    EXPECT_EQ(0, m_leaf.SendMessage(WM_UNMAPPED, 9));     // default processing

    CBaseWnd base;
    ASSERT_TRUE(base.Create(nullptr, L"base", WS_VISIBLE, CRect(10, 70, 110, 120), &m_host, 101));
    EXPECT_EQ(1, base.SendMessage(WM_PING));
    EXPECT_EQ(0, base.SendMessage(WM_ECHO, 7));
}

TEST_F(MessageMapTest, InputReachesTheMostDerivedHandlerWhichCanCallItsBase)
{
    kit::Click(&m_leaf, CPoint(5, 5));
    kit::PressKey('Q');
    std::vector<std::string> expected = {"middle:down", "base:down", "base:key 81"};
    EXPECT_EQ(expected, m_leaf.m_log);
}

TEST_F(MessageMapTest, StandardHandlersReceiveTheMessagesArgumentsUnpacked)
{
    CCrackingWnd wnd;
    ASSERT_TRUE(wnd.Create(nullptr, nullptr, 0, CRect(0, 0, 10, 10), &m_host, 102));
    const WPARAM self = reinterpret_cast<WPARAM>(wnd.m_hWnd);
    const struct { UINT message; WPARAM wParam; LPARAM lParam; const char* pszExpected; } cases[] = {
        {WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(300, 200), "size 2 300 200"},
        {WM_MOVE, 0, MAKELPARAM(-5, -7), "move -5 -7"},
        {WM_SHOWWINDOW, TRUE, SW_PARENTOPENING, "show 1 3"},
        {WM_SETFOCUS, self, 0, "setfocus self"},
        {WM_KILLFOCUS, 0, 0, "killfocus null"},
        {WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(-3, 4), "mousemove 4 -3,4"},
        {WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -120), MAKELPARAM(100, -50), "wheel 8 -120 100,-50"},
        {WM_KEYDOWN, VK_LEFT, 0x014B0003, "keydown 37 3 0x14b"},
        {WM_TIMER, 77, 0, "timer 77"},
        {WM_CONTEXTMENU, self, MAKELPARAM(-1, -1), "contextmenu self -1,-1"},
    };
    for (const auto& c : cases)
    {
        wnd.m_last.clear();
        wnd.SendMessage(c.message, c.wParam, c.lParam);
        EXPECT_EQ(c.pszExpected, wnd.m_last);
    }
}
