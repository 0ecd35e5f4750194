#include "CheckTreeTestHost.h"
#include "Archive.h"
#include "DumpContext.h"
#include "File.h"
#include <functional>
#include <memory>

namespace
{
struct PropagationCase
{
    const char* pszName;
    std::vector<const char*> vecOutline;
    std::function<void(CTestCheckTree&, const std::vector<HTREEITEM>&)> action;
    const char* pszExpected;
};

std::vector<BYTE> Bytes(CMemFile& file)
{
    std::vector<BYTE> vecBytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(vecBytes.data(), static_cast<UINT>(vecBytes.size()));
    return vecBytes;
}

void Save(CTavTreeCtrl& tree, CMemFile& file)
{
    CArchive ar(&file, CArchive::store);
    tree.Serialize(ar);
}

void Load(CTavTreeCtrl& tree, CMemFile& file)
{
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    tree.Serialize(ar);
}
}

TEST_F(CheckTreeTest, StatesCombineUpwardAndPropagateDownward)
{
    using Items = const std::vector<HTREEITEM>&;
    const std::vector<const char*> vecFamily = { "G:0", "  A:0", "    B:0", "    C:0", "  D:0" };
    const PropagationCase cases[] = {
        { "one child checked makes the parents mixed", vecFamily,
          [](CTestCheckTree& t, Items h) { t.SetCheckState(h[2], 1, TRUE); },
          "G:2 |   A:2 |     B:1 |     C:0 |   D:0" },
        { "the second child checked makes the parent checked", vecFamily,
          [](CTestCheckTree& t, Items h) { t.SetCheckState(h[2], 1, TRUE); t.SetCheckState(h[3], 1, TRUE); },
          "G:2 |   A:1 |     B:1 |     C:1 |   D:0" },
        { "a parent set checks its whole subtree", vecFamily,
          [](CTestCheckTree& t, Items h) { t.SetCheckState(h[0], 1, TRUE); },
          "G:1 |   A:1 |     B:1 |     C:1 |   D:1" },
        { "toggling an indeterminate item checks its subtree", { "A:2", "  B:1", "  C:0" },
          [](CTestCheckTree& t, Items h) { EXPECT_FALSE(t.ToggleSelectedItems(h[0])); },
          "A:1 |   B:1 |   C:1" },
        { "toggling a checked item unchecks its subtree", { "A:1", "  B:1", "  C:1" },
          [](CTestCheckTree& t, Items h) { t.ToggleSelectedItems(h[0]); },
          "A:0 |   B:0 |   C:0" },
        { "an insertion recalculates nothing", { "P:0", "  a:0" },
          [](CTestCheckTree& t, Items h) { t.InsertItem(h[0], L"b", 9, TRUE, -1, -1, 0, 1); },
          "P:0 |   a:0 |   b:1" },
        { "deleting the only checked child unchecks the parent", { "P:2", "  a:1", "  b:0", "  c:0" },
          [](CTestCheckTree& t, Items h) { t.DeleteItem(h[1]); },
          "P:0 |   b:0 |   c:0" },
        { "deleting the last child leaves the parent's state", { "P:1", "  a:1", "    x:1" },
          [](CTestCheckTree& t, Items h) { t.DeleteItemWithChildren(h[1]); },
          "P:1" },
        { "moving a checked item out unchecks the old parent, mixes the new", { "P:2", "  a:1", "  b:0", "Q:0", "  q:0" },
          [](CTestCheckTree& t, Items h) { t.MoveItemWithChildren(h[1], h[3]); },
          "P:0 |   b:0 | Q:2 |   a:1 |   q:0" },
        { "an item moved onto a leaf lands under the leaf's parent, which is recalculated",
          { "P:0", "  leaf!:0", "X:1" },
          [](CTestCheckTree& t, Items h) { t.MoveItemWithChildren(h[2], h[1]); },
          "P:2 |   leaf:0 |   X:1" },
        { "a copy onto a leaf recalculates the leaf's parent", { "P:0", "  leaf!:0", "X:1" },
          [](CTestCheckTree& t, Items h) { t.CopyItem(h[2], h[1]); },
          "P:2 |   leaf:0 |   X:1 | X:1" },
        { "CheckAllItems reaches every root", { "A:0", "  a:0", "B:2", "  b:1", "  c:0" },
          [](CTestCheckTree& t, Items) { t.CheckAllItems(); },
          "A:1 |   a:1 | B:1 |   b:1 |   c:1" },
        { "a state set without its children on a root lasts until a recalculation", { "R:0", "  a:0", "S:0", "  s:0" },
          [](CTestCheckTree& t, Items h) {
              t.SetCheckState(h[0], 1, FALSE);
              t.SetCheckState(h[3], 1, TRUE);
              EXPECT_EQ(1u, t.GetCheckState(h[0]));
              t.CalcAllCheckStates();
          },
          "R:0 |   a:0 | S:1 |   s:1" },
        { "other values take no part in the combination", { "P:1", "  a:7", "  b:1", "Q:1", "  q:7" },
          [](CTestCheckTree& t, Items h) {
              t.SetCheckState(h[2], 0, TRUE);
              t.SetCheckState(h[4], 7, FALSE);
          },
          "P:0 |   a:7 |   b:0 | Q:1 |   q:7" },
        // A and Z are out of date. Step by step, A passes through indeterminate while its children are set,
        // which makes P pass through it, which recalculates GP twice: the second time reaches Z.
        { "a subtree set where items are out of date reaches them as the steps do",
          { "GP:2", "  P:1", "    A:1", "      c1:0", "      c2:0", "  Z:0", "    z:1" },
          [](CTestCheckTree& t, Items h) { t.SetCheckState(h[2], 1, TRUE); },
          "GP:1 |   P:1 |     A:1 |       c1:1 |       c2:1 |   Z:1 |     z:1" },
        { "toggling another value checks", { "a:7" },
          [](CTestCheckTree& t, Items h) { t.ToggleSelectedItems(h[0]); },
          "a:1" },
    };
    for (const PropagationCase& testCase : cases)
    {
        SCOPED_TRACE(testCase.pszName);
        m_tree.DeleteAllItems();
        testCase.action(m_tree, Build(testCase.vecOutline));
        EXPECT_EQ(testCase.pszExpected, Outline());
    }
}

