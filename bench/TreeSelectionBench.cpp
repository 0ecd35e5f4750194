// Saving, loading, selecting and dropping in a CTavTreeCtrl of 1,000 to 30,000 items (100 roots, three
// levels), each against the plain platform work it stands for: time and tree-view messages.
#include "TreeBenchSupport.h"
#include "Archive.h"
#include "File.h"
#include <algorithm>
#include <cstdlib>

using namespace bench;

namespace
{
// A host window of the class library's own, so that the tree's notifications come back to it. It stays
// hidden: on Wine every state change of an item in a tree on screen costs milliseconds of invalidation,
// which would bury what the tree itself does (the platform notes say more).
class CHostWnd : public CWnd
{
public:
    BOOL Open()
    {
        return CreateEx(0, AfxRegisterWndClass(0), L"TreeSelectionBench", WS_OVERLAPPEDWINDOW, 0, 0, 420, 640,
                        nullptr, nullptr);
    }
};

void CreateTree(CCountingTree& tree, CWnd& host)
{
    tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, CRect(0, 0, 400, 600), &host, 1);
}

void ExpandAll(CTavTreeCtrl& tree, const std::vector<HTREEITEM>& vecHandles)
{
    tree.SetRedraw(FALSE);
    for (HTREEITEM hItem : vecHandles)
        if (hItem != nullptr && tree.GetChildItem(hItem) != nullptr)
            tree.Expand(hItem, TVE_EXPAND);
    tree.SetRedraw(TRUE);
    tree.SendMessage(WM_VSCROLL, SB_TOP);
}

