// The test kit itself: input arrives through the queue with the point, flags, key state and cursor position
// a user's input would have; timers fire; pixels are read back and failures leave a PNG behind.
#include "Controls.h"
#include "Gdi.h"
#include "kit/Host.h"
#include "kit/Input.h"
#include "kit/Pixels.h"
#include "kit/Pump.h"

#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
struct MouseEvent
{
    UINT message;
    UINT nFlags;
    CPoint point;
    bool bCtrlKeyState;
    bool bShiftKeyState;
    bool bLeftButtonState;
    CPoint cursor;  // GetCursorPos in client coordinates
};

class CInputWnd : public CWnd
{
public:
    std::vector<MouseEvent> m_mouse;
    std::vector<std::string> m_keys;
    std::vector<UINT_PTR> m_timers;

    BOOL Create(CWnd* pParent, const CRect& rect)
    {
        return CWnd::Create(AfxRegisterWndClass(CS_DBLCLKS, nullptr, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH))),
                            nullptr, WS_VISIBLE, rect, pParent, 1);
    }

protected:
    void Record(UINT message, UINT nFlags, CPoint point)
    {
        POINT cursor;
        ::GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        m_mouse.push_back({message, nFlags, point, ::GetKeyState(VK_CONTROL) < 0, ::GetKeyState(VK_SHIFT) < 0,
                           ::GetKeyState(VK_LBUTTON) < 0, cursor});
    }
    afx_msg void OnMouseMove(UINT nFlags, CPoint point) { Record(WM_MOUSEMOVE, nFlags, point); }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point) { Record(WM_LBUTTONDOWN, nFlags, point); }
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point) { Record(WM_LBUTTONUP, nFlags, point); }
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point) { Record(WM_LBUTTONDBLCLK, nFlags, point); }
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point) { Record(WM_RBUTTONDOWN, nFlags, point); }
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point) { Record(WM_RBUTTONUP, nFlags, point); }
    afx_msg void OnKeyDown(UINT nChar, UINT, UINT)
    {
        m_keys.push_back("down " + std::to_string(nChar) + (::GetKeyState(VK_CONTROL) < 0 ? " ctrl" : ""));
    }
    afx_msg void OnChar(UINT nChar, UINT, UINT) { m_keys.push_back("char " + std::to_string(nChar)); }
    afx_msg void OnTimer(UINT_PTR nIDEvent) { m_timers.push_back(nIDEvent); }
    afx_msg UINT OnGetDlgCode() { return DLGC_WANTALLKEYS | DLGC_WANTCHARS; }
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        dc.FillSolidRect(10, 10, 20, 10, RGB(0, 0, 255));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CInputWnd, CWnd)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_TIMER()
    ON_WM_GETDLGCODE()
    ON_WM_PAINT()
END_MESSAGE_MAP()

// The platform's tree view, recording the presses that the host's route shows it.
class CRecordingTree : public CWnd
{
public:
    int m_nPressesSeen = 0;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_LBUTTONDOWN)
            ++m_nPressesSeen;
        return FALSE;
    }
};

// Ends a mouse-tracking loop that the kit failed to end, so that a fault fails the test instead of hanging it.
struct TrackingWatchdog
{
    static HWND s_hWndTracking;
    static bool s_bFired;

    explicit TrackingWatchdog(HWND hWnd)
    {
        s_hWndTracking = hWnd;
        s_bFired = false;
        m_nTimer = ::SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) {
            s_bFired = true;
            ::PostMessageW(s_hWndTracking, WM_LBUTTONUP, 0, 0);
        });
    }
    ~TrackingWatchdog() { ::KillTimer(nullptr, m_nTimer); }

    UINT_PTR m_nTimer;
};

HWND TrackingWatchdog::s_hWndTracking = nullptr;
bool TrackingWatchdog::s_bFired = false;

// The whole file, which is then deleted; empty when there is none.
std::string ReadAndRemove(const std::string& path)
{
    std::string bytes;
    if (FILE* pFile = fopen(path.c_str(), "rb"))
    {
        char buffer[4096];
        for (size_t nRead; (nRead = fread(buffer, 1, sizeof(buffer), pFile)) > 0;)
            bytes.append(buffer, nRead);
        fclose(pFile);
    }
    remove(path.c_str());
    return bytes;
}

class KitTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Open(300, 200));
        ASSERT_TRUE(m_target.Create(&m_host, CRect(20, 30, 120, 80)));
        m_target.SetFocus();
    }

    kit::CHostDialog m_host;
    CInputWnd m_target;
};
}

TEST_F(KitTest, ClickAtAHostPointReachesTheChildWithItsPointAndModifiers)
{
    kit::Click(&m_host, CPoint(50, 60), kit::Button::Left, kit::Ctrl | kit::Shift);

    ASSERT_EQ(2u, m_target.m_mouse.size());
    const MouseEvent& down = m_target.m_mouse[0];
    EXPECT_EQ(static_cast<UINT>(WM_LBUTTONDOWN), down.message);
    EXPECT_EQ(CPoint(30, 30), down.point);
    EXPECT_EQ(static_cast<UINT>(MK_LBUTTON | MK_CONTROL | MK_SHIFT), down.nFlags);
    EXPECT_TRUE(down.bCtrlKeyState);
    EXPECT_TRUE(down.bShiftKeyState);
    EXPECT_TRUE(down.bLeftButtonState);
    EXPECT_EQ(CPoint(30, 30), down.cursor);

    const MouseEvent& up = m_target.m_mouse[1];
    EXPECT_EQ(static_cast<UINT>(WM_LBUTTONUP), up.message);
    EXPECT_EQ(static_cast<UINT>(MK_CONTROL | MK_SHIFT), up.nFlags);
    EXPECT_FALSE(up.bLeftButtonState);

    // Nothing stays held after the action.
    EXPECT_GE(::GetKeyState(VK_CONTROL), 0);
    EXPECT_GE(::GetKeyState(VK_SHIFT), 0);
}

TEST_F(KitTest, DoubleRightAndDraggingInput)
{
    kit::DoubleClick(&m_target, CPoint(5, 6));
    kit::Click(&m_target, CPoint(7, 8), kit::Button::Right);
    std::vector<UINT> messages;
    for (const MouseEvent& event : m_target.m_mouse)
        messages.push_back(event.message);
    std::vector<UINT> expected = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP};
    EXPECT_EQ(expected, messages);

    // While the target has the capture, moves outside it still reach it, in its coordinates.
    m_target.m_mouse.clear();
    kit::MousePress(&m_target, CPoint(10, 10));
    m_target.SetCapture();
    kit::MouseMove(&m_host, CPoint(250, 150));
    kit::MouseRelease(&m_host, CPoint(250, 150));
    ::ReleaseCapture();
    ASSERT_EQ(3u, m_target.m_mouse.size());
    EXPECT_EQ(CPoint(230, 120), m_target.m_mouse[1].point);
    EXPECT_EQ(static_cast<UINT>(MK_LBUTTON), m_target.m_mouse[1].nFlags);
    EXPECT_EQ(CPoint(230, 120), kit::CursorPos(&m_target));

    // A drag presses, moves in even steps with the button held, and releases at the end point.
    m_target.m_mouse.clear();
    kit::Drag(&m_target, CPoint(10, 10), CPoint(50, 30), kit::Shift, 2);
    ASSERT_EQ(4u, m_target.m_mouse.size());
    EXPECT_EQ(static_cast<UINT>(WM_MOUSEMOVE), m_target.m_mouse[1].message);
    EXPECT_EQ(CPoint(30, 20), m_target.m_mouse[1].point);
    EXPECT_EQ(static_cast<UINT>(MK_LBUTTON | MK_SHIFT), m_target.m_mouse[2].nFlags);
    EXPECT_EQ(CPoint(50, 30), m_target.m_mouse[2].point);
    EXPECT_EQ(static_cast<UINT>(WM_LBUTTONUP), m_target.m_mouse[3].message);
}

