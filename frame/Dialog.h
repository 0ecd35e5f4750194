#pragma once
// CDialog: a dialog box from a template resource (by name or ID, found through the resource chain) or from
// a template in memory, modeless through Create/CreateIndirect or modal through DoModal.
#include "Wnd.h"

class FRAME_API CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual ~CDialog();

    // Modeless.
    virtual BOOL Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL CreateIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd = nullptr);

    // Modal: the template given at construction (or set with InitModalIndirect); returns EndDialog's result,
    // or -1 when the dialog could not be created.
    BOOL InitModalIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd = nullptr);
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;

    void GotoDlgCtrl(CWnd* pWndCtrl);
    void NextDlgCtrl() const { ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
    void SetDefID(UINT nID) { ::SendMessageW(m_hWnd, DM_SETDEFID, nID, 0); }
    DWORD GetDefID() const { return static_cast<DWORD>(::SendMessageW(m_hWnd, DM_GETDEFID, 0, 0)); }
    void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

    // The template this dialog was made from: a resource name, or MAKEINTRESOURCE of m_nIDHelp.
    LPCWSTR m_lpszTemplateName;
    UINT m_nIDHelp;

protected:
    virtual void OnOK();
    virtual void OnCancel();
    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    CWnd* m_pParentWnd;
    LPCDLGTEMPLATEW m_lpDialogTemplate;
    BOOL m_bModal;
    INT_PTR m_nModalResult;

    DECLARE_MESSAGE_MAP()

private:
    void SetTemplate(LPCWSTR lpszTemplateName);
    void RunModalLoop();
    // The template resource and, in hInst, the module that holds it.
    LPCDLGTEMPLATEW LoadTemplate(HINSTANCE& hInst) const;
    BOOL CreateFromTemplate(LPCDLGTEMPLATEW lpDialogTemplate, HINSTANCE hInst, HWND hWndParent);
    CString m_strTemplateName;
};