// Seconds of saving the tree into vecBytes.
double Save(CTavTreeCtrl& tree, std::vector<BYTE>& vecBytes, UINT& nMessages)
{
    CMemFile file;
    const double dSeconds = Timed([&] {
        CArchive ar(&file, CArchive::store);
        tree.SaveTree(ar);
        ar.Close();
    }, &nMessages);
    vecBytes.resize(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(vecBytes.data(), static_cast<UINT>(vecBytes.size()));
    return dSeconds;
}

template <class Run>
double Fastest(Run run)
{
    double dFastest = run();
    for (int i = 1; i < 3; ++i)
        dFastest = std::min(dFastest, run());
    return dFastest;
}

// Loads into a new, empty tree.
double LoadIntoEmptyTree(CWnd& host, const std::vector<BYTE>& vecBytes, UINT& nMessages, UINT& nItems)
{
    CCountingTree tree;
    CreateTree(tree, host);
    CMemFile file;
    file.Write(vecBytes.data(), static_cast<UINT>(vecBytes.size()));
    file.SeekToBegin();
    const double dSeconds = Timed([&] {
        CArchive ar(&file, CArchive::load);
        tree.LoadTree(ar);
    }, &nMessages);
    nItems = tree.GetCount();
    tree.DestroyWindow();
    return dSeconds;
}

LPARAM PointParam(CPoint point)
{
    return MAKELPARAM(point.x, point.y);
}

CPoint LabelCentre(const CTavTreeCtrl& tree, HTREEITEM hItem)
{
    CRect rect;
    tree.GetItemRect(hItem, &rect, TRUE);
    return rect.CenterPoint();
}

struct SelectionCosts
{
    UINT nDeselectAll, nCount, nClick;
};

// With ten items selected.
SelectionCosts MeasureSelection(CTavTreeCtrl& tree, const std::vector<HTREEITEM>& vecHandles)
{
    auto selectTen = [&] {
        for (size_t i = 1; i <= 10; ++i)
            tree.SetItemState(vecHandles[i], TVIS_SELECTED, TVIS_SELECTED);
    };
    SelectionCosts costs = {};
    selectTen();
    Timed([&] { tree.DeselectAll(); }, &costs.nDeselectAll);
    selectTen();
    long lCount = 0;
    Timed([&] { lCount = tree.GetSelectionCount(); }, &costs.nCount);
    const LPARAM lPoint = PointParam(LabelCentre(tree, tree.GetFirstVisibleItem()));
    Timed([&] {
        tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
        tree.SendMessage(WM_LBUTTONUP, 0, lPoint);
    }, &costs.nClick);
    if (lCount != 10 || tree.GetSelectionCount() != 1)
        std::printf("unexpected selection: %ld, then %ld\n", lCount, tree.GetSelectionCount());
    return costs;
}

struct RangeCosts
{
    double dOneByOne, dDown, dUp;
    UINT nOneByOne, nDown, nUp, nItems;
};

// A Shift range over up to 10,000 shown items, with the anchor below and above, against setting the bits.
RangeCosts MeasureRange(CTavTreeCtrl& tree, HTREEITEM hTop)
{
    RangeCosts costs = {};
    HTREEITEM hBottom = hTop;
    costs.nItems = 1;
    for (HTREEITEM hNext; costs.nItems < 10000 && (hNext = tree.GetNextVisibleItem(hBottom)) != nullptr; ++costs.nItems)
        hBottom = hNext;
    // Each run starts from nothing selected; the runs alternate, so that a slow spell of the machine does not
    // fall on one of them alone.
    costs.dOneByOne = costs.dDown = costs.dUp = 1e9;
    for (int nRun = 0; nRun < 2; ++nRun)
    {
        tree.DeselectAll();
        costs.dOneByOne = std::min(costs.dOneByOne, Timed([&] {
            HTREEITEM hItem = hTop;
            for (UINT i = 0; i < costs.nItems; ++i, hItem = tree.GetNextVisibleItem(hItem))
                tree.SetItemState(hItem, TVIS_SELECTED, TVIS_SELECTED);
        }, &costs.nOneByOne));
        tree.DeselectAll();
        costs.dDown = std::min(costs.dDown, Timed([&] { tree.SelectItemRange(hTop, hBottom); }, &costs.nDown));
        tree.DeselectAll();
        costs.dUp = std::min(costs.dUp, Timed([&] { tree.SelectItemRange(hBottom, hTop); }, &costs.nUp));
    }
    if (tree.GetSelectionCount() != static_cast<long>(costs.nItems))
        std::printf("unexpected range: %ld items\n", tree.GetSelectionCount());
    tree.DeselectAll();
    return costs;
}

struct DropCosts
{
    double dDrop, dStraight;
    UINT nDrop, nStraight, nLeaves;
};

std::vector<HTREEITEM> FirstLeaves(const CTavTreeCtrl& tree, size_t nMost)
{
    std::vector<HTREEITEM> vecLeaves;
    for (HTREEITEM hItem = tree.GetRootItem(); hItem != nullptr && vecLeaves.size() < nMost; hItem = tree.GetNextTreeItem(hItem))
        if (tree.GetChildItem(hItem) == nullptr && tree.GetParentItem(hItem) != nullptr)
            vecLeaves.push_back(hItem);
    return vecLeaves;
}

// The mouse drops up to 1,000 selected leaves onto the first root, everything expanded; against the same
// sorted insertions and deletions sent straight with drawing off.
DropCosts MeasureDrop(CWnd& host, const std::vector<ItemPlan>& vecPlan)
{
    DropCosts costs = {};
    {
        CCountingTree tree;
        CreateTree(tree, host);
        tree.AllowDragAndDrop();
        tree.AllowMultiSelection();
        tree.AllowMultiDragAndDrop();
        const std::vector<HTREEITEM> vecHandles = BuildByHandle(tree, vecPlan);
        ExpandAll(tree, vecHandles);
        // The platform makes the first shown item the caret when a tree without one gets the focus.
        tree.SetFocus();
        tree.DeselectAll();
        const std::vector<HTREEITEM> vecLeaves = FirstLeaves(tree, 1000);
        costs.nLeaves = static_cast<UINT>(vecLeaves.size());
        for (HTREEITEM hLeaf : vecLeaves)
            tree.SetItemState(hLeaf, TVIS_SELECTED, TVIS_SELECTED);
        HTREEITEM hTarget = tree.GetRootItem();
        const UINT nCountBefore = tree.GetCount();
        CRect rcLeaf;
        tree.GetItemRect(vecLeaves[0], &rcLeaf, TRUE);
        const CPoint ptPress(rcLeaf.right + 10, rcLeaf.CenterPoint().y);
        const CPoint ptFirstMove = ptPress + CPoint(0, 1);
        const CPoint ptDrop = LabelCentre(tree, hTarget);
        costs.dDrop = Timed([&] {
            tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(ptPress));
            CPoint ptScreen = ptFirstMove;
            tree.ClientToScreen(&ptScreen);
            ::SetCursorPos(ptScreen.x, ptScreen.y);
            tree.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, PointParam(ptFirstMove));
            tree.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, PointParam(ptDrop));
            tree.SendMessage(WM_LBUTTONUP, 0, PointParam(ptDrop));
        }, &costs.nDrop);
        UINT nMoved = 0;
        for (HTREEITEM hChild = tree.GetChildItem(hTarget); hChild != nullptr; hChild = tree.GetNextSiblingItem(hChild))
            ++nMoved;
        if (tree.GetCount() != nCountBefore || nMoved < costs.nLeaves)
            std::printf("unexpected drop: %u children under the target\n", nMoved);
        tree.DestroyWindow();
    }
    CCountingTree tree;
    CreateTree(tree, host);
    const std::vector<HTREEITEM> vecHandles = BuildByHandle(tree, vecPlan);
    ExpandAll(tree, vecHandles);
    const std::vector<HTREEITEM> vecLeaves = FirstLeaves(tree, 1000);
    costs.dStraight = Timed([&] {
        tree.SetRedraw(FALSE);
        for (HTREEITEM hLeaf : vecLeaves)
        {
            const CString strText = tree.GetItemText(hLeaf);
            tree.CTreeCtrl::InsertItem(strText, tree.GetRootItem(), TVI_SORT);
            tree.CTreeCtrl::DeleteItem(hLeaf);
        }
        tree.SetRedraw(TRUE);
    }, &costs.nStraight);
    tree.DestroyWindow();
    return costs;
}
}

