#include "tree/TavTreeEdit.h"

BOOL CTavTreeEdit::s_bLabelEditCancelled = FALSE;

BOOL CTavTreeEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd)
    {
        if (pMsg->wParam == VK_RETURN)
        {
            HandFocusToTree();
            return TRUE;
        }
        if (pMsg->wParam == VK_ESCAPE)
        {
            s_bLabelEditCancelled = TRUE;
            HandFocusToTree();
            return TRUE;
        }
    }
    return CEdit::PreTranslateMessage(pMsg);
}

// The platform ends the edit when its edit window loses the focus.
void CTavTreeEdit::HandFocusToTree()
{
    ::SetFocus(::GetParent(m_hWnd));
}
