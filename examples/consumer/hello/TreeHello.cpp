// A tree with IDs: folders filled when first expanded, a listener that hears double clicks.
#include "TavTree.h"
#include "frame/WinApp.h"

class CDoubleClickListener : public CTavTreeActionListener
{
public:
    bool OnItemDoubleClick(HTREEITEM hItem) override
    {
        return hItem != nullptr;   // false would keep the item from expanding or collapsing
    }
};

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    INITCOMMONCONTROLSEX controls = { sizeof(controls), ICC_WIN95_CLASSES };
    ::InitCommonControlsEx(&controls);
    CWnd frame;
    frame.CreateEx(0, AfxRegisterWndClass(0), L"Tree", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 100, 420, 500),
                   nullptr, 0);
    CDoubleClickListener listener;   // declared before the tree: the tree never owns its listeners
    CTavTreeCtrl tree;
    tree.AllowLabelEditing();
    tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, CRect(0, 0, 300, 360), &frame, 1);
    tree.AddActionListener(&listener);
    tree.InsertItem(L"Projects", 1, 0);              // ID 1 at the root level
    tree.InsertItem(L"Lighthouse", 10, 1, FALSE);    // ID 10 under ID 1, no children allowed
    tree.Expand(tree.FindItem(1), TVE_EXPAND);
    while (::IsWindow(frame.m_hWnd) && AfxPumpMessage())   // gives the tree its PreTranslateMessage
        AfxDeleteTempMaps();
    return 0;
}
