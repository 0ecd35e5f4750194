// Check states of a CTavCheckTreeCtrl of 1,000 to 30,000 items: setting a whole tree, toggling deep leaves,
// painting, clearing. Besides time it counts the tree-view messages each operation sends: on Wine every
// message that names an item checks the handle against the items, so the count shows how an operation
// scales.
#include "TavCheckTree.h"
#include "TreeBenchSupport.h"
#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{
using bench::g_nTreeMessages;
using bench::Timed;

// Counts the tree-view messages that reach any tree class.
template <class TBase>
class CCounting : public TBase
{
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= TV_FIRST && message < TV_FIRST + 0x100)
            ++g_nTreeMessages;
        return TBase::WindowProc(message, wParam, lParam);
    }
};

using CCountingCheckTree = CCounting<CTavCheckTreeCtrl>;

const DWORD s_dwStyle = WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;

CString Label(int nItem)
{
    wchar_t szText[32];
    swprintf(szText, 32, L"Item %d", nItem);
    return szText;
}

// A first root with a path of depth 10 below it and 10 siblings on every level (the deepest leaves last),
// then a second root with the rest of the items, 10 children per item, breadth first. Returns the deepest
// leaves.
template <class TInsert>
std::vector<HTREEITEM> BuildTree(int nItems, TInsert insert)
{
    int nCount = 1;
    std::vector<HTREEITEM> vecLevel;
    HTREEITEM hParent = insert(nullptr, Label(nCount));
    for (int nDepth = 0; nDepth < 10; ++nDepth)
    {
        vecLevel.clear();
        for (int i = 0; i < 10; ++i)
            vecLevel.push_back(insert(hParent, Label(++nCount)));
        hParent = vecLevel.front();
    }
    const std::vector<HTREEITEM> vecDeepest = vecLevel;
    std::vector<HTREEITEM> vecOpen = { insert(nullptr, Label(++nCount)) };
    for (size_t nNext = 0; nCount < nItems; ++nNext)
        for (int i = 0; i < 10 && nCount < nItems; ++i)
            vecOpen.push_back(insert(vecOpen[nNext], Label(++nCount)));
    return vecDeepest;
}

void ExpandAll(CTreeCtrl& tree)
{
    std::vector<HTREEITEM> vecStack = { tree.GetRootItem() };
    while (!vecStack.empty())
    {
        HTREEITEM hItem = vecStack.back();
        vecStack.pop_back();
        for (; hItem != nullptr; hItem = tree.GetNextSiblingItem(hItem))
        {
            HTREEITEM hChild = tree.GetChildItem(hItem);
            if (hChild != nullptr)
            {
                tree.Expand(hItem, TVE_EXPAND);
                vecStack.push_back(hChild);
            }
        }
    }
}

void PlainWalk(const CTreeCtrl& tree, HTREEITEM hFirst)
{
    std::vector<HTREEITEM> vecStack = { hFirst };
    while (!vecStack.empty())
    {
        HTREEITEM hItem = vecStack.back();
        vecStack.pop_back();
        for (; hItem != nullptr; hItem = tree.GetNextSiblingItem(hItem))
            vecStack.push_back(tree.GetChildItem(hItem));
    }
}

int CountItems(const CTreeCtrl& tree, HTREEITEM hFirst)
{
    int nCount = 0;
    for (HTREEITEM hItem = hFirst; hItem != nullptr; hItem = tree.GetNextSiblingItem(hItem))
        nCount += 1 + CountItems(tree, tree.GetChildItem(hItem));
    return nCount;
}

// Seconds and messages of one full paint: the mean of ten, in the fastest of five rounds.
double Paint(CWnd& wnd, UINT* pMessages)
{
    const int nPaints = 10;
    double dBest = 1e9;
    for (int nRound = 0; nRound < 5; ++nRound)
    {
        UINT nMessages = 0;
        dBest = std::min(dBest, Timed([&] {
            for (int i = 0; i < nPaints; ++i)
                wnd.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        }, &nMessages));
        *pMessages = nMessages / nPaints;
    }
    return dBest / nPaints;
}

struct Row
{
    int nItems;
    int nRootItems;
    double dWalk, dSet, dFirstSet;
    UINT nWalkMessages, nSetMessages, nFirstSetMessages;
    double dToggle;
    double dToggleAverage;
    UINT nToggleMost;
    double dPaint, dNativePaint;
    UINT nPaintMessages, nNativePaintMessages;
    double dDelete, dBaseDelete;
};
}

