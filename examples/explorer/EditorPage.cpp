#include "EditorPage.h"
#include "ExplorerResources.h"
#include "ExplorerWindow.h"

namespace
{
const int s_cyNotice = 22;
}

BEGIN_MESSAGE_MAP(CEditorPage, CDialog)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CEditorPage::CEditorPage(const std::wstring& path)
    : CDialog(IDD_EDITOR_PAGE)
{
    m_file.Load(path);
    m_edit.m_onEdited = [this] { OnEdited(); };
}

CString CEditorPage::GetCaption() const
{
    const std::wstring& path = m_file.GetPath();
    CString strCaption(path.substr(path.find_last_of(L"\\/") + 1));
    return m_bModified ? strCaption + L" *" : strCaption;
}

BOOL CEditorPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_font.CreatePointFont(90, L"Tahoma");
    DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL |
                    ES_AUTOHSCROLL | ES_WANTRETURN | ES_NOHIDESEL;
    if (!m_file.IsEditable())
    {
        dwStyle |= ES_READONLY;
        m_notice.Create(m_file.GetNotice(), WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(0, 0, 10, 10), this, IDC_NOTICE);
        m_notice.SetFont(&m_font, FALSE);
    }
    m_edit.ChooseLanguage(m_file.GetPath());
    m_edit.Create(dwStyle, CRect(0, 0, 10, 10), this, IDC_EDIT);
    m_edit.LoadText(m_file.GetText());
    CRect rcClient;
    GetClientRect(&rcClient);
    Layout(rcClient.Width(), rcClient.Height());
    return TRUE;
}

BOOL CEditorPage::PreTranslateMessage(MSG* pMsg)
{
    return CExplorerWindow::IsShortcut(pMsg) ? FALSE : CDialog::PreTranslateMessage(pMsg);
}

void CEditorPage::OnSize(UINT, int cx, int cy)
{
    Layout(cx, cy);
}

void CEditorPage::Layout(int cx, int cy)
{
    if (!::IsWindow(m_edit.m_hWnd))
        return;
    const int cyNotice = ::IsWindow(m_notice.m_hWnd) ? s_cyNotice : 0;
    if (cyNotice != 0)
        m_notice.MoveWindow(4, 2, cx - 8, cyNotice - 4);
    m_edit.MoveWindow(0, cyNotice, cx, cy - cyNotice);
}

void CEditorPage::OnEdited()
{
    if (m_bModified)
        return;
    m_bModified = TRUE;
    if (m_onModified)
        m_onModified(this);
}

BOOL CEditorPage::Save()
{
    if (!m_file.Save(m_edit.GetText(0, static_cast<UINT>(-1))))
        return FALSE;
    m_bModified = FALSE;
    return TRUE;
}
