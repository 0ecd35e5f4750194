#include "ExplorerWindow.h"

#include <algorithm>

namespace
{
const UINT IDC_TREE = 1;
const UINT IDC_TABS = 2;
const int s_cxTree = 260;
}

bool CExplorerWindow::CPrompts::ConfirmOverwrite(const std::wstring& path)
{
    const std::wstring text = path + L"\n\nchanged on disk after it was opened. Overwrite it with your text?";
    return ::MessageBoxW(::GetActiveWindow(), text.c_str(), L"TavExplorer", MB_YESNO | MB_ICONWARNING) == IDYES;
}

int CExplorerWindow::CPrompts::AskSaveBeforeClose(const std::wstring& path)
{
    const std::wstring text = L"Save the changes to\n\n" + path + L"?";
    return ::MessageBoxW(::GetActiveWindow(), text.c_str(), L"TavExplorer", MB_YESNOCANCEL | MB_ICONQUESTION);
}

void CExplorerWindow::CPrompts::ReportSaveFailure(const std::wstring& path)
{
    const std::wstring text = L"Could not save\n\n" + path;
    ::MessageBoxW(::GetActiveWindow(), text.c_str(), L"TavExplorer", MB_OK | MB_ICONERROR);
}

BEGIN_MESSAGE_MAP(CExplorerWindow, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CExplorerWindow::CExplorerWindow(const std::wstring& stateFile, CPrompts* pPrompts)
    : m_stateFile(stateFile), m_pPrompts(pPrompts != nullptr ? pPrompts : &m_defaultPrompts)
{
    m_tree.m_onOpenFile = [this](const std::wstring& path) { OpenFile(path); };
}

CExplorerWindow::~CExplorerWindow()
{
    if (::IsWindow(m_hWnd))
        DestroyWindow();
}

BOOL CExplorerWindow::CreateExplorer(const std::wstring& folder, const CRect& rect, DWORD dwStyle)
{
    m_folder = folder;
    LPCWSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return CreateEx(0, lpszClass, (L"TavExplorer - " + folder).c_str(), dwStyle | WS_CLIPCHILDREN, rect.left,
                    rect.top, rect.Width(), rect.Height(), nullptr, nullptr);
}

int CExplorerWindow::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_font.CreatePointFont(90, L"Tahoma");
    if (!m_tree.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES |
                           TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                       CRect(0, 0, s_cxTree, 100), this, IDC_TREE) ||
        !m_tabs.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN, CRect(s_cxTree, 0, 400, 100), this, IDC_TABS))
        return -1;
    m_tree.SetFont(&m_font, FALSE);
    m_tabs.SetFont(&m_font, FALSE);
    m_tree.ShowFolder(m_folder);
    if (!m_stateFile.empty())
        m_tree.RestoreExpandedState(m_stateFile);
    return 0;
}

void CExplorerWindow::OnSize(UINT, int cx, int cy)
{
    m_tree.MoveWindow(0, 0, s_cxTree, cy);
    m_tabs.MoveWindow(s_cxTree + 2, 0, std::max(0, cx - s_cxTree - 2), cy);
}

long CExplorerWindow::FindPage(const std::wstring& path)
{
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (::CompareStringOrdinal(m_pages[i]->GetPath().c_str(), -1, path.c_str(), -1, TRUE) == CSTR_EQUAL)
            return static_cast<long>(i);
    return -1;
}

CEditorPage* CExplorerWindow::OpenFile(const std::wstring& path)
{
    long nPage = FindPage(path);
    if (nPage < 0)
    {
        m_pages.push_back(std::make_unique<CEditorPage>(path));
        CEditorPage* pPage = m_pages.back().get();
        pPage->m_onModified = [this](CEditorPage* pModified) { UpdateCaption(pModified); };
        m_tabs.AddPage(pPage, FALSE, 0, CString(path), pPage->GetCaption(), RGB(255, 0, 255));
        nPage = static_cast<long>(m_pages.size() - 1);
    }
    m_tabs.ActivatePage(nPage, TRUE);
    CEditorPage* pPage = m_pages[static_cast<size_t>(nPage)].get();
    pPage->GetEdit().SetFocus();
    return pPage;
}

CEditorPage* CExplorerWindow::GetActiveEditorPage()
{
    const long nPage = m_tabs.GetActivePage();
    return nPage >= 0 && nPage < static_cast<long>(m_pages.size()) ? m_pages[static_cast<size_t>(nPage)].get() : nullptr;
}

void CExplorerWindow::UpdateCaption(CEditorPage* pPage)
{
    const long nPage = m_tabs.GetPageIndex(pPage);
    if (nPage >= 0)
        m_tabs.SetPageCaption(nPage, pPage->GetCaption());
}

BOOL CExplorerWindow::SaveActivePage()
{
    CEditorPage* pPage = GetActiveEditorPage();
    if (pPage == nullptr || !pPage->GetFile().IsEditable())
        return FALSE;
    if (pPage->GetFile().IsChangedOnDisk() && !m_pPrompts->ConfirmOverwrite(pPage->GetPath()))
        return FALSE;
    if (!pPage->Save())
    {
        m_pPrompts->ReportSaveFailure(pPage->GetPath());
        return FALSE;
    }
    UpdateCaption(pPage);
    return TRUE;
}

BOOL CExplorerWindow::ClosePage(long nPage)
{
    CEditorPage* pPage = m_pages[static_cast<size_t>(nPage)].get();
    if (pPage->IsModified())
    {
        const int nAnswer = m_pPrompts->AskSaveBeforeClose(pPage->GetPath());
        if (nAnswer == IDCANCEL)
            return FALSE;
        m_tabs.ActivatePage(nPage, FALSE);
        if (nAnswer == IDYES && !SaveActivePage())
            return FALSE;
    }
    m_tabs.RemovePage(nPage, true);
    m_pages.erase(m_pages.begin() + nPage);
    if (!m_pages.empty())
        m_tabs.ActivatePage(std::min<long>(nPage, static_cast<long>(m_pages.size()) - 1), TRUE);
    return TRUE;
}

BOOL CExplorerWindow::CloseActivePage()
{
    const long nPage = m_tabs.GetActivePage();
    return nPage >= 0 && nPage < static_cast<long>(m_pages.size()) && ClosePage(nPage);
}

BOOL CExplorerWindow::IsShortcut(const MSG* pMsg)
{
    return pMsg->message == WM_KEYDOWN && ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_MENU) >= 0 &&
           (pMsg->wParam == 'S' || pMsg->wParam == 'W' || pMsg->wParam == VK_F4);
}

BOOL CExplorerWindow::PreTranslateMessage(MSG* pMsg)
{
    if (!IsShortcut(pMsg))
        return CWnd::PreTranslateMessage(pMsg);
    if (pMsg->wParam == 'S')
        SaveActivePage();
    else
        CloseActivePage();
    return TRUE;
}

// Every page with unsaved edits is asked about, from the last; a kept page keeps the window open.
void CExplorerWindow::OnClose()
{
    for (long nPage = static_cast<long>(m_pages.size()) - 1; nPage >= 0; --nPage)
        if (!ClosePage(nPage))
            return;
    DestroyWindow();
}

void CExplorerWindow::OnDestroy()
{
    if (!m_stateFile.empty() && ::IsWindow(m_tree.m_hWnd))
        m_tree.SaveExpandedState(m_stateFile);
    m_tabs.RemoveAllPages(true);
    m_pages.clear();
    CWnd::OnDestroy();
}
