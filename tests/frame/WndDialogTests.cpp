// Dialogs: modeless ones come from templates in the resource module; modal runs with the owner disabled and
// ends with the result of the key that closed it; the template a dialog was made from stays in the object.
#include "Module.h"
#include "kit/Host.h"
#include "kit/Pump.h"

#include <gtest/gtest.h>

namespace
{
// Closes itself through the keyboard as soon as it is up: the key is posted to the dialog and travels
// through the modal loop's PreTranslateMessage and the dialog manager.
class CSelfClosingDialog : public CDialog
{
public:
    CSelfClosingDialog(UINT nKey, HWND hWndOwner) : m_nKey(nKey), m_hWndOwner(hWndOwner) {}

    int m_nInitDialog = 0;
    BOOL m_bOwnerEnabledWhileUp = TRUE;

protected:
    BOOL OnInitDialog() override
    {
        ++m_nInitDialog;
        m_bOwnerEnabledWhileUp = ::IsWindowEnabled(m_hWndOwner);
        PostMessage(WM_KEYDOWN, m_nKey, 1);
        return CDialog::OnInitDialog();
    }

private:
    UINT m_nKey;
    HWND m_hWndOwner;
};

class CQuittingDialog : public CDialog
{
protected:
    BOOL OnInitDialog() override
    {
        ::PostQuitMessage(3);
        return TRUE;
    }
};

class CCountingDialog : public CDialog
{
public:
    int m_nInitDialog = 0;

protected:
    BOOL OnInitDialog() override
    {
        ++m_nInitDialog;
        return CDialog::OnInitDialog();
    }
};

// Makes a module the one where resources are looked for first, for one scope.
class UseResourcesOf
{
public:
    explicit UseResourcesOf(LPCWSTR lpszModule) : m_hPrevious(AfxGetResourceHandle())
    {
        AfxSetResourceHandle(::GetModuleHandleW(lpszModule));
    }
    ~UseResourcesOf() { AfxSetResourceHandle(m_hPrevious); }

private:
    HINSTANCE m_hPrevious;
};

kit::DialogTemplate ModalTemplate()
{
    kit::DialogTemplate dialogTemplate(L"Modal", 150, 60, WS_POPUP | WS_CAPTION | DS_SETFONT | DS_MODALFRAME);
    dialogTemplate.AddControl(L"EDIT", L"", WS_BORDER | WS_TABSTOP, 10, 10, 100, 14, 100);
    return dialogTemplate;
}
}

TEST(WndDialog, DoModalEndsWithTheKeyThatClosedItAndGivesTheOwnerBack)
{
    kit::CHostDialog owner;
    ASSERT_TRUE(owner.Open());
    kit::DialogTemplate dialogTemplate = ModalTemplate();

    CSelfClosingDialog cancelled(VK_ESCAPE, owner.m_hWnd);
    ASSERT_TRUE(cancelled.InitModalIndirect(dialogTemplate.Get(), &owner));
    EXPECT_EQ(IDCANCEL, cancelled.DoModal());
    EXPECT_EQ(1, cancelled.m_nInitDialog);
    EXPECT_FALSE(cancelled.m_bOwnerEnabledWhileUp);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(nullptr, cancelled.m_hWnd);

    CSelfClosingDialog accepted(VK_RETURN, owner.m_hWnd);
    ASSERT_TRUE(accepted.InitModalIndirect(dialogTemplate.Get(), &owner));
    EXPECT_EQ(IDOK, accepted.DoModal());
}

TEST(WndDialog, DoModalWithoutAParentIsOwnedByTheActiveWindowEveryTime)
{
    // The active window has no object, so the dialog meets it only through a temporary wrapper, which the
    // idle point after each run releases.
    HWND hWndOwner = ::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                       nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hWndOwner);
    kit::DialogTemplate dialogTemplate = ModalTemplate();
    CSelfClosingDialog dialog(VK_ESCAPE, hWndOwner);
    ASSERT_TRUE(dialog.InitModalIndirect(dialogTemplate.Get()));
    for (int nRun = 1; nRun <= 2; ++nRun)
    {
        SCOPED_TRACE(nRun);
        ::SetForegroundWindow(hWndOwner);
        ASSERT_EQ(hWndOwner, ::GetActiveWindow());
        dialog.m_bOwnerEnabledWhileUp = TRUE;
        EXPECT_EQ(IDCANCEL, dialog.DoModal());
        EXPECT_FALSE(dialog.m_bOwnerEnabledWhileUp);
        kit::PumpUntilIdle();
    }
    ::DestroyWindow(hWndOwner);
}

TEST(WndDialog, AQuitMessageEndsTheModalLoopAndStaysForTheOuterLoop)
{
    kit::DialogTemplate dialogTemplate = ModalTemplate();
    CQuittingDialog dialog;
    ASSERT_TRUE(dialog.InitModalIndirect(dialogTemplate.Get()));
    EXPECT_EQ(-1, dialog.DoModal());
    EXPECT_EQ(nullptr, dialog.m_hWnd);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, msg.wParam);
}

TEST(WndDialog, ModelessCreateFindsTheTemplateByNameOrIdInTheResourceModule)
{
    // The platform's own modules hold dialog templates: user32 one named "MSGBOX", comctl32 numbered ones.
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&controls);
    kit::CHostDialog owner;
    ASSERT_TRUE(owner.Open());
    const struct { LPCWSTR lpszModule; LPCWSTR lpszTemplate; } cases[] = {
        {L"user32.dll", L"MSGBOX"},
        {L"comctl32.dll", MAKEINTRESOURCEW(1006)},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.lpszModule);
        CCountingDialog dialog;
        {
            UseResourcesOf resources(c.lpszModule);
            ASSERT_TRUE(IS_INTRESOURCE(c.lpszTemplate) ? dialog.Create(LOWORD(c.lpszTemplate), &owner)
                                                       : dialog.Create(c.lpszTemplate, &owner));
        }
        EXPECT_EQ(1, dialog.m_nInitDialog);
        EXPECT_EQ(&dialog, CWnd::FromHandlePermanent(dialog.m_hWnd));
        EXPECT_EQ(owner.m_hWnd, ::GetWindow(dialog.m_hWnd, GW_OWNER));
        EXPECT_NE(nullptr, ::GetWindow(dialog.m_hWnd, GW_CHILD));  // the template's controls
        dialog.DestroyWindow();
    }
}

TEST(WndDialog, TheTemplateNameOrIdStaysInTheObject)
{
    CDialog byId(1234);
    EXPECT_TRUE(IS_INTRESOURCE(byId.m_lpszTemplateName));
    EXPECT_EQ(1234u, byId.m_nIDHelp);

    wchar_t szName[] = L"SOME_PAGE";
    CDialog byName(szName);
    szName[0] = L'X';  // the object keeps its own copy
    EXPECT_STREQ(L"SOME_PAGE", byName.m_lpszTemplateName);

    // A template that no module holds: creation fails, and the name is still recorded.
    CDialog missing;
    EXPECT_FALSE(missing.Create(L"NO_SUCH_TEMPLATE"));
    EXPECT_STREQ(L"NO_SUCH_TEMPLATE", missing.m_lpszTemplateName);
    EXPECT_EQ(nullptr, missing.m_hWnd);
    EXPECT_EQ(-1, CDialog(4321).DoModal());
}