int main()
{
    INITCOMMONCONTROLSEX init = { sizeof(init), ICC_TREEVIEW_CLASSES };
    InitCommonControlsEx(&init);
    HWND hWndHost = CreateWindowExW(0, L"STATIC", L"CheckTreeBench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 900,
                                    nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    CWnd* pHost = CWnd::FromHandle(hWndHost);
    std::vector<Row> vecRows;
    for (int nItems : { 1000, 10000, 30000 })
    {
        Row row = {};
        row.nItems = nItems;
        CCountingCheckTree tree;
        tree.Create(s_dwStyle, CRect(0, 0, 380, 100), pHost, 1);
        tree.SetRedraw(FALSE);
        const std::vector<HTREEITEM> vecDeepest = BuildTree(nItems, [&](HTREEITEM hParent, const CString& strText) {
            return tree.InsertItem(hParent, strText, 1);
        });
        HTREEITEM hBigRoot = tree.GetNextSiblingItem(tree.GetRootItem());
        row.nRootItems = 1 + CountItems(tree, tree.GetChildItem(hBigRoot));

        // One root's whole tree, the first time after building (every parent is checked once), then again.
        // The others are the fastest of three rounds: the machine is shared.
        row.dFirstSet = Timed([&] { tree.SetCheckState(hBigRoot, 1, TRUE); }, &row.nFirstSetMessages);
        row.dWalk = row.dSet = 1e9;
        for (UINT nRound = 0; nRound < 3; ++nRound)
        {
            row.dWalk = std::min(row.dWalk, Timed([&] { PlainWalk(tree, tree.GetChildItem(hBigRoot)); }, &row.nWalkMessages));
            row.dSet = std::min(row.dSet, Timed([&] { tree.SetCheckState(hBigRoot, nRound % 2, TRUE); }, &row.nSetMessages));
        }

        // Toggles of the deepest leaves of the path, each leaf checked and unchecked again in turn: every
        // ancestor changes each time.
        UINT nTotal = 0;
        row.dToggle = Timed([&] {
            for (int i = 0; i < 1000; ++i)
            {
                HTREEITEM hLeaf = vecDeepest[static_cast<size_t>(i / 2) % vecDeepest.size()];
                const UINT nBefore = g_nTreeMessages;
                tree.SetCheckState(hLeaf, tree.GetCheckState(hLeaf) == 1 ? 0 : 1, TRUE);
                row.nToggleMost = std::max(row.nToggleMost, g_nTreeMessages - nBefore);
            }
        }, &nTotal);
        row.dToggleAverage = nTotal / 1000.0;

        // 40 rows in view, everything expanded, against the platform's tree with the same labels.
        CCounting<CTreeCtrl> native;
        native.Create(s_dwStyle | TVS_NOTOOLTIPS, CRect(0, 0, 380, 100), pHost, 2);
        native.SetRedraw(FALSE);
        BuildTree(nItems, [&](HTREEITEM hParent, const CString& strText) {
            return native.InsertItem(L"      " + strText, hParent != nullptr ? hParent : TVI_ROOT);
        });
        for (CTreeCtrl* pTree : { static_cast<CTreeCtrl*>(&tree), static_cast<CTreeCtrl*>(&native) })
        {
            ExpandAll(*pTree);
            const int nRowHeight = static_cast<int>(pTree->SendMessage(TVM_GETITEMHEIGHT));
            CRect rcWindow(0, 0, 380, 40 * nRowHeight);
            ::AdjustWindowRectEx(&rcWindow, pTree->GetStyle(), FALSE, pTree->GetExStyle());
            pTree->MoveWindow(0, 0, rcWindow.Width(), rcWindow.Height(), FALSE);
            pTree->SetRedraw(TRUE);
        }
        tree.ShowWindow(SW_SHOW);
        native.ShowWindow(SW_HIDE);
        row.dPaint = Paint(tree, &row.nPaintMessages);
        tree.ShowWindow(SW_HIDE);
        native.ShowWindow(SW_SHOW);
        row.dNativePaint = Paint(native, &row.nNativePaintMessages);
        native.DestroyWindow();

        CCounting<CTavTreeCtrl> base;
        base.Create(s_dwStyle, CRect(0, 0, 380, 100), pHost, 3);
        base.SetRedraw(FALSE);
        BuildTree(nItems, [&](HTREEITEM hParent, const CString& strText) { return base.InsertItem(hParent, strText, 1); });
        ExpandAll(base);
        base.ShowWindow(SW_HIDE);
        tree.SetRedraw(FALSE);
        row.dDelete = Timed([&] { tree.DeleteAllItems(); });
        row.dBaseDelete = Timed([&] { base.DeleteAllItems(); });
        base.DestroyWindow();
        tree.DestroyWindow();
        vecRows.push_back(row);
        std::fprintf(stderr, "%d items done\n", nItems);
    }

    std::printf("| items | set root tree: items | plain walk s (msgs/item) | set s (msgs/item) | set/walk | first set after building s (msgs/item) "
                "| 1000 leaf toggles s | msgs/toggle avg / max (goal <= 400) | paint 40 rows s (msgs) | platform paint s (msgs) | paint ratio "
                "| DeleteAllItems s | base tree s | delete ratio |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|---|---|---|\n");
    for (const Row& row : vecRows)
        std::printf("| %d | %d | %.4f (%.2f) | %.4f (%.2f) | %.2fx | %.4f (%.2f) | %.3f | %.1f / %u | %.5f (%u) | %.5f (%u) | %.2fx | %.3f | %.3f | %.2fx |\n",
                    row.nItems, row.nRootItems, row.dWalk, static_cast<double>(row.nWalkMessages) / row.nRootItems, row.dSet,
                    static_cast<double>(row.nSetMessages) / row.nRootItems, row.dSet / row.dWalk, row.dFirstSet,
                    static_cast<double>(row.nFirstSetMessages) / row.nRootItems, row.dToggle, row.dToggleAverage,
                    row.nToggleMost, row.dPaint, row.nPaintMessages, row.dNativePaint, row.nNativePaintMessages,
                    row.dPaint / row.dNativePaint, row.dDelete, row.dBaseDelete, row.dDelete / row.dBaseDelete);
    DestroyWindow(hWndHost);
    return 0;
}
