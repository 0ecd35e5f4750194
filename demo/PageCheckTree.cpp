// The check tree: three levels with mixed states, a multi-selection, and a log of the check listener.
#include "Controls.h"
#include "Gdi.h"
#include "Gallery.h"
#include "TavCheckTree.h"

namespace
{
// Writes every toggle the user makes into the log.
class CCheckLogListener : public CTavCheckTreeActionListener
{
public:
    CCheckLogListener(CTavCheckTreeCtrl& tree, CEdit& log) : m_tree(tree), m_log(log) {}

    bool OnItemDoubleClick(HTREEITEM) override { return true; }
    void OnCheckChanged(HTREEITEM hItem) override
    {
        static const wchar_t* const s_apszStates[] = { L"unchecked", L"checked", L"mixed" };
        const UINT nState = m_tree.GetCheckState(hItem);
        CString strLine = m_tree.GetItemText(hItem) + L" is now " + (nState < 3 ? s_apszStates[nState] : L"other") + L"\r\n";
        CGalleryPage::AppendLine(m_log, strLine);
    }

private:
    CTavCheckTreeCtrl& m_tree;
    CEdit& m_log;
};

class CCheckTreePage : public CGalleryPage
{
protected:
    BOOL CreateControls() override
    {
        m_tree.AllowMultiSelection();
        BOOL bCreated =
            m_title.Create(L"Check tree: a click on a box or Space toggles (the whole selection when the item is selected)",
                           WS_VISIBLE | SS_LEFT, CRect(16, 12, 620, 30), this, 1) &&
            m_tree.Create(WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                              TVS_SHOWSELALWAYS,
                          CRect(16, 40, 300, 340), this, 2) &&
            m_logLabel.Create(L"OnCheckChanged:", WS_VISIBLE | SS_LEFT, CRect(316, 40, 620, 58), this, 3) &&
            m_log.Create(WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
                         CRect(316, 60, 620, 340), this, 4);
        if (!bCreated)
            return FALSE;
        SetPageFont({ &m_title, &m_tree, &m_logLabel, &m_log });
        m_tree.AddActionListener(&m_listener);
        FillTree();
        return TRUE;
    }

private:
    // Inserted with the states their children give them: insertion recalculates nothing.
    void FillTree()
    {
        const struct
        {
            DWORD dwID;
            DWORD dwParentID;
            LPCWSTR lpszText;
            UINT nState;
        } items[] = {
            { 1, 0, L"Harbour survey", 2 },
            { 10, 1, L"Soundings", 1 },
            { 100, 10, L"North basin", 1 },
            { 101, 10, L"South basin", 1 },
            { 11, 1, L"Charts", 2 },
            { 110, 11, L"Draft 1", 1 },
            { 111, 11, L"Draft 2", 0 },
            { 12, 1, L"Report", 0 },
            { 2, 0, L"Lighthouse", 0 },
            { 20, 2, L"Lamp", 0 },
            { 21, 2, L"Keeper's log", 0 },
            { 3, 0, L"Budget 2026", 1 },
            { 30, 3, L"Approved", 1 },
        };
        for (const auto& item : items)
            m_tree.InsertItem(item.lpszText, item.dwID, item.dwParentID, TRUE, -1, -1, RGB(255, 0, 255), item.nState);
        for (DWORD dwID : { 1, 10, 11, 2 })
            m_tree.Expand(m_tree.FindItem(static_cast<long>(dwID)), TVE_EXPAND);
        m_tree.SelectItem(m_tree.FindItem(111L));
        m_tree.SetItemState(m_tree.FindItem(20L), TVIS_SELECTED, TVIS_SELECTED);
    }

    CStatic m_title;
    CStatic m_logLabel;
    CEdit m_log;
    // The tree comes after its listener, so it goes first.
    CCheckLogListener m_listener{ m_tree, m_log };
    CTavCheckTreeCtrl m_tree;
};
}

GALLERY_PAGE(50, L"Check tree", CCheckTreePage);
