#pragma once
// What the tree benchmarks share: a tree that counts the tree-view messages it receives (on Wine every
// message that names an item checks the handle against all items, so the count shows how an operation
// scales), a clock, and the plan of a tree of 100 roots and three levels.
#include "TavTree.h"
#include <cstdio>
#include <vector>

namespace bench
{
inline UINT g_nTreeMessages = 0;

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

inline double Now()
{
    static LARGE_INTEGER s_frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(s_frequency.QuadPart);
}

// Seconds an action takes, and the tree-view messages it sends.
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

// 100 roots, each with about the square root of its share as children and the rest as grandchildren
// spread over those children. IDs run from 1; parents come before their children.
struct ItemPlan
{
    long lID;
    long lParentID;   // 0 for a root
};

inline std::vector<ItemPlan> PlanTree(int nItems)
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

inline CString ItemText(long lID)
{
    wchar_t szText[32];
    swprintf(szText, 32, L"Item %ld", lID);
    return szText;
}

// The items' handles by ID.
inline std::vector<HTREEITEM> BuildByHandle(CTavTreeCtrl& tree, const std::vector<ItemPlan>& vecPlan)
{
    std::vector<HTREEITEM> vecHandles(vecPlan.size() + 1);
    for (const ItemPlan& plan : vecPlan)
        vecHandles[plan.lID] = tree.InsertItem(plan.lParentID != 0 ? vecHandles[plan.lParentID] : nullptr,
                                               ItemText(plan.lID), plan.lID);
    return vecHandles;
}
}
