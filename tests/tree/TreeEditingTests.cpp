// Label editing, listeners and double clicks, driven by keys and mouse clicks through the host's pump.
#include "TreeTestHost.h"
#include "kit/Input.h"
#include "kit/Pump.h"
#include <functional>
#include <string>

namespace
{
// Writes what it hears into a shared log and answers as it is told.
class CRecordingListener : public CTavTreeActionListener
{
public:
    CRecordingListener(std::vector<std::wstring>& vecLog, LPCWSTR lpszName) : m_vecLog(vecLog), m_strName(lpszName) {}

    bool OnItemDoubleClick(HTREEITEM hItem) override
    {
        Record(L"double click", hItem);
        return m_bAllowToggle;
    }
    void OnSelectionChanged() override { m_vecLog.push_back(m_strName + L": selection"); }
    int OnRenameItem(HTREEITEM hItem, const CString& strText) override
    {
        Record(L"rename to " + std::wstring(static_cast<LPCWSTR>(strText)), hItem);
        return m_bAllowRename ? 1 : 0;
    }
    void OnBeginLabelEdit(HTREEITEM hItem) override { Record(L"begin edit", hItem); }
    void OnItemExpanded(HTREEITEM hItem) override { Record(L"expand", hItem); }

    bool m_bAllowToggle = true;
    bool m_bAllowRename = true;
    HTREEITEM m_hLastItem = nullptr;

private:
    void Record(const std::wstring& strWhat, HTREEITEM hItem)
    {
        m_vecLog.push_back(m_strName + L": " + strWhat);
        m_hLastItem = hItem;
    }

    std::vector<std::wstring>& m_vecLog;
    std::wstring m_strName;
};
}

class TreeEditing : public TreeTest
{
protected:
    void SetUp() override
    {
        m_tree.AllowLabelEditing();
        TreeTest::SetUp();
        m_hParent = m_tree.InsertItem(L"Parent", 1, 0);
        m_tree.InsertItem(L"Child", 2, 1);
        m_hOther = m_tree.InsertItem(L"Other", 3, 0);
        m_tree.AddActionListener(&m_first);
        m_tree.AddActionListener(&m_second);
        m_tree.SelectItem(m_hOther);
        m_tree.SetFocus();
        kit::PumpUntilIdle();
        m_vecLog.clear();
    }

    bool IsEditing() const { return m_tree.GetEditControlHandle() != nullptr; }
    bool WaitForEdit() { return kit::PumpUntil([this] { return IsEditing(); }, 3000); }
    // Selects the item and asks for an edit of its label the way a user does.
    bool StartEditWithF2(HTREEITEM hItem)
    {
        m_tree.SelectItem(hItem);
        kit::PressKey(VK_F2);
        return WaitForEdit();
    }
    CPoint LabelCentre(HTREEITEM hItem) const
    {
        CRect rect;
        m_tree.GetItemRect(hItem, &rect, TRUE);
        return rect.CenterPoint();
    }
    // The expand button lies left of the label on the item's row.
    CPoint ExpandButton(HTREEITEM hItem) const
    {
        const CPoint ptLabel = LabelCentre(hItem);
        for (int x = 0; x < ptLabel.x; ++x)
        {
            UINT nFlags = 0;
            if (m_tree.HitTest(CPoint(x, ptLabel.y), &nFlags) == hItem && (nFlags & TVHT_ONITEMBUTTON))
                return CPoint(x, ptLabel.y);
        }
        ADD_FAILURE() << "no expand button found";
        return CPoint(0, 0);
    }
    bool IsExpanded(HTREEITEM hItem) const { return m_tree.GetItemState(hItem, TVIS_EXPANDED) != 0; }

    // The log entries that contain the given words.
    std::vector<std::wstring> Entries(LPCWSTR lpszWords) const
    {
        std::vector<std::wstring> vecEntries;
        for (const std::wstring& strEntry : m_vecLog)
            if (strEntry.find(lpszWords) != std::wstring::npos)
                vecEntries.push_back(strEntry);
        return vecEntries;
    }

    std::vector<std::wstring> m_vecLog;
    CRecordingListener m_first{ m_vecLog, L"first" };
    CRecordingListener m_second{ m_vecLog, L"second" };
    HTREEITEM m_hParent = nullptr;
    HTREEITEM m_hOther = nullptr;
};

