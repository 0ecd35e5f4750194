// Reflection: a parent offers its children's notifications to the child's object first. A plain reflect
// entry keeps the notification from the parent; an _EX entry passes it on when it returns FALSE; owner-draw
// requests reach the child after the parent's own handler.
#include "Controls.h"
#include "Gdi.h"
#include "kit/Host.h"
#include "kit/Input.h"
#include "kit/Pixels.h"
#include "kit/Pump.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
enum
{
    IDC_PLAIN = 201,
    IDC_EX = 202,
    IDC_NONE = 203,
    IDC_BUTTON = 204,
    IDC_OWNERDRAWN = 205,
    IDC_STATIC_DRAWN = 206,
};

std::vector<std::string> s_log;

// Sends WM_NOTIFY with NM_CLICK to its parent, as a common control does.
class CNotifyingWnd : public CWnd
{
public:
    LRESULT Notify()
    {
        NMHDR nmhdr{m_hWnd, static_cast<UINT_PTR>(GetDlgCtrlID()), static_cast<UINT>(NM_CLICK)};
        return GetParent()->SendMessage(WM_NOTIFY, nmhdr.idFrom, reinterpret_cast<LPARAM>(&nmhdr));
    }
};

class CPlainReflectWnd : public CNotifyingWnd
{
protected:
    afx_msg void OnClickReflect(NMHDR*, LRESULT* pResult)
    {
        s_log.push_back("plain child");
        *pResult = 42;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPlainReflectWnd, CNotifyingWnd)
    ON_NOTIFY_REFLECT(NM_CLICK, OnClickReflect)
END_MESSAGE_MAP()

class CExReflectWnd : public CNotifyingWnd
{
public:
    BOOL m_bEat = FALSE;

protected:
    afx_msg BOOL OnClickReflectEx(NMHDR*, LRESULT*)
    {
        s_log.push_back("ex child");
        return m_bEat;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CExReflectWnd, CNotifyingWnd)
    ON_NOTIFY_REFLECT_EX(NM_CLICK, OnClickReflectEx)
END_MESSAGE_MAP()

class CClickButton : public CButton
{
public:
    BOOL m_bEat = FALSE;

protected:
    afx_msg BOOL OnClickedEx()
    {
        s_log.push_back("button child");
        return m_bEat;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CClickButton, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClickedEx)
END_MESSAGE_MAP()

class CPlainClickButton : public CButton
{
protected:
    afx_msg void OnClicked() { s_log.push_back("plain button child"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPlainClickButton, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

// An owner-drawn button that paints itself solid red.
class CRedButton : public CButton
{
public:
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        s_log.push_back("button draws");
        CDC::FromHandle(lpDrawItemStruct->hDC)->FillSolidRect(&lpDrawItemStruct->rcItem, RGB(255, 0, 0));
    }
};

// An owner-drawn static that draws through the reflect entry.
class CGreenStatic : public CStatic
{
public:
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
    {
        s_log.push_back("static draws");
        CDC::FromHandle(lpDrawItemStruct->hDC)->FillSolidRect(&lpDrawItemStruct->rcItem, RGB(0, 255, 0));
    }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CGreenStatic, CStatic)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

// An owner-drawn list box that sets its own item height, asked while the list box is being created.
class CTallItemsList : public CWnd
{
public:
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) { lpMeasureItemStruct->itemHeight = 33; }
    void DrawItem(LPDRAWITEMSTRUCT) {}

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTallItemsList, CWnd)
    ON_WM_MEASUREITEM_REFLECT()
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

// A static that paints its own background when it has a brush to give.
class CColouredStatic : public CStatic
{
public:
    CBrush m_brush;

protected:
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT)
    {
        if (!m_brush.m_hObject)
            return nullptr;
        pDC->SetBkMode(TRANSPARENT);
        return m_brush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColouredStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CParentHost : public kit::CHostDialog
{
protected:
    afx_msg void OnChildClick(UINT nID, NMHDR*, LRESULT* pResult)
    {
        s_log.push_back("parent " + std::to_string(nID));
        *pResult = 7;
    }
    afx_msg void OnButtonClicked() { s_log.push_back("parent button"); }
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
    {
        s_log.push_back("parent draw " + std::to_string(nIDCtl));
        kit::CHostDialog::OnDrawItem(nIDCtl, lpDrawItemStruct);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentHost, kit::CHostDialog)
    ON_NOTIFY_RANGE(NM_CLICK, IDC_PLAIN, IDC_NONE, OnChildClick)
    ON_BN_CLICKED(IDC_BUTTON, OnButtonClicked)
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

class ReflectionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        s_log.clear();
        ASSERT_TRUE(m_host.Open(300, 200));
        ASSERT_TRUE(m_plain.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 10, 10), &m_host, IDC_PLAIN));
        ASSERT_TRUE(m_ex.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 10, 10, 20), &m_host, IDC_EX));
        ASSERT_TRUE(m_none.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 20, 10, 30), &m_host, IDC_NONE));
    }

    CParentHost m_host;
    CPlainReflectWnd m_plain;
    CExReflectWnd m_ex;
    CNotifyingWnd m_none;
};
}

