// A host of the installed TavControls package: it creates a tree and an editor in a window of its own,
// drives them through their public members, and exits with the number of checks that failed.
#include "TavSyntaxColorEdit.h"
#include "TavTabPages.h"
#include "TavTree.h"

#include "frame/Archive.h"
#include "frame/File.h"
#include "frame/WinApp.h"

#include <cstdio>

namespace
{
int s_nFailed = 0;

void Check(bool bPassed, const char* pszWhat)
{
    std::printf("%s %s\n", bPassed ? "ok  " : "FAIL", pszWhat);
    s_nFailed += bPassed ? 0 : 1;
}

void CheckTree(CWnd& host)
{
    CTavTreeCtrl tree;
    Check(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 0, 200, 200), &host, 1) != FALSE,
          "tree window created");
    tree.InsertItem(L"Folder", 1, 0);
    tree.InsertItem(L"File", 2, 1, FALSE);
    Check(tree.GetItemID(tree.FindItem(2)) == 2 && tree.GetText(2) == CString(L"File"), "items found by ID");

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        tree.SaveTree(ar);
    }
    tree.DeleteAllItems();
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load);
        tree.LoadTree(ar);
    }
    Check(tree.IsItem(1) && tree.GetParentItem(tree.FindItem(2)) == tree.FindItem(1), "tree reloaded from archive");
    Check(RUNTIME_CLASS(CTavTreeItemData)->IsDerivedFrom(RUNTIME_CLASS(CObject)) != FALSE,
          "item data runtime class registered");
    Check(CTavTreeDragInformation::s_hSingleDragCursor == nullptr, "drag cursor statics exported");
}

void CheckEditor(CWnd& host)
{
    CTavSyntaxColorEdit edit;
    Check(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 300, 200), &host, 2) != FALSE,
          "editor window created");
    edit.SetLanguage(CTavSyntaxLanguage::eLanguageCpp);
    edit.SetWindowText(L"int n = 0; // counter");
    edit.SetSel(0, 3);
    CHARFORMAT cf = {};
    cf.cbSize = sizeof(cf);
    edit.GetSelectionCharFormat(cf);
    Check(cf.crTextColor == edit.GetTokenFormat(CTavSyntaxLanguage::eTokenKeyword).crColor, "keyword coloured");
}

void CheckPageList()
{
    CTavTabItemList pages;
    CTavTabItem item;
    for (BOOL bDisabled : { FALSE, TRUE, FALSE })
    {
        item.m_bDisabled = bDisabled;
        pages.Add(item);
    }
    Check(pages.GetNextEnabledTab(0, FALSE) == 2, "page list skips disabled pages");
}
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    INITCOMMONCONTROLSEX controls = { sizeof(controls), ICC_WIN95_CLASSES };
    ::InitCommonControlsEx(&controls);
    CWnd host;
    if (!host.CreateEx(0, AfxRegisterWndClass(0), L"TavConsumer", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300),
                       nullptr, 0))
        return 100;
    CheckTree(host);
    CheckEditor(host);
    CheckPageList();
    AfxPumpWaitingMessages();
    host.DestroyWindow();
    std::printf("%d failed\n", s_nFailed);
    return s_nFailed;
}
