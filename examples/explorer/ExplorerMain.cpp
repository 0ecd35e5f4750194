// TavExplorer [folder] [--open <file>] [--state <file>] [--screenshot <png>]
// Shows the folder (the current one by default) in a tree and opens its files in editor pages. With
// --screenshot it opens the folder and a file (the --open one, else the first source file at the top of the
// folder), renders the window to the PNG once the file is coloured, and exits: 0 when the picture was saved.
#include "ExplorerWindow.h"

#include "frame/Image.h"
#include "frame/WinApp.h"

#include <shlobj.h>

namespace
{
struct CArguments
{
    std::wstring folder;
    std::wstring open;
    std::wstring state;
    std::wstring screenshot;
};

std::wstring CurrentFolder()
{
    wchar_t szFolder[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, szFolder);
    return szFolder;
}

CArguments ParseArguments()
{
    CArguments arguments;
    for (int i = 1; i < __argc; ++i)
    {
        const std::wstring arg = __wargv[i];
        std::wstring* pValue = arg == L"--open" ? &arguments.open : arg == L"--state" ? &arguments.state
                             : arg == L"--screenshot" ? &arguments.screenshot : nullptr;
        if (pValue != nullptr && i + 1 < __argc)
            *pValue = __wargv[++i];
        else if (pValue == nullptr)
            arguments.folder = arg;
    }
    if (arguments.folder.empty())
        arguments.folder = CurrentFolder();
    return arguments;
}

// %LOCALAPPDATA%\TavExplorer\<folder name>-<hash>.tree: one remembered tree per folder.
std::wstring DefaultStateFile(const std::wstring& folder)
{
    wchar_t szData[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, szData)))
        return std::wstring();
    const std::wstring stateFolder = std::wstring(szData) + L"\\TavExplorer";
    ::CreateDirectoryW(stateFolder.c_str(), nullptr);
    const size_t nHash = std::hash<std::wstring>()(CString(folder.c_str()).MakeLower().Str());
    wchar_t szHash[24];
    ::wsprintfW(szHash, L"%08x", static_cast<unsigned>(nHash));
    return stateFolder + L"\\" + folder.substr(folder.find_last_of(L"\\/") + 1) + L"-" + szHash + L".tree";
}

// The first file at the top of the folder whose extension chooses a language.
std::wstring FirstSourceFile(CFolderTree& tree)
{
    HTREEITEM hRoot = tree.GetRootItem();
    for (HTREEITEM hItem = tree.GetChildItem(hRoot); hItem != nullptr; hItem = tree.GetNextSiblingItem(hItem))
        if (!tree.IsFolderItem(hItem) && CExplorerEdit::LanguageForPath(tree.GetItemPath(hItem)) >= 0)
            return tree.GetItemPath(hItem);
    return std::wstring();
}

void PumpUntilColoured(CExplorerEdit& edit)
{
    const DWORD dwStart = ::GetTickCount();
    while (!edit.IsColouringDone() && ::GetTickCount() - dwStart < 120000)
    {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        AfxPumpWaitingMessages();
    }
    AfxPumpWaitingMessages();
}

int TakeScreenshot(const CArguments& arguments)
{
    CExplorerWindow explorer(arguments.state);
    if (!explorer.CreateExplorer(arguments.folder, CRect(0, 0, 960, 640), WS_POPUP | WS_VISIBLE))
        return 1;
    const std::wstring file = arguments.open.empty() ? FirstSourceFile(explorer.GetTree()) : arguments.open;
    CEditorPage* pPage = file.empty() ? nullptr : explorer.OpenFile(file);
    if (pPage != nullptr)
        PumpUntilColoured(pPage->GetEdit());
    explorer.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    AfxPumpWaitingMessages();
    CImage image;
    const BOOL bSaved = image.CaptureClient(explorer.m_hWnd) && image.SavePng(arguments.screenshot.c_str());
    explorer.DestroyWindow();
    return bSaved ? 0 : 1;
}

int RunWindow(const CArguments& arguments)
{
    CExplorerWindow explorer(arguments.state.empty() ? DefaultStateFile(arguments.folder) : arguments.state);
    if (!explorer.CreateExplorer(arguments.folder, CRect(CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT + 1000, CW_USEDEFAULT + 700)))
        return 1;
    explorer.ShowWindow(SW_SHOW);
    if (!arguments.open.empty())
        explorer.OpenFile(arguments.open);
    while (::IsWindow(explorer.m_hWnd) && AfxPumpMessage())
        AfxDeleteTempMaps();
    return 0;
}
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    INITCOMMONCONTROLSEX controls = { sizeof(controls), ICC_WIN95_CLASSES | ICC_TAB_CLASSES };
    ::InitCommonControlsEx(&controls);
    const CArguments arguments = ParseArguments();
    return arguments.screenshot.empty() ? RunWindow(arguments) : TakeScreenshot(arguments);
}