TEST_F(ReflectionTest, PlainReflectKeepsTheNotificationExPassesItOnWhenFalseAndNoEntryLeavesItToTheParent)
{
    const struct { const char* pszWhat; CNotifyingWnd* pWnd; BOOL bEat; LRESULT nResult; std::vector<std::string> log; }
        cases[] = {
            {"plain", &m_plain, FALSE, 42, {"plain child"}},
            {"ex returning FALSE", &m_ex, FALSE, 7, {"ex child", "parent 202"}},
            {"ex returning TRUE", &m_ex, TRUE, 0, {"ex child"}},
            {"no entry", &m_none, FALSE, 7, {"parent 203"}},
        };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        s_log.clear();
        m_ex.m_bEat = c.bEat;
        EXPECT_EQ(c.nResult, c.pWnd->Notify());
        EXPECT_EQ(c.log, s_log);
    }
}

TEST_F(ReflectionTest, ControlNotificationOfAClickedButtonIsReflected)
{
    CClickButton button;
    ASSERT_TRUE(button.Create(L"Go", WS_VISIBLE | BS_PUSHBUTTON, CRect(50, 50, 150, 80), &m_host, IDC_BUTTON));
    kit::Click(&button, CPoint(10, 10));
    button.m_bEat = TRUE;
    kit::Click(&button, CPoint(10, 10));
    std::vector<std::string> expected = {"button child", "parent button", "button child"};
    EXPECT_EQ(expected, s_log);

    // A plain entry keeps the notification from the parent's own entry for the same ID.
    button.DestroyWindow();
    s_log.clear();
    CPlainClickButton plainButton;
    ASSERT_TRUE(plainButton.Create(L"Go", WS_VISIBLE | BS_PUSHBUTTON, CRect(50, 50, 150, 80), &m_host, IDC_BUTTON));
    kit::Click(&plainButton, CPoint(10, 10));
    EXPECT_EQ(std::vector<std::string>{"plain button child"}, s_log);
}

TEST_F(ReflectionTest, DrawItemReachesOwnerDrawnChildrenAfterTheParent)
{
    CRedButton button;
    CGreenStatic picture;
    ASSERT_TRUE(button.Create(L"", WS_VISIBLE | BS_OWNERDRAW, CRect(50, 50, 150, 80), &m_host, IDC_OWNERDRAWN));
    ASSERT_TRUE(picture.Create(L"", WS_VISIBLE | SS_OWNERDRAW, CRect(50, 100, 150, 130), &m_host, IDC_STATIC_DRAWN));
    CImage image = kit::Capture(&m_host);

    // The children's own drawing is what shows.
    EXPECT_TRUE(kit::RegionIs(image, CRect(52, 52, 148, 78), RGB(255, 0, 0)));
    EXPECT_TRUE(kit::RegionIs(image, CRect(52, 102, 148, 128), RGB(0, 255, 0)));
    auto position = [](const std::string& entry) { return std::find(s_log.begin(), s_log.end(), entry) - s_log.begin(); };
    EXPECT_LT(position("parent draw 205"), position("button draws"));
    EXPECT_LT(position("parent draw 206"), position("static draws"));
}

TEST_F(ReflectionTest, MeasureItemReachesAChildBeingCreated)
{
    CTallItemsList list;
    ASSERT_TRUE(list.Create(L"LISTBOX", nullptr, WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                            CRect(50, 50, 150, 150), &m_host, IDC_OWNERDRAWN));
    EXPECT_EQ(33, list.SendMessage(LB_GETITEMHEIGHT, 0));
}

TEST_F(ReflectionTest, ControlColoursComeFromTheChildWhenItHasThem)
{
    CColouredStatic coloured;
    CColouredStatic plain;
    ASSERT_TRUE(coloured.m_brush.CreateSolidBrush(RGB(255, 255, 0)));
    ASSERT_TRUE(coloured.Create(L"", WS_VISIBLE, CRect(50, 50, 150, 80), &m_host, IDC_STATIC_DRAWN));
    ASSERT_TRUE(plain.Create(L"", WS_VISIBLE, CRect(50, 100, 150, 130), &m_host, IDC_BUTTON));
    CImage image = kit::Capture(&m_host);
    EXPECT_TRUE(kit::RegionIs(image, CRect(50, 50, 150, 80), RGB(255, 255, 0)));
    EXPECT_TRUE(kit::RegionIs(image, CRect(50, 100, 150, 130), ::GetSysColor(COLOR_BTNFACE)));
}
