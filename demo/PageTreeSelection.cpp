// Multi-selection, drag and drop and archives: a tree with a Ctrl/Shift selection beside a tree loaded from
// the first one's archive.
#include "Archive.h"
#include "Controls.h"
#include "File.h"
#include "Gallery.h"
#include "TavTree.h"
#include "TreePictures.h"

namespace
{
enum
{
    IDC_TITLE = 1,
    IDC_SOURCE,
    IDC_COPY,
    IDC_SAVE,
    IDC_STATUS,
};

// Shows which items of the tree are selected.
class CSelectionStatus : public CTavTreeActionListener
{
public:
    CSelectionStatus(CTavTreeCtrl& tree, CStatic& status) : m_tree(tree), m_status(status) {}

    bool OnItemDoubleClick(HTREEITEM) override { return true; }
    void OnSelectionChanged() override { Show(); }

    void Show()
    {
        CStringArray aTexts;
        m_tree.GetSelectedItemTexts(aTexts);
        CString strStatus;
        strStatus.Format(L"%ld selected", m_tree.GetSelectionCount());
        for (INT_PTR i = 0; i < aTexts.GetSize(); ++i)
            strStatus += (i == 0 ? L": " : L", ") + aTexts[i];
        m_status.SetWindowText(strStatus);
    }

private:
    CTavTreeCtrl& m_tree;
    CStatic& m_status;
};

class CTreeSelectionPage : public CGalleryPage
{
protected:
    BOOL CreateControls() override
    {
        m_source.AllowMultiSelection();
        m_source.AllowDragAndDrop();
        m_source.AllowMultiDragAndDrop();
        m_source.AllowItemDelete();
        m_source.AllowLabelEditing();
        const DWORD dwTreeStyle = WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                                  TVS_LINESATROOT | TVS_SHOWSELALWAYS;
        const BOOL bCreated =
            m_title.Create(L"Ctrl/Shift+click or Shift+arrows select, drag moves, Delete deletes; the right tree is "
                           L"loaded from the left one's archive",
                           WS_VISIBLE | SS_LEFT, CRect(16, 8, 624, 40), this, IDC_TITLE) &&
            m_source.Create(dwTreeStyle, CRect(16, 44, 308, 330), this, IDC_SOURCE) &&
            m_copy.Create(dwTreeStyle, CRect(332, 44, 624, 330), this, IDC_COPY) &&
            m_save.Create(L"Save left, load right", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, CRect(16, 340, 176, 364),
                          this, IDC_SAVE) &&
            m_status.Create(L"", WS_VISIBLE | SS_LEFT | SS_ENDELLIPSIS, CRect(188, 344, 624, 392), this, IDC_STATUS);
        if (!bCreated)
            return FALSE;
        SetPageFont({ &m_title, &m_save, &m_status });
        m_source.AddActionListener(&m_statusListener);
        FillSource();
        OnSave();
        return TRUE;
    }

    afx_msg void OnSave()
    {
        CMemFile file;
        CArchive arStore(&file, CArchive::store);
        m_source.Serialize(arStore);
        arStore.Close();
        file.SeekToBegin();
        CArchive arLoad(&file, CArchive::load);
        m_copy.Serialize(arLoad);
        m_statusListener.Show();
    }
    DECLARE_MESSAGE_MAP()

private:
    // Folders and documents, each folder expanded, with a selection made as Ctrl and Shift would.
    void FillSource()
    {
        struct { LPCWSTR lpszText; DWORD dwID, dwParentID; bool bFolder; } const items[] = {
            { L"Reports", 1, 0, true }, { L"January", 10, 1, false }, { L"February", 11, 1, false },
            { L"March", 12, 1, false }, { L"Drafts", 2, 0, true }, { L"Letter to the harbour", 20, 2, false },
            { L"Budget notes", 21, 2, false }, { L"Photos", 3, 0, true }, { L"Lighthouse", 30, 3, false },
            { L"Old pier", 31, 3, false }, { L"Inbox", 4, 0, true },
        };
        CClientDC screenDC(nullptr);
        for (const auto& item : items)
        {
            HTREEITEM hItem = m_source.InsertItem(item.lpszText, item.dwID, item.dwParentID, item.bFolder);
            const COLORREF crBody = item.bFolder ? RGB(230, 180, 40) : RGB(90, 150, 220);
            m_source.SetItemPicture(hItem, DrawTreePicture(&screenDC, crBody, item.bFolder).release(), TRUE,
                                    kTreePictureMask);
        }
        for (DWORD dwFolder : { 1, 2, 3 })
            m_source.Expand(m_source.FindItem(static_cast<long>(dwFolder)), TVE_EXPAND);
        m_source.SelectItem(10L);
        m_source.SelectItemRange(m_source.FindItem(10), m_source.FindItem(12));
        m_source.SetItemState(m_source.FindItem(30), TVIS_SELECTED, TVIS_SELECTED);
    }

    CStatic m_title;
    CButton m_save;
    CStatic m_status;
    // The trees come after the listener, so they go first.
    CSelectionStatus m_statusListener{ m_source, m_status };
    CTavTreeCtrl m_source;
    CTavTreeCtrl m_copy;
};

BEGIN_MESSAGE_MAP(CTreeSelectionPage, CGalleryPage)
    ON_BN_CLICKED(IDC_SAVE, OnSave)
END_MESSAGE_MAP()
}

GALLERY_PAGE(45, L"Tree selection", CTreeSelectionPage);
