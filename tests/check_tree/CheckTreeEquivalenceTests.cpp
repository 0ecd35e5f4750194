// The check tree keeps track of possibly out-of-date items so that recalculations descend only there, and
// sets subtrees in one walk. Here a plain model runs every operation's steps one by one, as written: every
// child set is followed by a refresh of its parent, every refresh walks all children that have children,
// stopping at the first indeterminate or mixed child, every change goes on upward; deletes recalculate
// every root once when the outermost delete returns. After every random step both must agree.
#include "CheckTreeTestHost.h"
#include "Archive.h"
#include "File.h"
#include <memory>
#include <random>

namespace
{
const UINT kNone = 0xFFFFFFFF;

struct CModelItem
{
    std::wstring strLabel;      // the native label, as the platform sorts it
    bool bCheckData;            // carries a check item (else reads 0 and keeps nothing)
    bool bCanHaveChildren;
    UINT nState;
    CModelItem* pParent;
    std::vector<CModelItem*> vecChildren;
};

class CLiteralModel
{
public:
    std::vector<CModelItem*>& ChildrenOf(CModelItem* pParent) { return pParent != nullptr ? pParent->vecChildren : m_vecRoots; }

    CModelItem* Insert(CModelItem* pParent, const std::wstring& strLabel, bool bCheckData, bool bCanHaveChildren, UINT nState)
    {
        CModelItem* pItem = NewItem(strLabel, bCheckData, bCanHaveChildren, nState);
        pItem->pParent = pParent;
        ChildrenOf(pParent).push_back(pItem);
        return pItem;
    }

    static UINT Read(const CModelItem* pItem) { return pItem->bCheckData ? pItem->nState : 0; }

    void Calc(CModelItem* pItem)
    {
        if (pItem == nullptr || pItem->vecChildren.empty())
            return;
        UINT nRunning = kNone;
        UINT nResult = kNone;
        for (size_t i = 0; i < pItem->vecChildren.size(); ++i)
        {
            CModelItem* pChild = pItem->vecChildren[i];
            if (!pChild->vecChildren.empty())
                Calc(pChild);
            const UINT nState = Read(pChild);
            if (nState == 2 || (nState <= 1 && nRunning != kNone && nRunning != nState))
            {
                nResult = 2;
                break;
            }
            if (nState <= 1 && nRunning == kNone)
                nRunning = nState;
        }
        if (nResult == kNone)
            nResult = nRunning;
        if (nResult != kNone && pItem->bCheckData && nResult != pItem->nState)
            Set(pItem, nResult, false);
    }

    void Set(CModelItem* pItem, UINT nState, bool bCalcChildren)
    {
        if (pItem->bCheckData)
            pItem->nState = nState;
        if (bCalcChildren)
            for (size_t i = 0; i < pItem->vecChildren.size(); ++i)
                Set(pItem->vecChildren[i], nState, true);
        Calc(pItem->pParent);
    }

    void CalcAll()
    {
        for (size_t i = 0; i < m_vecRoots.size(); ++i)
            Calc(m_vecRoots[i]);
    }

    void Delete(CModelItem* pItem)
    {
        Unlink(pItem);
        CalcAll();
    }

    // The item alone (its children go with the old item) or with its subtree, child by child.
    void Move(CModelItem* pItem, CModelItem* pTarget, bool bWithChildren)
    {
        CModelItem* pOldParent = pItem->pParent;
        CModelItem* pLanding = Landing(pTarget);
        if (!IsIntoItself(pItem, pTarget))
        {
            const std::vector<CModelItem*> vecChildren = pItem->vecChildren;
            CModelItem* pNew = Transfer(pItem, pTarget);
            for (size_t i = 0; bWithChildren && i < vecChildren.size(); ++i)
                Move(vecChildren[i], pNew, true);
            Unlink(pItem);
        }
        AfterTransfer(pOldParent, pTarget, pLanding);
    }

    CModelItem* Copy(CModelItem* pItem, CModelItem* pTarget, bool bWithChildren)
    {
        CModelItem* pLanding = Landing(pTarget);
        CModelItem* pNew = nullptr;
        if (!IsIntoItself(pItem, pTarget))
        {
            const std::vector<CModelItem*> vecChildren = pItem->vecChildren;
            pNew = bWithChildren ? Copy(pItem, pTarget, false) : Transfer(pItem, pTarget);
            for (size_t i = 0; bWithChildren && pNew != nullptr && i < vecChildren.size(); ++i)
                Copy(vecChildren[i], pNew, true);
        }
        AfterTransfer(nullptr, pTarget, pLanding);
        return pNew;
    }

    // Every item, parents before children.
    std::vector<CModelItem*> Items()
    {
        std::vector<CModelItem*> vecItems;
        Collect(m_vecRoots, vecItems);
        return vecItems;
    }

