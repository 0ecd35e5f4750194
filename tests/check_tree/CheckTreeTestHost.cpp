#include "CheckTreeTestHost.h"
#include "kit/TreeItems.h"

void CheckTreeTest::SetUp()
{
    ASSERT_TRUE(m_wndHost.Open(320, 400));
    ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                  TVS_SHOWSELALWAYS,
                              CRect(0, 0, 300, 360), &m_wndHost, 100));
}

void CheckTreeTest::TearDown()
{
    if (m_tree.m_hWnd != nullptr)
        m_tree.DestroyWindow();
    m_wndHost.DestroyWindow();
}

std::vector<HTREEITEM> CheckTreeTest::Build(const std::vector<const char*>& vecOutline)
{
    std::vector<HTREEITEM> vecItems;
    std::vector<HTREEITEM> vecParents;
    for (const char* pszEntry : vecOutline)
    {
        const std::string strEntry(pszEntry);
        const size_t nDepth = strEntry.find_first_not_of(' ') / 2;
        const size_t nColon = strEntry.rfind(':');
        std::string strText = strEntry.substr(nDepth * 2, nColon - nDepth * 2);
        const bool bCanHaveChildren = strText.back() != '!';
        if (!bCanHaveChildren)
            strText.pop_back();
        vecParents.resize(nDepth);
        HTREEITEM hItem = m_tree.InsertItem(nDepth != 0 ? vecParents.back() : nullptr, CString(strText.c_str()),
                                            static_cast<DWORD>(vecItems.size() + 1), bCanHaveChildren, -1, -1, 0,
                                            static_cast<UINT>(std::stoul(strEntry.substr(nColon + 1))));
        vecParents.push_back(hItem);
        vecItems.push_back(hItem);
    }
    for (HTREEITEM hItem : vecItems)
        m_tree.Expand(hItem, TVE_EXPAND);
    return vecItems;
}

static void AppendOutline(const CTestCheckTree& tree, HTREEITEM hFirst, int nDepth, std::string& strOut)
{
    for (HTREEITEM hItem = hFirst; hItem != nullptr; hItem = tree.GetNextSiblingItem(hItem))
    {
        if (!strOut.empty())
            strOut += " | ";
        strOut += std::string(static_cast<size_t>(nDepth) * 2, ' ');
        const CString strText = tree.GetItemText(hItem);
        for (int i = 0; i < strText.GetLength(); ++i)
            strOut += static_cast<char>(strText[i]);
        strOut += ":" + std::to_string(tree.GetCheckState(hItem));
        AppendOutline(tree, tree.GetChildItem(hItem), nDepth + 1, strOut);
    }
}

std::string CheckTreeTest::Outline() const
{
    std::string strOut;
    AppendOutline(m_tree, m_tree.GetRootItem(), 0, strOut);
    return strOut;
}

std::vector<HTREEITEM> CheckTreeTest::AllItems() const
{
    return kit::AllTreeItems(m_tree);
}

std::string CheckTreeTest::States(const std::vector<HTREEITEM>& vecItems) const
{
    std::string strStates;
    for (HTREEITEM hItem : vecItems)
        strStates += std::to_string(m_tree.GetCheckState(hItem));
    return strStates;
}