TEST_F(TreeEditing, F2OrAClickOnTheCaretsLabelStartsAnEditThatItsLastKeyEnds)
{
    const struct
    {
        LPCWSTR lpszCase;
        bool bStartByClick;
        bool bFirstVetoes;
        UINT nEndKey;   // 0: the platform cancels the edit
        LPCWSTR lpszTyped;
        LPCWSTR lpszResult;
        size_t nListenersAsked;
    } cases[] = {
        { L"Enter renames through the listeners", false, false, VK_RETURN, L"Renamed", L"Renamed", 2 },
        { L"Escape keeps the text and asks no listener", false, false, VK_ESCAPE, L"Dropped", L"Renamed", 0 },
        { L"the next edit starts afresh", false, false, VK_RETURN, L"Kept", L"Kept", 2 },
        { L"a veto keeps the text and stops later listeners", false, true, VK_RETURN, L"Vetoed", L"Kept", 1 },
        { L"Down ends the edit with its text", false, false, VK_DOWN, L"Down", L"Down", 2 },
        { L"Up ends the edit with its text", false, false, VK_UP, L"Up", L"Up", 2 },
        { L"an edit the platform cancels renames nothing", false, false, 0, L"Cancelled", L"Up", 0 },
        { L"a click on the caret's label", true, false, VK_RETURN, L"Clicked", L"Clicked", 2 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.lpszCase);
        m_first.m_bAllowRename = !c.bFirstVetoes;
        m_tree.SelectItem(m_hOther);
        m_vecLog.clear();
        if (c.bStartByClick)
            kit::Click(&m_tree, LabelCentre(m_hOther));
        else
            kit::PressKey(VK_F2);
        ASSERT_TRUE(WaitForEdit());
        // A click also announces the selection it made, though the caret stays.
        std::vector<std::wstring> vecExpected = { L"first: begin edit", L"second: begin edit" };
        if (c.bStartByClick)
            vecExpected.insert(vecExpected.begin(), { L"first: selection", L"second: selection" });
        EXPECT_EQ(vecExpected, m_vecLog);
        EXPECT_EQ(m_hOther, m_first.m_hLastItem);
        m_vecLog.clear();

        kit::TypeText(c.lpszTyped);
        if (c.nEndKey != 0)
            kit::PressKey(c.nEndKey);
        else
            m_tree.EndEditLabelNow(TRUE);
        kit::PumpUntilIdle();
        EXPECT_FALSE(IsEditing());
        EXPECT_EQ(c.lpszResult, m_tree.GetItemText(m_hOther));
        EXPECT_EQ(c.lpszResult, m_tree.GetText(3));
        const std::wstring strRename = std::wstring(L": rename to ") + c.lpszTyped;
        std::vector<std::wstring> vecAsked = { L"first" + strRename, L"second" + strRename };
        vecAsked.resize(c.nListenersAsked);
        EXPECT_EQ(vecAsked, Entries(L"rename"));
        if (c.nEndKey == VK_RETURN)
        {
            EXPECT_EQ(UINT(TVIS_SELECTED), m_tree.GetItemState(m_hOther, TVIS_SELECTED)) << "Enter keeps it selected";
        }
    }
}

TEST_F(TreeEditing, DeletingTheEditedItemOrItsParentEndsTheEditUnheard)
{
    // Left open, the edit would later offer what was typed for an item that no longer exists.
    HTREEITEM hChild = m_tree.GetChildItem(m_hParent);
    for (const auto& deleted : { std::make_pair(m_hOther, m_hOther), std::make_pair(hChild, m_hParent) })
    {
        ASSERT_TRUE(StartEditWithF2(deleted.first));
        kit::TypeText(L"Lost");
        m_vecLog.clear();
        m_tree.DeleteItem(deleted.second);
        kit::PumpUntilIdle();
        EXPECT_FALSE(IsEditing());
        EXPECT_TRUE(m_vecLog.empty());
    }
    HTREEITEM hNew = m_tree.InsertItem(L"New", 4, 0);
    ASSERT_TRUE(StartEditWithF2(hNew));
    kit::TypeText(L"Renamed");
    kit::PressKey(VK_RETURN);
    kit::PumpUntilIdle();
    EXPECT_EQ(L"Renamed", m_tree.GetItemText(hNew));
}