    std::vector<CModelItem*> m_vecRoots;

private:
    CModelItem* NewItem(const std::wstring& strLabel, bool bCheckData, bool bCanHaveChildren, UINT nState)
    {
        m_vecStorage.push_back(std::make_unique<CModelItem>(CModelItem{ strLabel, bCheckData, bCanHaveChildren, nState, nullptr, {} }));
        return m_vecStorage.back().get();
    }

    static bool IsIntoItself(CModelItem* pItem, CModelItem* pTarget)
    {
        for (CModelItem* pUp = pTarget; pUp != nullptr; pUp = pUp->pParent)
            if (pUp == pItem)
                return true;
        return false;
    }

    static CModelItem* Landing(CModelItem* pTarget)
    {
        return pTarget != nullptr && !pTarget->bCanHaveChildren ? pTarget->pParent : pTarget;
    }

    void AfterTransfer(CModelItem* pOldParent, CModelItem* pTarget, CModelItem* pLanding)
    {
        Calc(pOldParent);
        Calc(pTarget);
        if (pLanding != pTarget)
            Calc(pLanding);
    }

    // A new item like the source: under a target that may have children in sorted place (after an equal
    // label), else right after the target.
    CModelItem* Transfer(CModelItem* pItem, CModelItem* pTarget)
    {
        CModelItem* pNew = NewItem(pItem->strLabel, pItem->bCheckData, pItem->bCanHaveChildren, pItem->nState);
        std::vector<CModelItem*>* pSiblings = nullptr;
        size_t nAt = 0;
        if (pTarget->bCanHaveChildren)
        {
            pNew->pParent = pTarget;
            pSiblings = &pTarget->vecChildren;
            for (nAt = 0; nAt < pSiblings->size(); ++nAt)
            {
                const int nCompare = pNew->strLabel.compare((*pSiblings)[nAt]->strLabel);
                if (nCompare <= 0)
                {
                    nAt += nCompare == 0 ? 1 : 0;
                    break;
                }
            }
        }
        else
        {
            pNew->pParent = pTarget->pParent;
            pSiblings = &ChildrenOf(pTarget->pParent);
            nAt = static_cast<size_t>(std::find(pSiblings->begin(), pSiblings->end(), pTarget) - pSiblings->begin()) + 1;
        }
        pSiblings->insert(pSiblings->begin() + static_cast<ptrdiff_t>(nAt), pNew);
        return pNew;
    }

    void Unlink(CModelItem* pItem)
    {
        std::vector<CModelItem*>& vecSiblings = ChildrenOf(pItem->pParent);
        vecSiblings.erase(std::find(vecSiblings.begin(), vecSiblings.end(), pItem));
    }

    static void Collect(const std::vector<CModelItem*>& vecLevel, std::vector<CModelItem*>& vecItems)
    {
        for (CModelItem* pItem : vecLevel)
        {
            vecItems.push_back(pItem);
            Collect(pItem->vecChildren, vecItems);
        }
    }

    std::vector<std::unique_ptr<CModelItem>> m_vecStorage;
};

class CheckTreeEquivalence : public CheckTreeTest
{
protected:
    // The model in the form of Outline().
    static std::string ModelOutline(const std::vector<CModelItem*>& vecItems)
    {
        std::string strOut;
        for (const CModelItem* pItem : vecItems)
        {
            if (!strOut.empty())
                strOut += " | ";
            for (const CModelItem* pUp = pItem->pParent; pUp != nullptr; pUp = pUp->pParent)
                strOut += "  ";
            for (wchar_t ch : pItem->strLabel.substr(6))
                strOut += static_cast<char>(ch);
            strOut += ":" + std::to_string(CLiteralModel::Read(pItem));
        }
        return strOut;
    }

    void SaveAndLoad()
    {
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            m_tree.Serialize(ar);
        }
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        m_tree.Serialize(ar);
    }
};
}

