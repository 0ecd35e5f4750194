// Keyboard routing: PreTranslateMessage runs from the focused window up through its parents and stops at
// the first TRUE; a dialog's PreTranslateMessage gives Tab and Shift+Tab to the dialog manager.
#include "Controls.h"
#include "kit/Host.h"
#include "kit/Input.h"
#include "kit/Pump.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
std::vector<std::string> s_log;

// Records PreTranslateMessage for key-downs and takes the one key it is told to.
template <class TBase>
class CRecording : public TBase
{
public:
    CRecording(const char* pszName, UINT nKeyToTake) : m_pszName(pszName), m_nKeyToTake(nKeyToTake) {}

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message != WM_KEYDOWN)
            return TBase::PreTranslateMessage(pMsg);
        s_log.push_back(std::string(m_pszName) + " pre");
        if (pMsg->wParam == m_nKeyToTake)
            return TRUE;
        return TBase::PreTranslateMessage(pMsg);
    }

protected:
    const char* m_pszName;
    UINT m_nKeyToTake;
};

class CRecordingEdit : public CRecording<CEdit>
{
public:
    CRecordingEdit() : CRecording<CEdit>("edit", 0) {}

protected:
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        s_log.push_back("edit keydown " + std::to_string(nChar));
        CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingEdit, CEdit)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

class CRecordingHost : public CRecording<kit::CHostDialog>
{
public:
    CRecordingHost() : CRecording<kit::CHostDialog>("dialog", VK_F6) {}
};

enum : WORD
{
    IDC_FIRST = 401,
    IDC_SECOND,
    IDC_THIRD,
    IDC_NOSTOP,
};

kit::DialogTemplate TabOrderTemplate()
{
    kit::DialogTemplate dialogTemplate(L"Tab order", 200, 120);
    dialogTemplate.AddControl(L"EDIT", L"", WS_BORDER | WS_TABSTOP, 10, 10, 100, 14, IDC_FIRST)
        .AddControl(L"STATIC", L"label", 0, 10, 30, 100, 10, IDC_NOSTOP)
        .AddControl(L"BUTTON", L"Second", WS_TABSTOP | BS_PUSHBUTTON, 10, 45, 60, 14, IDC_SECOND)
        .AddControl(L"EDIT", L"", WS_BORDER | WS_TABSTOP, 10, 65, 100, 14, IDC_THIRD);
    return dialogTemplate;
}

int FocusedID()
{
    return ::GetDlgCtrlID(::GetFocus());
}
}

TEST(WndKeyboard, PreTranslateMessageRunsFromTheFocusedChildUpAndStopsAtTheFirstTrue)
{
    s_log.clear();
    CRecordingHost host;
    ASSERT_TRUE(host.Open(300, 200));
    CRecording<CWnd> container("container", VK_F5);
    ASSERT_TRUE(container.Create(nullptr, nullptr, WS_VISIBLE | WS_CHILD, CRect(10, 10, 210, 110), &host, 1));
    CRecordingEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | WS_BORDER, CRect(5, 5, 150, 30), &container, 2));
    edit.SetFocus();

    const struct { UINT nKey; std::vector<std::string> log; } cases[] = {
        {'X', {"edit pre", "container pre", "dialog pre", "edit keydown 88"}},
        {VK_F5, {"edit pre", "container pre"}},
        {VK_F6, {"edit pre", "container pre", "dialog pre"}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nKey);
        s_log.clear();
        kit::PressKey(c.nKey);
        EXPECT_EQ(c.log, s_log);
    }
}

TEST(WndKeyboard, TabAndShiftTabFollowTheDialogsTabOrder)
{
    kit::CHostDialog host;
    ASSERT_TRUE(host.Open(TabOrderTemplate()));
    CWnd* pFirst = host.GetDlgItem(IDC_FIRST);
    EXPECT_EQ(IDC_SECOND, host.GetNextDlgTabItem(pFirst)->GetDlgCtrlID());
    EXPECT_EQ(IDC_THIRD, host.GetNextDlgTabItem(pFirst, TRUE)->GetDlgCtrlID());
    host.GotoDlgCtrl(pFirst);
    EXPECT_EQ(pFirst, CWnd::GetFocus());

    const struct { UINT nModifiers; int nFocusedID; } steps[] = {
        {kit::NoKeys, IDC_SECOND}, {kit::NoKeys, IDC_THIRD}, {kit::NoKeys, IDC_FIRST},
        {kit::Shift, IDC_THIRD}, {kit::Shift, IDC_SECOND}};
    for (const auto& step : steps)
    {
        kit::PressKey(VK_TAB, step.nModifiers);
        EXPECT_EQ(step.nFocusedID, FocusedID());
    }
}

TEST(WndKeyboard, TabWorksInADialogWithoutAnObject)
{
    HWND hWndDialog = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), TabOrderTemplate().Get(), nullptr,
                                                   [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    ASSERT_NE(nullptr, hWndDialog);
    ::SetForegroundWindow(hWndDialog);
    ::SetFocus(::GetDlgItem(hWndDialog, IDC_SECOND));
    kit::PressKey(VK_TAB);
    EXPECT_EQ(IDC_THIRD, FocusedID());
    ::DestroyWindow(hWndDialog);
}