TEST_F(TreeEditing, ARefusedItemNeverShowsTheEditBox)
{
    m_tree.m_bCanRename = FALSE;
    kit::PressKey(VK_F2);
    EXPECT_FALSE(IsEditing());
    m_tree.EditLabel(m_hOther);
    kit::PumpUntilIdle();
    EXPECT_FALSE(IsEditing());
    EXPECT_TRUE(m_vecLog.empty());
}

TEST_F(TreeEditing, DoubleClickOnALabelAsksEveryListenerAndAVetoStopsTheToggle)
{
    m_first.m_bAllowToggle = false;
    kit::DoubleClick(&m_tree, LabelCentre(m_hParent));
    kit::PumpFor(50);
    EXPECT_FALSE(IsExpanded(m_hParent));
    EXPECT_EQ(m_hParent, m_second.m_hLastItem);
    EXPECT_EQ((std::vector<std::wstring>{ L"first: double click", L"second: double click" }), Entries(L"double click"));

    m_first.m_bAllowToggle = true;
    m_vecLog.clear();
    kit::DoubleClick(&m_tree, LabelCentre(m_hParent));
    kit::PumpFor(50);
    EXPECT_TRUE(IsExpanded(m_hParent));
    // No press is under way, so the listeners hear the item the platform names.
    EXPECT_EQ((std::vector<std::wstring>{ L"first: expand", L"second: expand" }), Entries(L"expand"));
    EXPECT_EQ(m_hParent, m_second.m_hLastItem);
}

TEST_F(TreeEditing, DoubleClickOnAnExpandButtonTogglesWithoutAskingListeners)
{
    m_first.m_bAllowToggle = false;
    m_second.m_bAllowToggle = false;
    const CPoint ptButton = ExpandButton(m_hParent);
    kit::MousePress(&m_tree, ptButton);
    kit::MouseRelease(&m_tree, ptButton);
    EXPECT_TRUE(IsExpanded(m_hParent));
    // Listeners hear the expansion of the pressed item.
    EXPECT_EQ((std::vector<std::wstring>{ L"first: expand", L"second: expand" }), m_vecLog);
    EXPECT_EQ(m_hParent, m_first.m_hLastItem);
    m_vecLog.clear();

    // The second press of a double click arrives as WM_LBUTTONDBLCLK and toggles back.
    kit::DoubleClick(&m_tree, ptButton);
    EXPECT_TRUE(Entries(L"double click").empty());
    EXPECT_TRUE(IsExpanded(m_hParent));
}

TEST_F(TreeEditing, DeletesDoNotAnnounceTheCaretMovingOnButSelectingDoes)
{
    m_tree.SelectItem(m_hParent);
    EXPECT_EQ((std::vector<std::wstring>{ L"first: selection", L"second: selection" }), m_vecLog);
    HTREEITEM hAgain = m_tree.InsertItem(L"Again", 4, 0);
    // Each delete removes the selected item, so the platform moves the caret on.
    const std::pair<HTREEITEM, std::function<void()>> deletes[] = {
        { m_hParent, [&] { m_tree.DeleteItem(m_hParent); } },
        { m_hOther, [&] { m_tree.DeleteItemWithChildren(3L); } },
        { hAgain, [&] { m_tree.DeleteAllItems(); } },
    };
    for (size_t i = 0; i < std::size(deletes); ++i)
    {
        SCOPED_TRACE(i);
        m_tree.SelectItem(deletes[i].first);
        m_vecLog.clear();
        deletes[i].second();
        EXPECT_TRUE(m_vecLog.empty());
    }
    EXPECT_EQ(0u, m_tree.GetCount());
}

TEST_F(TreeEditing, SelectionChangesByProgramCanBeKeptFromTheListeners)
{
    m_tree.ReceiveOnSelChangedByMouseAndKeyboardOnly(TRUE);
    m_tree.SelectItem(m_hParent);
    EXPECT_TRUE(m_vecLog.empty());
    kit::PressKey(VK_DOWN);
    EXPECT_EQ(m_hOther, m_tree.GetSelectedItem());
    EXPECT_EQ((std::vector<std::wstring>{ L"first: selection", L"second: selection" }), m_vecLog);
}