TEST_F(CheckTreeEquivalence, EveryStepLeavesTheStatesThatTheStepsRunOneByOneLeave)
{
    CLiteralModel model;
    std::mt19937 random(20261206);
    auto chance = [&](int nPercent) { return static_cast<int>(random() % 100) < nPercent; };
    auto pickState = [&]() -> UINT { return chance(8) ? 7u : static_cast<UINT>(random() % 3); };
    int nNextLabel = 1;
    for (int nSteps = 0; nSteps < 600; ++nSteps)
    {
        const std::vector<HTREEITEM> vecItems = AllItems();
        const std::vector<CModelItem*> vecModel = model.Items();
        ASSERT_EQ(vecItems.size(), vecModel.size()) << "step " << nSteps;
        const size_t nCount = vecItems.size();
        auto pick = [&](size_t& nIndex) {
            nIndex = random() % nCount;
            return nIndex;
        };
        // Between about 12 and 60 items: small trees grow, large ones lose a subtree.
        const int nKind = nCount < 12 ? 0 : nCount > 60 ? 80 : static_cast<int>(random() % 100);
        size_t i = 0;
        size_t j = 0;
        if (nKind < 22)
        {
            // An insertion, mostly through the check tree, sometimes through the base tree (no check item).
            const bool bRoot = nCount == 0 || chance(15);
            if (!bRoot)
                pick(i);
            const bool bCheckData = !chance(10);
            const bool bCanHaveChildren = !chance(20);
            const UINT nState = pickState();
            wchar_t szLabel[16];
            swprintf(szLabel, 16, L"      %c%04d", bCheckData ? L'n' : L'b', nNextLabel++);
            HTREEITEM hParent = bRoot ? nullptr : vecItems[i];
            if (bCheckData)
                m_tree.InsertItem(hParent, szLabel + 6, 0, bCanHaveChildren, -1, -1, 0, nState);
            else
                static_cast<CTavTreeCtrl&>(m_tree).InsertItem(hParent, szLabel, 0, bCanHaveChildren, -1, -1, 0,
                                                              RUNTIME_CLASS(CTavTreeItemData));
            model.Insert(bRoot ? nullptr : vecModel[i], szLabel, bCheckData, bCanHaveChildren, nState);
        }
        else if (nKind < 50)
        {
            const UINT nState = pickState();
            const bool bCalcChildren = chance(70);
            pick(i);
            m_tree.SetCheckState(vecItems[i], nState, bCalcChildren);
            model.Set(vecModel[i], nState, bCalcChildren);
        }
        else if (nKind < 58)
        {
            // A toggle, of a lone item or of a selection the toggled item may belong to.
            std::vector<size_t> vecSelected;
            if (chance(50))
                for (size_t k = 0; k < nCount; ++k)
                    if (chance(20))
                        vecSelected.push_back(k);
            for (size_t k : vecSelected)
                m_tree.SetItemState(vecItems[k], TVIS_SELECTED, TVIS_SELECTED);
            pick(i);
            const bool bSelected = std::find(vecSelected.begin(), vecSelected.end(), i) != vecSelected.end();
            EXPECT_EQ(bSelected, m_tree.ToggleSelectedItems(vecItems[i]) != FALSE);
            const UINT nNew = CLiteralModel::Read(vecModel[i]) == 1 ? 0 : 1;
            if (!bSelected)
                model.Set(vecModel[i], nNew, true);
            for (size_t k = 0; bSelected && k < vecSelected.size(); ++k)
            {
                bool bBelowSelected = false;
                for (CModelItem* pUp = vecModel[vecSelected[k]]->pParent; pUp != nullptr; pUp = pUp->pParent)
                    for (size_t m : vecSelected)
                        bBelowSelected = bBelowSelected || vecModel[m] == pUp;
                if (!bBelowSelected)
                    model.Set(vecModel[vecSelected[k]], nNew, true);
            }
            for (size_t k : vecSelected)
                m_tree.SetItemState(vecItems[k], 0, TVIS_SELECTED);
        }
        else if (nKind < 78)
        {
            pick(i);
            pick(j);
            switch (random() % 4)
            {
            case 0: m_tree.MoveItemWithChildren(vecItems[i], vecItems[j]); model.Move(vecModel[i], vecModel[j], true); break;
            case 1: m_tree.MoveItem(vecItems[i], vecItems[j]); model.Move(vecModel[i], vecModel[j], false); break;
            case 2: m_tree.CopyItemWithChildren(vecItems[i], vecItems[j]); model.Copy(vecModel[i], vecModel[j], true); break;
            default: m_tree.CopyItem(vecItems[i], vecItems[j]); model.Copy(vecModel[i], vecModel[j], false); break;
            }
        }
        else if (nKind < 92)
        {
            pick(i);
            if (chance(50))
                m_tree.DeleteItemWithChildren(vecItems[i]);
            else
                m_tree.DeleteItem(vecItems[i]);
            model.Delete(vecModel[i]);
        }
        else if (nKind < 96)
        {
            SaveAndLoad();
        }
        else
        {
            const UINT nState = chance(50) ? 1 : 0;
            if (nState == 1)
                m_tree.CheckAllItems();
            else
                m_tree.UncheckAllItems();
            for (size_t k = 0; k < model.m_vecRoots.size(); ++k)
                model.Set(model.m_vecRoots[k], nState, true);
        }
        ASSERT_EQ(ModelOutline(model.Items()), Outline()) << "after step " << nSteps << ", kind " << nKind;
    }
}
