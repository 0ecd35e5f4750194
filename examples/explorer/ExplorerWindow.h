#pragma once
// The explorer's main window: the folder tree on the left, the open files as pages of a tab control on the
// right. Ctrl+S saves the active page, Ctrl+W closes it; closing the window asks about unsaved pages.
#include "EditorPage.h"
#include "FolderTree.h"

#include "TavTabPages.h"

#include <memory>
#include <vector>

class CExplorerWindow : public CWnd
{
public:
    // The questions the explorer asks the user; tests answer them without a message box.
    class CPrompts
    {
    public:
        virtual ~CPrompts() = default;
        // The file changed on disk after it was opened: write over it anyway?
        virtual bool ConfirmOverwrite(const std::wstring& path);
        // The page has unsaved edits: IDYES saves, IDNO discards, IDCANCEL keeps the page open.
        virtual int AskSaveBeforeClose(const std::wstring& path);
        // A save failed.
        virtual void ReportSaveFailure(const std::wstring& path);
    };

    // stateFile keeps the tree's expanded folders between runs (empty: not kept).
    CExplorerWindow(const std::wstring& stateFile, CPrompts* pPrompts = nullptr);
    ~CExplorerWindow() override;

    BOOL CreateExplorer(const std::wstring& folder, const CRect& rect, DWORD dwStyle = WS_OVERLAPPEDWINDOW);

    // Opens the file in a page, or activates its page if it is open already.
    CEditorPage* OpenFile(const std::wstring& path);
    CEditorPage* GetActiveEditorPage();
    // Saves the active page; asks first when the file changed on disk since it was read or saved.
    BOOL SaveActivePage();
    // Closes the active page, asking first when it has unsaved edits; FALSE when the user kept it.
    BOOL CloseActivePage();

    CFolderTree& GetTree() { return m_tree; }
    CTavTabCtrl& GetTabs() { return m_tabs; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Whether the message is one of the window's shortcuts, which pages leave to it.
    static BOOL IsShortcut(const MSG* pMsg);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    long FindPage(const std::wstring& path);
    void UpdateCaption(CEditorPage* pPage);
    BOOL ClosePage(long nPage);

    std::wstring m_folder;
    std::wstring m_stateFile;
    CPrompts m_defaultPrompts;
    CPrompts* m_pPrompts;
    CFont m_font;
    CFolderTree m_tree;
    CTavTabCtrl m_tabs;
    // The pages in tab order; the tab control only points to them.
    std::vector<std::unique_ptr<CEditorPage>> m_pages;
};
