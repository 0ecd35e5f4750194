// Windows and their objects: creation through the hook, taking over dialog controls, Default, the handle
// map and the end of a window's life.
#include "Controls.h"
#include "kit/Host.h"
#include "kit/Input.h"
#include "kit/Pump.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
class CCreationWnd : public CWnd
{
public:
    std::vector<std::string> m_log;
    bool m_bFailCreate = false;
    int m_nPostNcDestroy = 0;

protected:
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct)
    {
        m_log.push_back(m_hWnd ? "nccreate" : "nccreate without handle");
        return CWnd::OnNcCreate(lpCreateStruct);
    }
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        m_log.push_back("create " + std::string(lpCreateStruct->lpszName[0] == L'W' ? "W" : "?"));
        return m_bFailCreate ? -1 : CWnd::OnCreate(lpCreateStruct);
    }
    afx_msg void OnDestroy()
    {
        m_log.push_back("destroy");
        CWnd::OnDestroy();
    }
    void PostNcDestroy() override { ++m_nPostNcDestroy; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCreationWnd, CWnd)
    ON_WM_NCCREATE()
    ON_WM_CREATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

// Lets the edit control insert everything but digits: Default runs the edit's own character handling.
class CNoDigitsEdit : public CEdit
{
public:
    int m_nPreSubclass = 0;
    HWND m_hWndAtPreSubclass = nullptr;

protected:
    void PreSubclassWindow() override
    {
        ++m_nPreSubclass;
        m_hWndAtPreSubclass = m_hWnd;
    }
    afx_msg void OnChar(UINT nChar, UINT, UINT)
    {
        if (nChar < L'0' || nChar > L'9')
            Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNoDigitsEdit, CEdit)
    ON_WM_CHAR()
END_MESSAGE_MAP()

// A heap object that deletes itself when its window goes, as popups commonly do.
class CSelfDeletingWnd : public CWnd
{
public:
    explicit CSelfDeletingWnd(bool* pbDeleted) : m_pbDeleted(pbDeleted) {}
    ~CSelfDeletingWnd() override { *m_pbDeleted = true; }

protected:
    void PostNcDestroy() override { delete this; }

private:
    bool* m_pbDeleted;
};

const WORD IDC_EDIT = 300;
}

TEST(WndCreation, CreateRoutesTheWindowsFirstMessagesToItsObjectAndAFailedOnCreateCleansUp)
{
    kit::CHostDialog host;
    ASSERT_TRUE(host.Open());
    CCreationWnd wnd;
    wnd.m_bFailCreate = true;
    EXPECT_FALSE(wnd.Create(nullptr, L"W", WS_VISIBLE, CRect(0, 0, 50, 50), &host, 1));
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(1, wnd.m_nPostNcDestroy);

    // The object can be used again.
    wnd.m_log.clear();
    wnd.m_bFailCreate = false;
    ASSERT_TRUE(wnd.Create(nullptr, L"W", WS_VISIBLE, CRect(0, 0, 50, 50), &host, 1));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    HWND hWnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ((std::vector<std::string>{"nccreate", "create W", "destroy"}), wnd.m_log);
    EXPECT_EQ(2, wnd.m_nPostNcDestroy);
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(WndCreation, ObjectsThatDeleteThemselvesInPostNcDestroy)
{
    kit::CHostDialog host;
    ASSERT_TRUE(host.Open());
    bool bDeleted = false;
    CSelfDeletingWnd* pWnd = new CSelfDeletingWnd(&bDeleted);
    ASSERT_TRUE(pWnd->CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), L"popup", WS_POPUP, CRect(0, 0, 20, 20),
                               &host, 0));
    HWND hWnd = pWnd->m_hWnd;
    // Destroying the owner destroys the popup, which takes its object with it.
    host.DestroyWindow();
    EXPECT_TRUE(bDeleted);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(WndCreation, SubclassDlgItemCallsPreSubclassWindowAndDefaultRunsTheControlsOwnProcessing)
{
    kit::DialogTemplate dialogTemplate(L"Subclass", 200, 100);
    dialogTemplate.AddControl(L"EDIT", L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 10, 10, 120, 14, IDC_EDIT);
    kit::CHostDialog host;
    ASSERT_TRUE(host.Open(dialogTemplate));
    HWND hWndEdit = ::GetDlgItem(host.m_hWnd, IDC_EDIT);
    LONG_PTR originalProc = ::GetWindowLongPtrW(hWndEdit, GWLP_WNDPROC);

    CNoDigitsEdit edit;
    ASSERT_TRUE(edit.SubclassDlgItem(IDC_EDIT, &host));
    EXPECT_EQ(1, edit.m_nPreSubclass);
    EXPECT_EQ(hWndEdit, edit.m_hWndAtPreSubclass);
    EXPECT_EQ(&edit, CWnd::FromHandlePermanent(hWndEdit));

    edit.SetFocus();
    kit::TypeText(L"a1b2C");
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ(L"abC", text);

    EXPECT_EQ(hWndEdit, edit.UnsubclassWindow());
    EXPECT_EQ(originalProc, ::GetWindowLongPtrW(hWndEdit, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWndEdit));
    kit::TypeText(L"3");
    wchar_t szText[16];
    ::GetWindowTextW(hWndEdit, szText, 16);
    EXPECT_STREQ(L"abC3", szText);
}

TEST(WndCreation, FromHandleWrapsForeignWindowsUntilTheTemporaryMapIsCleared)
{
    kit::CHostDialog host;
    ASSERT_TRUE(host.Open());
    HWND hWndForeign = ::CreateWindowExW(0, L"STATIC", L"x", WS_CHILD, 0, 0, 10, 10, host.m_hWnd, nullptr, nullptr, nullptr);
    CWnd* pTemp = CWnd::FromHandle(hWndForeign);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(hWndForeign, pTemp->m_hWnd);
    EXPECT_EQ(pTemp, CWnd::FromHandle(hWndForeign));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWndForeign));
    EXPECT_EQ(&host, CWnd::FromHandle(host.m_hWnd));
    EXPECT_EQ(&host, pTemp->GetParent());

    CWnd::DeleteTempMap();
    // The window is untouched by the release of its wrapper.
    EXPECT_TRUE(::IsWindow(hWndForeign));
    EXPECT_EQ(hWndForeign, CWnd::FromHandle(hWndForeign)->m_hWnd);

    CWnd attached;
    ASSERT_TRUE(attached.Attach(hWndForeign));
    EXPECT_EQ(&attached, CWnd::FromHandle(hWndForeign));
    EXPECT_FALSE(CWnd().Attach(hWndForeign));  // one object per window
    // Style changes through the object say whether anything changed.
    EXPECT_TRUE(attached.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED));
    EXPECT_FALSE(attached.ModifyStyleEx(0, WS_EX_CLIENTEDGE));
    EXPECT_TRUE(attached.ModifyStyle(0, SS_NOTIFY));
    EXPECT_TRUE(attached.GetStyle() & SS_NOTIFY);
    EXPECT_TRUE(attached.GetExStyle() & WS_EX_CLIENTEDGE);
    EXPECT_EQ(hWndForeign, attached.Detach());
    EXPECT_TRUE(::IsWindow(hWndForeign));
}
