// Dialogs: modal runs with the owner disabled and ends with the result of the key that closed it; the
// template a dialog was made from stays recorded in the object.
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
    CSelfClosingDialog(UINT nKey, CWnd* pOwner) : m_nKey(nKey), m_pOwner(pOwner) {}

    int m_nInitDialog = 0;
    BOOL m_bOwnerEnabledWhileUp = TRUE;

protected:
    BOOL OnInitDialog() override
    {
        ++m_nInitDialog;
        m_bOwnerEnabledWhileUp = m_pOwner->IsWindowEnabled();
        PostMessage(WM_KEYDOWN, m_nKey, 1);
        return CDialog::OnInitDialog();
    }

private:
    UINT m_nKey;
    CWnd* m_pOwner;
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

    CSelfClosingDialog cancelled(VK_ESCAPE, &owner);
    ASSERT_TRUE(cancelled.InitModalIndirect(dialogTemplate.Get(), &owner));
    EXPECT_EQ(IDCANCEL, cancelled.DoModal());
    EXPECT_EQ(1, cancelled.m_nInitDialog);
    EXPECT_FALSE(cancelled.m_bOwnerEnabledWhileUp);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(nullptr, cancelled.m_hWnd);

    CSelfClosingDialog accepted(VK_RETURN, &owner);
    ASSERT_TRUE(accepted.InitModalIndirect(dialogTemplate.Get(), &owner));
    EXPECT_EQ(IDOK, accepted.DoModal());
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
