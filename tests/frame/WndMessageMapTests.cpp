// Message maps: entries of a derived class win over its bases', lookups fall through the chain to the
// bases' maps, and unmapped messages reach the window's default processing.
#include "kit/Host.h"
#include "kit/Input.h"
#include "kit/Pump.h"

#include <gtest/gtest.h>
#include <string>
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
