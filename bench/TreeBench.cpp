// Building, searching, renaming and clearing a CTavTreeCtrl of 1,000 to 30,000 items, in time and tree-view
// messages.
#include "TreeBenchSupport.h"
#include <cstdio>
#include <random>
#include <vector>

using namespace bench;

namespace
{
void BuildByID(CTavTreeCtrl& tree, const std::vector<ItemPlan>& vecPlan)
{
    for (const ItemPlan& plan : vecPlan)
        tree.InsertItem(ItemText(plan.lID), plan.lID, plan.lParentID);
}

struct LookupResult
{
    double dSeconds;
    double dAverageMessages;
    UINT nMostMessages;
    int nFound;
};

LookupResult LookUp(CTavTreeCtrl& tree, const std::vector<long>& vecIDs)
{
    LookupResult result = { 0, 0, 0, 0 };
    UINT nTotal = 0;
    const double dStart = Now();
    for (long lID : vecIDs)
    {
        const UINT nBefore = g_nTreeMessages;
        if (tree.FindItem(lID) != nullptr)
            ++result.nFound;
        const UINT nSent = g_nTreeMessages - nBefore;
        nTotal += nSent;
        if (nSent > result.nMostMessages)
            result.nMostMessages = nSent;
    }
    result.dSeconds = Now() - dStart;
    result.dAverageMessages = static_cast<double>(nTotal) / static_cast<double>(vecIDs.size());
    return result;
}

// What a look-up by walking the tree from the root costs, for comparison.
HTREEITEM WalkFind(const CTavTreeCtrl& tree, long lID)
{
    for (HTREEITEM hItem = tree.GetRootItem(); hItem != nullptr; hItem = tree.GetNextTreeItem(hItem))
        if (tree.GetItemID(hItem) == lID)
            return hItem;
    return nullptr;
}

// Text changes on random items, each followed by a look-up of a random ID, through the tree's own member
// or through the inherited platform member, which the tree learns of in its window procedure.
double ChangeTextsAndLookUp(CTavTreeCtrl& tree, const std::vector<HTREEITEM>& vecItems, const std::vector<long>& vecIDs,
                            bool bBaseClass)
{
    const double dStart = Now();
    for (size_t i = 0; i < vecItems.size(); ++i)
    {
        const CString strText = ItemText(vecIDs[i] + (bBaseClass ? 1 : 2));
        if (bBaseClass)
        {
            TVITEMW item = {};
            item.mask = TVIF_HANDLE | TVIF_TEXT;
            item.hItem = vecItems[i];
            item.pszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(strText));
            tree.CTreeCtrl::SetItem(&item);
        }
        else
        {
            tree.SetItemText(vecItems[i], strText);
        }
        tree.FindItem(vecIDs[(i + 1) % vecIDs.size()]);
    }
    return Now() - dStart;
}

}

int main()
{
    INITCOMMONCONTROLSEX init = { sizeof(init), ICC_TREEVIEW_CLASSES };
    InitCommonControlsEx(&init);
    HWND hWndHost = CreateWindowExW(0, L"STATIC", L"TreeBench", WS_OVERLAPPEDWINDOW, 0, 0, 400, 600, nullptr,
                                    nullptr, GetModuleHandleW(nullptr), nullptr);

    std::printf("%-7s | %-15s | %-15s | %-6s | %-24s | %-26s | %-26s | %-16s | %-25s | %-10s\n", "items",
                "build by handle", "build by ID", "ID/hdl", "by ID, with placeholder", "1000 FindItem, existing",
                "1000 FindItem, missing", "1 walk look-up", "1000 text + look-up", "delete all");
    std::printf("%-7s | %-15s | %-15s | %-6s | %-24s | %-26s | %-26s | %-16s | %-25s | %-10s\n", "", "s (msgs)",
                "s (msgs)", "time", "s (msgs); /hdl time", "s; msgs avg/max; found", "s; msgs avg/max; found",
                "s (msgs)", "own s; SetItem s; /own", "s");
    std::printf("--------+-----------------+-----------------+--------+--------------------------+----------------------------+----------------------------+------------------+---------------------------+-----------\n");
    std::mt19937 random(20261206);
    for (int nItems : { 1000, 10000, 30000 })
    {
        const std::vector<ItemPlan> vecPlan = PlanTree(nItems);
        CCountingTree tree;
        tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, CRect(0, 0, 380, 560),
                    CWnd::FromHandle(hWndHost), 1);

        UINT nByHandleMessages = 0;
        const double dByHandle = Timed([&] { BuildByHandle(tree, vecPlan); }, &nByHandleMessages);
        tree.DeleteAllItems();
        UINT nByIDMessages = 0;
        const double dByID = Timed([&] { BuildByID(tree, vecPlan); }, &nByIDMessages);
        // Hosts mark items whose children are not there yet with an empty-text first child.
        tree.DeleteAllItems();
        tree.InsertItem(tree.InsertItem(nullptr, L"Pending", 0x7FFFFFFF), L"", 0x7FFFFFFE);
        UINT nPlaceholderMessages = 0;
        const double dPlaceholder = Timed([&] { BuildByID(tree, vecPlan); }, &nPlaceholderMessages);

        std::uniform_int_distribution<long> existing(1, static_cast<long>(vecPlan.size()));
        std::uniform_int_distribution<long> missing(static_cast<long>(vecPlan.size()) + 1, 0x7FFFFFFF);
        std::vector<long> vecExisting(1000);
        std::vector<long> vecMissing(1000);
        for (long& lID : vecExisting)
            lID = existing(random);
        for (long& lID : vecMissing)
            lID = missing(random);
        const LookupResult found = LookUp(tree, vecExisting);
        const LookupResult notFound = LookUp(tree, vecMissing);

        UINT nWalkMessages = 0;
        const double dWalk = Timed([&] { for (int i = 0; i < 5; ++i) WalkFind(tree, vecExisting[i]); }, &nWalkMessages) / 5;
        std::vector<HTREEITEM> vecChanged(1000);
        for (HTREEITEM& hItem : vecChanged)
            hItem = tree.FindItem(existing(random));
        const double dOwnTexts = ChangeTextsAndLookUp(tree, vecChanged, vecExisting, false);
        const double dBaseTexts = ChangeTextsAndLookUp(tree, vecChanged, vecExisting, true);
        const double dDelete = Timed([&] { tree.DeleteAllItems(); });
        std::printf("%-7d | %6.3f (%5.0fk) | %6.3f (%5.0fk) | %5.2fx | %6.3f (%5.0fk); %5.2fx  | %6.3f; %4.1f/%3u; %5d   | %6.3f; %4.1f/%3u; %5d   | %6.3f (%5.0fk)  | %6.3f; %6.3f; %5.2fx  | %6.3f\n",
                    nItems, dByHandle, nByHandleMessages / 1000.0, dByID, nByIDMessages / 1000.0, dByID / dByHandle,
                    dPlaceholder, nPlaceholderMessages / 1000.0, dPlaceholder / dByHandle, found.dSeconds, found.dAverageMessages, found.nMostMessages, found.nFound, notFound.dSeconds,
                    notFound.dAverageMessages, notFound.nMostMessages, notFound.nFound, dWalk,
                    nWalkMessages / 5000.0, dOwnTexts, dBaseTexts, dBaseTexts / dOwnTexts, dDelete);
        tree.DestroyWindow();
    }
    DestroyWindow(hWndHost);
    return 0;
}
