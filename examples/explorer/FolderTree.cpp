#include "FolderTree.h"
#include "ExplorerResources.h"
#include "FileBytes.h"

#include "frame/Archive.h"
#include "frame/File.h"

#include <algorithm>
#include <cwctype>
#include <memory>

namespace
{
const COLORREF s_crMask = RGB(255, 0, 255);

struct CEntry
{
    std::wstring name;
    bool bFolder;
};

// Folders first, then files, each in name order regardless of case.
std::vector<CEntry> ListFolder(const std::wstring& folder)
{
    std::vector<CEntry> entries;
    WIN32_FIND_DATAW data;
    HANDLE hFind = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return entries;
    do
    {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..")
            entries.push_back({ name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 });
    } while (::FindNextFileW(hFind, &data));
    ::FindClose(hFind);
    std::sort(entries.begin(), entries.end(), [](const CEntry& a, const CEntry& b) {
        if (a.bFolder != b.bFolder)
            return a.bFolder;
        return ::CompareStringOrdinal(a.name.c_str(), -1, b.name.c_str(), -1, TRUE) == CSTR_LESS_THAN;
    });
    return entries;
}

bool IsFolder(const std::wstring& path)
{
    const DWORD dwAttributes = ::GetFileAttributesW(path.c_str());
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
}

CFolderTree::CFolderTree()
{
    AddActionListener(this);
}

void CFolderTree::ShowFolder(const std::wstring& folder)
{
    DeleteAllItems();
    std::wstring root = folder;
    while (root.size() > 3 && (root.back() == L'\\' || root.back() == L'/'))
        root.pop_back();
    HTREEITEM hRoot = AddEntry(TVI_ROOT, root, true);
    ExpandFolder(hRoot);
    SelectItem(hRoot);
}

HTREEITEM CFolderTree::AddEntry(HTREEITEM hParent, const std::wstring& name, bool bFolder)
{
    const long nPicture = bFolder ? IDB_FOLDER : IDB_FILE;
    HTREEITEM hItem = InsertItem(hParent, CString(name), m_dwNextID++, bFolder, nPicture, nPicture, s_crMask);
    // A folder gets an empty-text child until it is filled, so that it shows an expand button.
    if (bFolder)
        InsertItem(hItem, CString(), 0, FALSE);
    return hItem;
}

BOOL CFolderTree::HasPlaceholder(HTREEITEM hItem)
{
    HTREEITEM hChild = GetChildItem(hItem);
    return hChild != nullptr && GetItemText(hChild).IsEmpty();
}

void CFolderTree::FillFolder(HTREEITEM hFolder)
{
    if (!HasPlaceholder(hFolder))
        return;
    const std::wstring folder = GetItemPath(hFolder);
    SetRedraw(FALSE);
    DeleteItem(GetChildItem(hFolder));
    for (const CEntry& entry : ListFolder(folder))
        AddEntry(hFolder, entry.name, entry.bFolder);
    SetRedraw(TRUE);
}

// The platform tree announces only some programmatic expansions, so the folder is filled first.
void CFolderTree::ExpandFolder(HTREEITEM hFolder)
{
    FillFolder(hFolder);
    Expand(hFolder, TVE_EXPAND);
}

std::wstring CFolderTree::GetItemPath(HTREEITEM hItem) const
{
    std::wstring path;
    for (; hItem != nullptr; hItem = GetParentItem(hItem))
    {
        const std::wstring name = GetItemText(hItem).Str();
        path = path.empty() ? name : name + L"\\" + path;
    }
    return path;
}

HTREEITEM CFolderTree::FindChild(HTREEITEM hParent, const std::wstring& name)
{
    for (HTREEITEM hChild = GetChildItem(hParent); hChild != nullptr; hChild = GetNextSiblingItem(hChild))
        if (::CompareStringOrdinal(GetItemText(hChild), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL)
            return hChild;
    return nullptr;
}

HTREEITEM CFolderTree::FindPath(const std::wstring& path)
{
    HTREEITEM hItem = GetRootItem();
    const std::wstring root = GetItemPath(hItem);
    if (hItem == nullptr || path.size() < root.size() ||
        ::CompareStringOrdinal(path.c_str(), static_cast<int>(root.size()), root.c_str(), -1, TRUE) != CSTR_EQUAL)
        return nullptr;
    size_t nStart = root.size();
    while (hItem != nullptr && nStart < path.size())
    {
        nStart = path.find_first_not_of(L"\\/", nStart);
        if (nStart == std::wstring::npos)
            break;
        const size_t nEnd = std::min(path.find_first_of(L"\\/", nStart), path.size());
        FillFolder(hItem);
        hItem = FindChild(hItem, path.substr(nStart, nEnd - nStart));
        nStart = nEnd;
    }
    return hItem;
}

std::vector<std::wstring> CFolderTree::GetExpandedPaths()
{
    std::vector<std::wstring> paths;
    for (HTREEITEM hItem = GetRootItem(); hItem != nullptr; hItem = GetNextTreeItem(hItem))
        if ((GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0)
            paths.push_back(GetItemPath(hItem));
    return paths;
}

BOOL CFolderTree::SaveExpandedState(const std::wstring& stateFile)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        SaveTree(ar);
    }
    const UINT nLength = static_cast<UINT>(file.GetLength());
    std::unique_ptr<BYTE, decltype(&free)> pBytes(file.Detach(), &free);
    return ReplaceFileBytes(stateFile, std::string(reinterpret_cast<const char*>(pBytes.get()), nLength));
}

// The saved tree is loaded as it was, its expanded folders noted, and the tree built afresh from the disk,
// so that files added or removed since show as they are now.
void CFolderTree::RestoreExpandedState(const std::wstring& stateFile)
{
    std::string bytes;
    if (!ReadFileBytes(stateFile, bytes) || bytes.empty())
        return;
    const std::wstring folder = GetItemPath(GetRootItem());
    std::vector<std::wstring> expanded;
    try
    {
        CMemFile file(reinterpret_cast<BYTE*>(&bytes[0]), static_cast<UINT>(bytes.size()));
        CArchive ar(&file, CArchive::load);
        LoadTree(ar);
        expanded = GetExpandedPaths();
    }
    catch (CException* pException)
    {
        pException->Delete();
    }
    ShowFolder(folder);
    for (const std::wstring& path : expanded)
        if (HTREEITEM hItem = FindPath(path); hItem != nullptr && IsFolder(path))
            ExpandFolder(hItem);
}

void CFolderTree::OnItemExpanded(HTREEITEM hItem)
{
    FillFolder(hItem);
}

bool CFolderTree::OnItemDoubleClick(HTREEITEM hItem)
{
    if (hItem != nullptr && !IsFolderItem(hItem) && m_onOpenFile)
        m_onOpenFile(GetItemPath(hItem));
    return true;
}

BOOL CFolderTree::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && pMsg->hwnd == m_hWnd)
    {
        HTREEITEM hItem = GetSelectedItem();
        if (hItem != nullptr && !IsFolderItem(hItem) && m_onOpenFile)
        {
            m_onOpenFile(GetItemPath(hItem));
            return TRUE;
        }
    }
    return CTavTreeCtrl::PreTranslateMessage(pMsg);
}
