// The tree control: items with pictures, IDs and item data, label editing, and a log of what the listeners hear.
#include "Controls.h"
#include "Gdi.h"
#include "Gallery.h"
#include "TavTree.h"
#include "TreePictures.h"
#include <memory>

namespace
{
enum : DWORD
{
    ID_PROJECTS = 1,
    ID_DOCUMENTS = 2,
    ID_ARCHIVE = 3,
};

// Tells the log what the tree's listeners hear.
class CLogListener : public CTavTreeActionListener
{
public:
    CLogListener(CTavTreeCtrl& tree, CEdit& log) : m_tree(tree), m_log(log) {}

    bool OnItemDoubleClick(HTREEITEM hItem) override
    {
        Write(L"double click on", hItem);
        return true;
    }
    void OnSelectionChanged() override { Write(L"selection now", m_tree.GetSelectedItem()); }
    int OnRenameItem(HTREEITEM hItem, const CString& strText) override
    {
        Write(L"rename to \"" + strText + L"\":", hItem);
        return 1;
    }
    void OnBeginLabelEdit(HTREEITEM hItem) override { Write(L"edit begins on", hItem); }
    void OnItemExpanded(HTREEITEM hItem) override { Write(L"expands or collapses", hItem); }

private:
    void Write(const CString& strWhat, HTREEITEM hItem)
    {
        CString strLine = strWhat + L" " + (hItem != nullptr ? m_tree.GetItemText(hItem) : CString(L"(none)"));
        wchar_t szID[24];
        swprintf(szID, 24, L" [ID %ld]\r\n", m_tree.GetItemID(hItem));
        strLine += szID;
        CGalleryPage::AppendLine(m_log, strLine);
    }

    CTavTreeCtrl& m_tree;
    CEdit& m_log;
};

class CTreePage : public CGalleryPage
{
protected:
    BOOL CreateControls() override
    {
        m_tree.AllowLabelEditing();
        BOOL bCreated =
            m_title.Create(L"Tree with IDs, pictures and listeners (F2 or a click on the selected label renames)",
                           WS_VISIBLE | SS_LEFT, CRect(16, 12, 600, 30), this, 1) &&
            m_tree.Create(WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                              TVS_SHOWSELALWAYS,
                          CRect(16, 40, 280, 300), this, 2) &&
            m_logLabel.Create(L"What the listeners heard:", WS_VISIBLE | SS_LEFT, CRect(296, 40, 600, 58), this, 3) &&
            m_log.Create(WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
                         CRect(296, 60, 600, 300), this, 4);
        if (!bCreated)
            return FALSE;
        SetPageFont({ &m_title, &m_tree, &m_logLabel, &m_log });
        m_tree.AddActionListener(&m_listener);
        FillTree();
        return TRUE;
    }

private:
    void FillTree()
    {
        const COLORREF crFolder = RGB(230, 180, 40);
        const COLORREF crDocument = RGB(250, 250, 250);
        const COLORREF crChart = RGB(60, 140, 220);
        HTREEITEM hProjects = AddItem(L"Projects", ID_PROJECTS, 0, crFolder, true);
        HTREEITEM hDocuments = AddItem(L"Documents", ID_DOCUMENTS, 0, crFolder, true);
        AddItem(L"Archive (filled on demand)", ID_ARCHIVE, 0, crFolder, true);
        AddItem(L"Lighthouse", 10, ID_PROJECTS, crChart, false);
        AddItem(L"Harbour survey", 11, ID_PROJECTS, crChart, false);
        AddItem(L"Budget 2026", 12, ID_PROJECTS, crDocument, false);
        AddItem(L"Letters", 20, ID_DOCUMENTS, crDocument, false);
        AddItem(L"Minutes", 21, ID_DOCUMENTS, crFolder, true);
        AddItem(L"March", 210, 21, crDocument, false);
        AddItem(L"April", 211, 21, crDocument, false);
        // An empty first child marks children that are not there yet; the walk and look-ups skip them.
        m_tree.InsertItem(L"", 30, ID_ARCHIVE, FALSE);
        m_tree.InsertItem(L"Old plans", 31, ID_ARCHIVE, FALSE);

        m_tree.Expand(hProjects, TVE_EXPAND);
        m_tree.Expand(hDocuments, TVE_EXPAND);
        m_tree.Expand(m_tree.FindItem(21), TVE_EXPAND);
        m_tree.SelectItem(m_tree.FindItem(11));
    }

    // Each item gets its own picture: adding a bitmap to the image list blackens its mask colour.
    HTREEITEM AddItem(LPCWSTR lpszText, DWORD dwID, DWORD dwParentID, COLORREF crBody, bool bFolder)
    {
        CClientDC screenDC(nullptr);
        HTREEITEM hItem = m_tree.InsertItem(lpszText, dwID, dwParentID, bFolder);
        m_tree.SetItemPicture(hItem, DrawTreePicture(&screenDC, crBody, bFolder).release(), TRUE, kTreePictureMask);
        return hItem;
    }

    CStatic m_title;
    CStatic m_logLabel;
    CEdit m_log;
    // The tree comes after its listener, so it goes first.
    CLogListener m_listener{ m_tree, m_log };
    CTavTreeCtrl m_tree;
};
}

GALLERY_PAGE(40, L"Tree", CTreePage);