// One measured operation against its baseline: time and tree-view messages per item of each.
void PrintRow(int nItems, const char* pszWhat, double dSeconds, double dMessagesPerItem, const char* pszBaseline,
              double dBaseSeconds, double dBaseMessagesPerItem)
{
    std::printf("%-6d | %-30s | %7.3f | %6.2f | %-28s | %7.3f | %6.2f | %5.2fx\n", nItems, pszWhat, dSeconds,
                dMessagesPerItem, pszBaseline, dBaseSeconds, dBaseMessagesPerItem, dSeconds / dBaseSeconds);
    std::fflush(stdout);
}

int main(int argc, char** argv)
{
    CHostWnd host;
    host.Open();
    std::printf("%-6s | %-30s | %-7s | %-6s | %-28s | %-7s | %-6s | %s\n", "items", "operation", "s", "msgs", "baseline",
                "s", "msgs", "ratio");
    std::printf("%-6s | %-30s | %-7s | %-6s | %-28s | %-7s | %-6s |\n", "", "", "", "/item", "", "", "/item");
    std::printf("-------+--------------------------------+---------+--------+------------------------------+---------+--------+-------\n");
    std::vector<int> vecSizes = { 1000, 10000, 30000 };
    if (argc > 1)
        vecSizes = { std::atoi(argv[1]) };
    for (int nItems : vecSizes)
    {
        const std::vector<ItemPlan> vecPlan = PlanTree(nItems);
        const double n = static_cast<double>(vecPlan.size());
        // On a machine shared with other work, the fastest of three runs is the one least disturbed.
        UINT nBuildMessages = 0;
        double dBuild = Fastest([&] {
            CCountingTree scratch;
            CreateTree(scratch, host);
            const double dSeconds = Timed([&] { BuildByHandle(scratch, vecPlan); }, &nBuildMessages);
            scratch.DestroyWindow();
            return dSeconds;
        });
        CCountingTree tree;
        CreateTree(tree, host);
        std::vector<HTREEITEM> vecHandles;
        dBuild = std::min(dBuild, Timed([&] { vecHandles = BuildByHandle(tree, vecPlan); }));

        UINT nWalkMessages = 0;
        const double dWalk = Fastest([&] {
            return Timed([&] {
                for (HTREEITEM hItem = tree.GetRootItem(); hItem != nullptr; hItem = tree.GetNextTreeItem(hItem))
                    tree.GetItemText(hItem);
            }, &nWalkMessages);
        });
        UINT nSaveMessages = 0;
        std::vector<BYTE> vecCollapsed;
        const double dSave = Fastest([&] { return Save(tree, vecCollapsed, nSaveMessages); });
        PrintRow(nItems, "save", dSave, nSaveMessages / n, "walk reading every text", dWalk, nWalkMessages / n);
        UINT nLoadMessages = 0, nLoaded = 0;
        const double dLoad = Fastest([&] { return LoadIntoEmptyTree(host, vecCollapsed, nLoadMessages, nLoaded); });
        PrintRow(nItems, "load into an empty tree", dLoad, nLoadMessages / n, "build by handle", dBuild,
                 nBuildMessages / n);

        ExpandAll(tree, vecHandles);
        UINT nSaveExpandedMessages = 0;
        std::vector<BYTE> vecExpanded;
        Save(tree, vecExpanded, nSaveExpandedMessages);
        UINT nLoadExpandedMessages = 0, nLoadedExpanded = 0;
        const double dLoadExpanded = Fastest(
            [&] { return LoadIntoEmptyTree(host, vecExpanded, nLoadExpandedMessages, nLoadedExpanded); });
        PrintRow(nItems, "load, all expanded", dLoadExpanded, nLoadExpandedMessages / n, "load, all collapsed", dLoad,
                 nLoadMessages / n);
        if (nLoaded != vecPlan.size() || nLoadedExpanded != vecPlan.size())
            std::printf("unexpected load: %u and %u items\n", nLoaded, nLoadedExpanded);

        const SelectionCosts selection = MeasureSelection(tree, vecHandles);
        std::printf("%-6d | 10 selected: messages of DeselectAll %u, GetSelectionCount %u, a click on a label %u\n",
                    nItems, selection.nDeselectAll, selection.nCount, selection.nClick);
        const RangeCosts range = MeasureRange(tree, tree.GetRootItem());
        char szWhat[64];
        std::snprintf(szWhat, sizeof(szWhat), "range of %u, anchor below", range.nItems);
        PrintRow(nItems, szWhat, range.dDown, range.nDown / static_cast<double>(range.nItems), "setting the bits one by one",
                 range.dOneByOne, range.nOneByOne / static_cast<double>(range.nItems));
        std::snprintf(szWhat, sizeof(szWhat), "range of %u, anchor above", range.nItems);
        PrintRow(nItems, szWhat, range.dUp, range.nUp / static_cast<double>(range.nItems), "setting the bits one by one",
                 range.dOneByOne, range.nOneByOne / static_cast<double>(range.nItems));
        tree.DestroyWindow();

        const DropCosts drop = MeasureDrop(host, vecPlan);
        std::snprintf(szWhat, sizeof(szWhat), "mouse drop of %u leaves", drop.nLeaves);
        PrintRow(nItems, szWhat, drop.dDrop, drop.nDrop / static_cast<double>(drop.nLeaves), "sorted insert+delete, no redraw",
                 drop.dStraight, drop.nStraight / static_cast<double>(drop.nLeaves));
    }
    host.DestroyWindow();
    return 0;
}