TEST_F(CheckTreeTest, LabelsCarryRoomForTheBoxThatOnlyTheCheckTreeHides)
{
    HTREEITEM hItem = m_tree.InsertItem(L"  two blanks", 5, 0);
    EXPECT_EQ(L"two blanks", m_tree.GetItemText(hItem));
    EXPECT_EQ(L"        two blanks", m_tree.GetText(5));
    m_tree.SetItemText(hItem, L"renamed");
    EXPECT_EQ(L"      renamed", static_cast<CTavTreeCtrl&>(m_tree).GetItemText(hItem));
    // Editing labels in place stays off: the owner-drawn labels have no editor.
    m_tree.AllowLabelEditing();
    EXPECT_EQ(0u, m_tree.GetStyle() & TVS_EDITLABELS);
    EXPECT_EQ(DWORD(TVS_NOTOOLTIPS), m_tree.GetStyle() & TVS_NOTOOLTIPS);
}

TEST_F(CheckTreeTest, ItemsWithoutCheckDataReadUncheckedAndStillTakePart)
{
    // Items of the base tree: no check item, but children and parents of check items.
    const std::vector<HTREEITEM> h = Build({ "P:0", "  a:0" });
    CTavTreeCtrl& base = m_tree;
    HTREEITEM hPlain = base.InsertItem(h[0], L"plain", 50, TRUE);
    HTREEITEM hBelow = m_tree.InsertItem(hPlain, L"below", 51, TRUE, -1, -1, 0, 0);
    m_tree.SetCheckState(hPlain, 1, TRUE);
    EXPECT_EQ(0u, m_tree.GetCheckState(hPlain));
    EXPECT_EQ(1u, m_tree.GetCheckState(hBelow)) << "the subtree below a plain item takes the state";
    m_tree.SetCheckState(h[1], 1, TRUE);
    EXPECT_EQ(2u, m_tree.GetCheckState(h[0])) << "a plain item reads as unchecked";

    // No item, unknown IDs: nothing changes.
    const std::string strBefore = Outline();
    m_tree.SetCheckState(static_cast<HTREEITEM>(nullptr), 1, TRUE);
    m_tree.SetCheckState(999L, 0);
    m_tree.CalcChildrenCheckState(nullptr, 0);
    EXPECT_FALSE(m_tree.ToggleSelectedItems(nullptr));
    EXPECT_EQ(0u, m_tree.GetCheckState(999L));
    EXPECT_EQ(strBefore, Outline());

    // A plain archive loads into the check tree: its items read unchecked and keep nothing.
    CTavTreeCtrl plainTree;
    ASSERT_TRUE(plainTree.Create(WS_CHILD, CRect(0, 0, 100, 100), &m_wndHost, 101));
    plainTree.InsertItem(plainTree.InsertItem(L"root", 1, 0), L"leaf", 2, FALSE);
    CMemFile file;
    Save(plainTree, file);
    Load(m_tree, file);
    m_tree.SetCheckState(2L, 1);
    EXPECT_EQ("root:0 |   leaf:0", Outline());
}

