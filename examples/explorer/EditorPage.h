#pragma once
// One open file in the explorer: a page dialog of the tab control holding the editor and, for a file that
// cannot be edited, a line that says why.
#include "ExplorerEdit.h"
#include "SourceFile.h"

#include "frame/Controls.h"
#include "frame/Dialog.h"
#include "frame/Gdi.h"

class CEditorPage : public CDialog
{
public:
    enum { IDC_EDIT = 1001, IDC_NOTICE = 1002 };

    explicit CEditorPage(const std::wstring& path);

    const std::wstring& GetPath() const { return m_file.GetPath(); }
    CSourceFile& GetFile() { return m_file; }
    CExplorerEdit& GetEdit() { return m_edit; }
    BOOL IsModified() const { return m_bModified; }
    // The tab's caption: the file name, with " *" while there are unsaved edits.
    CString GetCaption() const;

    // Writes the editor's text to the file. FALSE when it could not be written; the page stays modified.
    BOOL Save();

    // Called when the page becomes modified.
    std::function<void(CEditorPage*)> m_onModified;

    // The explorer window's shortcuts pass the page's dialog manager by, on to the window.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    void Layout(int cx, int cy);
    void OnEdited();

    CSourceFile m_file;
    CExplorerEdit m_edit;
    CStatic m_notice;
    CFont m_font;
    BOOL m_bModified = FALSE;
};
