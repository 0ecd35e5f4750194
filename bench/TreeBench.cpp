// Building, searching, renaming and clearing a CTavTreeCtrl of 1,000 to 30,000 items. Besides time it counts the
// tree-view messages each operation sends: on Wine every message that names an item checks the handle
// against all items, so the message count shows how an operation scales.
#include "TavTree.h"
#include <cstdio>
#include <random>
#include <vector>

namespace
{
UINT g_nTreeMessages = 0;

// Counts the tree-view messages that reach the tree; its own members send them through its window procedure.
class CCountingTree : public CTavTreeCtrl
{
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= TV_FIRST && message < TV_FIRST + 0x100)
            ++g_nTreeMessages;
        return CTavTreeCtrl::WindowProc(message, wParam, lParam);
    }
};

double Now()
{
    static LARGE_INTEGER s_frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(s_frequency.QuadPart);
}

// 100 roots, each with about the square root of its share as children and the rest as grandchildren
// spread over those children. IDs run from 1; parents come before their children.
struct ItemPlan
{
    long lID;
    long lParentID;   // 0 for a root
};

std::vector<ItemPlan> PlanTree(int nItems)
{
    std::vector<ItemPlan> vecPlan;
    const int nRoots = 100;
    const int nPerRoot = nItems / nRoots;
    int nChildren = 1;
    while ((nChildren + 1) * (nChildren + 1) <= nPerRoot - 1)
        ++nChildren;
    long lNextID = 1;
    for (int nRoot = 0; nRoot < nRoots; ++nRoot)
    {
        const long lRootID = lNextID++;
        vecPlan.push_back({ lRootID, 0 });
        std::vector<long> vecChildIDs;
        for (int i = 0; i < nChildren; ++i)
        {
            vecChildIDs.push_back(lNextID++);
            vecPlan.push_back({ vecChildIDs.back(), lRootID });
        }
        for (int i = 0; i < nPerRoot - 1 - nChildren; ++i)
            vecPlan.push_back({ lNextID++, vecChildIDs[i % nChildren] });
    }
    return vecPlan;
}

CString ItemText(long lID)
{
    wchar_t szText[32];
    swprintf(szText, 32, L"Item %ld", lID);
    return szText;
}

void BuildByHandle(CTavTreeCtrl& tree, const std::vector<ItemPlan>& vecPlan)
{
    std::vector<HTREEITEM> vecHandles(vecPlan.size() + 1);
    for (const ItemPlan& plan : vecPlan)
        vecHandles[plan.lID] = tree.InsertItem(plan.lParentID != 0 ? vecHandles[plan.lParentID] : nullptr,
                                               ItemText(plan.lID), plan.lID);
}

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

template <class Action>
double Timed(Action action, UINT* pMessages = nullptr)
{
    const UINT nBefore = g_nTreeMessages;
    const double dStart = Now();
    action();
    const double dSeconds = Now() - dStart;
    if (pMessages != nullptr)
        *pMessages = g_nTreeMessages - nBefore;
    return dSeconds;
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
