#pragma once
// The explorer's folder tree: the opened folder as the root item, folders and files below it, each folder
// filled when it is first expanded. An item's path is made of the texts from the root down, so a tree loaded
// from an archive still knows its paths.
#include "TavTree.h"

#include <functional>
#include <string>
#include <vector>

class CFolderTree : public CTavTreeCtrl, private CTavTreeActionListener
{
public:
    CFolderTree();

    // Shows the folder as the only root item, expanded one level.
    void ShowFolder(const std::wstring& folder);
    std::wstring GetItemPath(HTREEITEM hItem) const;
    BOOL IsFolderItem(HTREEITEM hItem) { return ItemCanHaveChildren(hItem); }
    // Fills the folder if it is not filled yet and expands it.
    void ExpandFolder(HTREEITEM hFolder);
    // The item of a path below the root, expanding the folders on the way; null when it is not there.
    HTREEITEM FindPath(const std::wstring& path);

    // The tree's expanded folders are remembered in a file written with SaveTree; loading expands again those
    // of them that still exist. A missing or unreadable file changes nothing.
    BOOL SaveExpandedState(const std::wstring& stateFile);
    void RestoreExpandedState(const std::wstring& stateFile);

    // Called with a file's path when the user double-clicks it or presses Enter on it.
    std::function<void(const std::wstring&)> m_onOpenFile;

    BOOL PreTranslateMessage(MSG* pMsg) override;

private:
    bool OnItemDoubleClick(HTREEITEM hItem) override;
    void OnItemExpanded(HTREEITEM hItem) override;

    // Replaces the placeholder child of a folder not filled yet with the folder's entries.
    void FillFolder(HTREEITEM hFolder);
    HTREEITEM AddEntry(HTREEITEM hParent, const std::wstring& name, bool bFolder);
    BOOL HasPlaceholder(HTREEITEM hItem);
    HTREEITEM FindChild(HTREEITEM hParent, const std::wstring& name);
    std::vector<std::wstring> GetExpandedPaths();

    DWORD m_dwNextID = 1;
};