TEST_F(KitTest, AClickWithItsReleaseQueuedEndsAControlsOwnMouseTracking)
{
    kit::ClickWithQueuedRelease(&m_target, CPoint(5, 6), kit::Button::Left, kit::Ctrl);
    ASSERT_EQ(2u, m_target.m_mouse.size());
    EXPECT_EQ(static_cast<UINT>(WM_LBUTTONDOWN), m_target.m_mouse[0].message);
    EXPECT_EQ(static_cast<UINT>(MK_LBUTTON | MK_CONTROL), m_target.m_mouse[0].nFlags);
    EXPECT_TRUE(m_target.m_mouse[0].bLeftButtonState);
    EXPECT_EQ(static_cast<UINT>(WM_LBUTTONUP), m_target.m_mouse[1].message);
    EXPECT_EQ(static_cast<UINT>(MK_CONTROL), m_target.m_mouse[1].nFlags);
    EXPECT_FALSE(m_target.m_mouse[1].bLeftButtonState);

    // A tree view that allows dragging waits after a press for the release or a move beyond the drag distance.
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    CRecordingTree tree;
    ASSERT_TRUE(tree.Create(WC_TREEVIEWW, nullptr, WS_VISIBLE | WS_BORDER | TVS_SHOWSELALWAYS,
                            CRect(130, 10, 290, 190), &m_host, 2));
    TVINSERTSTRUCTW insert{};
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<LPWSTR>(L"first");
    tree.SendMessage(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
    insert.item.pszText = const_cast<LPWSTR>(L"second");
    HTREEITEM hSecond = reinterpret_cast<HTREEITEM>(tree.SendMessage(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    RECT rcSecond{};
    ::memcpy(&rcSecond, &hSecond, sizeof(hSecond));  // TVM_GETITEMRECT takes the item in the rectangle
    ASSERT_TRUE(tree.SendMessage(TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rcSecond)));

    TrackingWatchdog watchdog(tree.m_hWnd);
    kit::ClickWithQueuedRelease(&tree, CRect(rcSecond).CenterPoint());
    EXPECT_FALSE(TrackingWatchdog::s_bFired);
    EXPECT_EQ(hSecond, reinterpret_cast<HTREEITEM>(tree.SendMessage(TVM_GETNEXTITEM, TVGN_CARET)));
    EXPECT_EQ(1, tree.m_nPressesSeen);
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(KitTest, KeysAreTranslatedWithTheHeldModifiers)
{
    kit::PressKey('A', kit::Ctrl);
    kit::TypeText(L"aB");
    std::vector<std::string> expected = {"down 17 ctrl", "down 65 ctrl", "char 1", "down 65", "char 97",
                                         "down 16", "down 66", "char 66"};
    EXPECT_EQ(expected, m_target.m_keys);

    m_target.m_keys.clear();
    {
        kit::HoldKeys ctrl(kit::Ctrl);
        kit::PressKey(VK_HOME);
    }
    EXPECT_EQ(std::vector<std::string>{"down 36 ctrl"}, m_target.m_keys);
}

TEST_F(KitTest, TimersFireThroughTheQueue)
{
    kit::FireTimer(m_target.m_hWnd, 5);
    EXPECT_EQ(std::vector<UINT_PTR>{5}, m_target.m_timers);

    m_target.SetTimer(9, 20);
    EXPECT_TRUE(kit::WaitForTimer(m_target.m_hWnd, 9, 2000));
    m_target.KillTimer(9);
    EXPECT_EQ(9u, m_target.m_timers.back());
}

TEST_F(KitTest, PixelsOfAPaintedWindowAndAPngForFailures)
{
    CImage image = kit::Capture(&m_target);
    ASSERT_EQ(100, image.GetWidth());
    ASSERT_EQ(50, image.GetHeight());
    EXPECT_TRUE(kit::RegionIs(image, CRect(10, 10, 30, 20), RGB(0, 0, 255)));
    EXPECT_TRUE(kit::PixelIs(image, CPoint(40, 40), RGB(255, 255, 255)));
    EXPECT_EQ(20 * 10, kit::CountPixels(image, CRect(0, 0, 100, 50), RGB(0, 0, 255)));

    ::testing::AssertionResult failed = kit::PixelIs(image, CPoint(15, 15), RGB(255, 0, 0));
    EXPECT_FALSE(failed);
    std::string message = failed.message();
    size_t at = message.find("saved to ");
    ASSERT_NE(std::string::npos, at);
    std::string path = message.substr(at + 9, message.size() - at - 10);
    EXPECT_EQ(0u, ReadAndRemove(path).rfind("\x89PNG\r\n\x1a\n", 0)) << path;

    // A name ending in .bmp gives a 32-bit BMP instead.
    path.replace(path.size() - 3, 3, "bmp");
    ASSERT_TRUE(image.Save(std::wstring(path.begin(), path.end()).c_str()));
    std::string bmp = ReadAndRemove(path);
    EXPECT_EQ(14u + 40 + 100 * 50 * 4, bmp.size());
    EXPECT_EQ(0u, bmp.rfind("BM", 0));
}