TEST_F(CheckTreeTest, PlainModeKeepsNoStates)
{
    m_tree.SetCreateDataObjects(FALSE);
    const std::vector<HTREEITEM> h = Build({ "P:1", "  a:2" });
    m_tree.SetCheckState(h[1], 1, TRUE);
    m_tree.CheckAllItems();
    EXPECT_EQ("P:0 |   a:0", Outline());
    EXPECT_EQ(h[1], m_tree.FindItem(2));
}

TEST_F(CheckTreeTest, StatesAreSavedAsStoredAndLoadedWithoutRecalculation)
{
    // The insertion left the parent out of date; the archive keeps that, and loading changes nothing.
    Build({ "P:0", "  a:1", "  b:7", "Q:2" });
    CMemFile file;
    Save(m_tree, file);
    m_tree.UncheckAllItems();
    Load(m_tree, file);
    EXPECT_EQ("P:0 |   a:1 |   b:7 | Q:2", Outline());
}

TEST_F(CheckTreeTest, OneCheckItemRecordByteForByteAndItsDump)
{
    m_tree.SetImageList(nullptr, TVSIL_NORMAL);
    m_tree.InsertItem(L"x", 7, 0, TRUE, -1, -1, 0, 2);
    CMemFile file;
    Save(m_tree, file);
    std::vector<BYTE> vecExpected = { 0, 0, 0, 0,   // no image list
                                      1, 0, 0, 0,   // the item's key
                                      0xFF, 0xFE, 0xFF, 7 };
    for (wchar_t ch : std::wstring(L"      x"))
        vecExpected.insert(vecExpected.end(), { BYTE(ch), 0 });
    const std::vector<BYTE> vecRest = {
        0, 0, 0, 0, 0, 0, 0, 0,   // image, selected image
        1, 0, 0, 0,               // object flag
        0xFF, 0xFF, 0, 0, 13, 0, 'C', 'T', 'a', 'v', 'C', 'h', 'e', 'c', 'k', 'I', 't', 'e', 'm',
        7, 0, 0, 0, 1, 0, 0, 0,   // ID, children allowed
        0, 0,                     // no host object
        0, 0, 0, 0,               // not owned
        2, 0, 0, 0,               // state
        0, 0, 0, 0, 0, 0, 0, 0,   // parent key, state bits
        0, 0, 0, 0 };             // end marker
    vecExpected.insert(vecExpected.end(), vecRest.begin(), vecRest.end());
    EXPECT_EQ(vecExpected, Bytes(file));

    CTavCheckItem item;
    item.m_lItemID = 7;
    item.m_bCanHaveChildren = TRUE;
    item.m_nState = 2;
    CString strDump;
    CDumpContext dc(&strDump);
    item.Dump(dc);
    EXPECT_EQ(L"\tItemID:          7\n\tCanHaveChildren: 1\n\tObject:          NULL\tDeleteObject:    0\n\tState :   2\n",
              strDump);

    // A copy carries ID, flag and state but never the host object.
    item.m_pObject = new CTavCheckItem;
    item.m_bDeleteObject = TRUE;
    std::unique_ptr<CTavTreeItemData> pCopy(item.Copy());
    const CTavCheckItem* pCheckCopy = DYNAMIC_DOWNCAST(CTavCheckItem, pCopy.get());
    ASSERT_NE(nullptr, pCheckCopy);
    EXPECT_EQ(7, pCheckCopy->m_lItemID);
    EXPECT_TRUE(pCheckCopy->m_bCanHaveChildren);
    EXPECT_EQ(2u, pCheckCopy->m_nState);
    EXPECT_EQ(nullptr, pCheckCopy->m_pObject);
    EXPECT_FALSE(pCheckCopy->m_bDeleteObject);
}
