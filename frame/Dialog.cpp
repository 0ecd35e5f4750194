#include "Dialog.h"
#include "Module.h"
#include "WinApp.h"

namespace
{
// Every message reaches the dialog's object through its window procedure first; what it passes on falls to
// the dialog manager's default processing.
INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

bool IsInputMessage(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}
}

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

CDialog::CDialog()
    : m_lpszTemplateName(nullptr), m_nIDHelp(0), m_pParentWnd(nullptr), m_lpDialogTemplate(nullptr),
      m_bModal(FALSE), m_nModalResult(-1)
{
}

CDialog::CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd) : CDialog()
{
    SetTemplate(lpszTemplateName);
    m_pParentWnd = pParentWnd;
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(MAKEINTRESOURCEW(nIDTemplate), pParentWnd) {}

CDialog::~CDialog() = default;

void CDialog::SetTemplate(LPCWSTR lpszTemplateName)
{
    if (IS_INTRESOURCE(lpszTemplateName))
    {
        m_nIDHelp = LOWORD(reinterpret_cast<ULONG_PTR>(lpszTemplateName));
        m_lpszTemplateName = lpszTemplateName;
    }
    else
    {
        m_strTemplateName = lpszTemplateName;
        m_lpszTemplateName = m_strTemplateName;
    }
}

LPCDLGTEMPLATEW CDialog::LoadTemplate(HINSTANCE& hInst) const
{
    if (!m_lpszTemplateName)
        return nullptr;
    hInst = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
    HRSRC hResource = ::FindResourceW(hInst, m_lpszTemplateName, RT_DIALOG);
    HGLOBAL hTemplate = hResource ? ::LoadResource(hInst, hResource) : nullptr;
    return hTemplate ? static_cast<LPCDLGTEMPLATEW>(::LockResource(hTemplate)) : nullptr;
}

BOOL CDialog::Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd)
{
    SetTemplate(lpszTemplateName);
    m_pParentWnd = pParentWnd;
    HINSTANCE hInst = nullptr;
    LPCDLGTEMPLATEW lpTemplate = LoadTemplate(hInst);
    return lpTemplate && CreateFromTemplate(lpTemplate, hInst, pParentWnd->GetSafeHwnd());
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    return CreateFromTemplate(lpDialogTemplate, AfxGetInstanceHandle(), pParentWnd->GetSafeHwnd());
}

BOOL CDialog::CreateFromTemplate(LPCDLGTEMPLATEW lpDialogTemplate, HINSTANCE hInst, HWND hWndParent)
{
    if (m_hWnd)
        return FALSE;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamW(hInst, lpDialogTemplate, hWndParent, &AfxDlgProc, 0);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    return hWnd != nullptr;
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_pParentWnd = pParentWnd;
    return lpDialogTemplate != nullptr;
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    LPCDLGTEMPLATEW lpTemplate = m_lpDialogTemplate ? m_lpDialogTemplate : LoadTemplate(hInst);
    if (!lpTemplate)
        return -1;
    HWND hWndParent = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : ::GetActiveWindow();
    bool bEnableParent = hWndParent && ::IsWindowEnabled(hWndParent);
    if (bEnableParent)
        ::EnableWindow(hWndParent, FALSE);

    m_bModal = TRUE;
    m_nModalResult = -1;
    // Only the handle of a parent found here is kept: its wrapper may be a temporary one.
    if (CreateFromTemplate(lpTemplate, hInst, hWndParent))
    {
        ::ShowWindow(m_hWnd, SW_SHOW);
        RunModalLoop();
    }
    m_bModal = FALSE;

    // Give the parent its input back before the dialog goes, so that activation returns to it.
    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    DestroyWindow();
    return m_nModalResult;
}

void CDialog::RunModalLoop()
{
    MSG msg;
    while (m_bModal && ::IsWindow(m_hWnd))
    {
        if (::GetMessageW(&msg, nullptr, 0, 0) <= 0)
        {
            // The application is quitting: end the dialog and leave WM_QUIT for the loop outside.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        AfxRouteMessage(&msg);
    }
}

void CDialog::EndDialog(int nResult)
{
    if (m_bModal)
    {
        m_nModalResult = nResult;
        m_bModal = FALSE;
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);  // wake the modal loop
    }
    else
        ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog()
{
    return TRUE;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    return IsInputMessage(pMsg->message) && ::IsDialogMessageW(m_hWnd, pMsg);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->GetSafeHwnd()), TRUE);
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}
