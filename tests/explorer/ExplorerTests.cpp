// The explorer driven as a user drives it: keys and clicks through the thread's queue, files on a real
// folder, the results read back from the disk, the pages and the tree.
#include "ExplorerWindow.h"
#include "FileBytes.h"

#include "kit/Input.h"
#include "kit/Pump.h"

#include <gtest/gtest.h>

#include <random>

namespace
{
// Answers the explorer's questions as the test says and counts them.
class CScriptedPrompts : public CExplorerWindow::CPrompts
{
public:
    bool ConfirmOverwrite(const std::wstring&) override { ++m_nOverwriteAsked; return m_bOverwrite; }
    int AskSaveBeforeClose(const std::wstring&) override { ++m_nCloseAsked; return m_nCloseAnswer; }
    void ReportSaveFailure(const std::wstring&) override { ++m_nFailures; }

    bool m_bOverwrite = false;
    int m_nCloseAnswer = IDCANCEL;
    int m_nOverwriteAsked = 0, m_nCloseAsked = 0, m_nFailures = 0;
};

std::string Read(const std::wstring& path)
{
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(path, bytes));
    return bytes;
}

class ExplorerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        wchar_t szTemp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, szTemp);
        m_folder = std::wstring(szTemp) + L"tav-explorer-" + std::to_wstring(::GetCurrentProcessId());
        ::CreateDirectoryW(m_folder.c_str(), nullptr);
        ::CreateDirectoryW((m_folder + L"\\src").c_str(), nullptr);
        Write(L"src\\main.cpp", "int main()\r\n{\r\n    return 0;\r\n}\r\n");
        Write(L"src\\data.bin", std::string("MZ\0\0\x90\x01", 6));
        Write(L"notes.txt", "first line\nsecond line\n");
        m_state = m_folder + L".tree";
    }

    void TearDown() override
    {
        m_pExplorer.reset();
        for (const wchar_t* pszFile : { L"src\\main.cpp", L"src\\data.bin", L"notes.txt" })
            ::DeleteFileW(Path(pszFile).c_str());
        ::RemoveDirectoryW(Path(L"src").c_str());
        ::RemoveDirectoryW(m_folder.c_str());
        ::DeleteFileW(m_state.c_str());
    }

    std::wstring Path(const std::wstring& name) const { return m_folder + L"\\" + name; }
    void Write(const std::wstring& name, const std::string& bytes) { ASSERT_TRUE(ReplaceFileBytes(Path(name), bytes)); }

    void Open()
    {
        m_pExplorer = std::make_unique<CExplorerWindow>(m_state, &m_prompts);
        ASSERT_TRUE(m_pExplorer->CreateExplorer(m_folder, CRect(0, 0, 900, 600), WS_POPUP | WS_VISIBLE));
        m_pExplorer->SetForegroundWindow();
        kit::PumpUntilIdle();
    }

    // A click on the item's label, then a key, as a user selects an item and acts on it.
    void ClickThenPress(HTREEITEM hItem, UINT nKey)
    {
        CFolderTree& tree = m_pExplorer->GetTree();
        CRect rect;
        ASSERT_TRUE(tree.GetItemRect(hItem, &rect, TRUE));
        kit::ClickWithQueuedRelease(&tree, rect.CenterPoint());
        ASSERT_EQ(tree.GetSelectedItem(), hItem);
        kit::PressKey(nKey);
    }

    HTREEITEM Item(const wchar_t* pszName) { return m_pExplorer->GetTree().FindPath(Path(pszName)); }

    CEditorPage& ActivePage()
    {
        CEditorPage* pPage = m_pExplorer->GetActiveEditorPage();
        EXPECT_NE(pPage, nullptr);
        return *pPage;
    }
    CString ActiveCaption() { return m_pExplorer->GetTabs().GetPageCaption(m_pExplorer->GetTabs().GetActivePage()); }

    std::wstring m_folder, m_state;
    CScriptedPrompts m_prompts;
    std::unique_ptr<CExplorerWindow> m_pExplorer;
};

TEST_F(ExplorerTest, ExpandOpenTypeSaveAndReopenWritesExactlyWhatWasTyped)
{
    Open();
    CFolderTree& tree = m_pExplorer->GetTree();
    HTREEITEM hSrc = tree.GetChildItem(tree.GetRootItem());
    ASSERT_EQ(tree.GetItemText(hSrc), CString(L"src"));
    ClickThenPress(hSrc, VK_RIGHT);
    ASSERT_NE(tree.GetChildItem(hSrc), nullptr);
    EXPECT_EQ(tree.GetItemText(tree.GetChildItem(hSrc)), CString(L"data.bin"));   // folders, then files by name

    ClickThenPress(Item(L"src\\main.cpp"), VK_RETURN);
    ASSERT_EQ(m_pExplorer->GetTabs().GetPageCount(), 1);
    EXPECT_EQ(ActiveCaption(), CString(L"main.cpp"));
    ASSERT_EQ(::GetFocus(), ActivePage().GetEdit().m_hWnd);

    kit::TypeText(L"// hi");
    kit::PressKey(VK_RETURN);
    EXPECT_EQ(ActiveCaption(), CString(L"main.cpp *"));
    kit::PressKey('S', kit::Ctrl);
    EXPECT_EQ(ActiveCaption(), CString(L"main.cpp"));
    EXPECT_EQ(Read(Path(L"src\\main.cpp")), "// hi\r\nint main()\r\n{\r\n    return 0;\r\n}\r\n");
    EXPECT_EQ(Read(Path(L"notes.txt")), "first line\nsecond line\n");

    kit::PressKey('W', kit::Ctrl);
    ASSERT_EQ(m_pExplorer->GetTabs().GetPageCount(), 0);
    EXPECT_EQ(m_prompts.m_nCloseAsked, 0);
    ClickThenPress(Item(L"src\\main.cpp"), VK_RETURN);
    EXPECT_EQ(ActivePage().GetEdit().GetText(0, static_cast<UINT>(-1)),
              CString(L"// hi\rint main()\r{\r    return 0;\r}\r"));
}

TEST_F(ExplorerTest, FilesThatAreNotTextOpenReadOnlyWithANotice)
{
    Write(L"bad-utf8.txt", "caf\xE9\n");
    Write(L"mixed.txt", "one\r\ntwo\nthree\r\n");
    Open();
    for (const wchar_t* pszName : { L"src\\data.bin", L"bad-utf8.txt", L"mixed.txt" })
    {
        SCOPED_TRACE(::testing::Message() << pszName);
        CEditorPage* pPage = m_pExplorer->OpenFile(Path(pszName));
        ASSERT_NE(pPage, nullptr);
        EXPECT_FALSE(pPage->GetFile().IsEditable());
        EXPECT_NE(pPage->GetEdit().GetStyle() & ES_READONLY, 0u);
        CString strNotice;
        pPage->GetDlgItemText(CEditorPage::IDC_NOTICE, strNotice);
        EXPECT_EQ(strNotice, pPage->GetFile().GetNotice());
        kit::TypeText(L"x");
        kit::PressKey('S', kit::Ctrl);
        EXPECT_FALSE(pPage->IsModified());
    }
    EXPECT_EQ(Read(Path(L"src\\data.bin")), std::string("MZ\0\0\x90\x01", 6));
    EXPECT_EQ(Read(Path(L"mixed.txt")), "one\r\ntwo\nthree\r\n");
    ::DeleteFileW(Path(L"bad-utf8.txt").c_str());
    ::DeleteFileW(Path(L"mixed.txt").c_str());
}

TEST_F(ExplorerTest, AFileChangedOnDiskIsOverwrittenOnlyWhenTheUserSaysSo)
{
    Open();
    ClickThenPress(Item(L"notes.txt"), VK_RETURN);
    kit::PressKey(VK_END, kit::Ctrl);
    kit::TypeText(L"mine");
    Write(L"notes.txt", "theirs\n");

    kit::PressKey('S', kit::Ctrl);
    EXPECT_EQ(m_prompts.m_nOverwriteAsked, 1);
    EXPECT_EQ(Read(Path(L"notes.txt")), "theirs\n");
    EXPECT_TRUE(ActivePage().IsModified());

    m_prompts.m_bOverwrite = true;
    kit::PressKey('S', kit::Ctrl);
    EXPECT_EQ(m_prompts.m_nOverwriteAsked, 2);
    EXPECT_EQ(Read(Path(L"notes.txt")), "first line\nsecond line\nmine");
    // Written by the explorer itself, so the next save asks nothing.
    kit::TypeText(L"!");
    kit::PressKey('S', kit::Ctrl);
    EXPECT_EQ(m_prompts.m_nOverwriteAsked, 2);
    EXPECT_EQ(Read(Path(L"notes.txt")), "first line\nsecond line\nmine!");
}

TEST_F(ExplorerTest, ClosingAsksAboutUnsavedPagesAndTheTreeRemembersExpandedFolders)
{
    Open();
    m_pExplorer->GetTree().ExpandFolder(Item(L"src"));
    m_pExplorer->OpenFile(Path(L"notes.txt"));
    kit::TypeText(L"x");

    m_prompts.m_nCloseAnswer = IDCANCEL;
    m_pExplorer->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(m_pExplorer->m_hWnd));
    m_prompts.m_nCloseAnswer = IDNO;
    m_pExplorer->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(m_pExplorer->m_hWnd));
    EXPECT_EQ(m_prompts.m_nCloseAsked, 2);
    EXPECT_EQ(Read(Path(L"notes.txt")), "first line\nsecond line\n");

    Open();
    CFolderTree& tree = m_pExplorer->GetTree();
    HTREEITEM hSrc = tree.GetChildItem(tree.GetRootItem());
    EXPECT_NE(tree.GetItemState(hSrc, TVIS_EXPANDED) & TVIS_EXPANDED, 0u);
    EXPECT_EQ(tree.GetItemText(tree.GetChildItem(hSrc)), CString(L"data.bin"));
}

// Line breaks and byte-order marks come back exactly as they were; what is not one-kind UTF-8 text is not
// editable.
TEST(SourceFileTest, SavingUnchangedTextReproducesTheFile)
{
    const struct
    {
        std::string bytes;
        CSourceFile::EState eState;
    } cases[] = {
        { "a\r\nb\r\n", CSourceFile::eText },          { "a\nb", CSourceFile::eText },
        { "a\rb\r", CSourceFile::eText },              { "\xEF\xBB\xBFz\xC3\xA9\n", CSourceFile::eText },
        { "", CSourceFile::eText },                    { std::string("a\0b", 3), CSourceFile::eNotText },
        { "\xC3(", CSourceFile::eNotText },            { "a\r\nb\n", CSourceFile::eMixedLines },
    };
    wchar_t szTemp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, szTemp);
    const std::wstring path = std::wstring(szTemp) + L"tav-source-file.txt";
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.bytes);
        ASSERT_TRUE(ReplaceFileBytes(path, c.bytes));
        CSourceFile file;
        file.Load(path);
        EXPECT_EQ(file.GetState(), c.eState);
        if (c.eState == CSourceFile::eText)
        {
            EXPECT_EQ(file.Encode(file.GetText()), c.bytes);
        }
        EXPECT_EQ(file.IsChangedOnDisk(), FALSE);
    }
    ::DeleteFileW(path.c_str());
}

// Colouring in steps ends where one pass over the whole text ends: the same look for every character.
TEST(ExplorerEditTest, ColouringInStepsEndsAsAWholePassDoes)
{
    std::mt19937 random(12);
    const wchar_t* pieces[] = { L"int ", L"x = 42; ", L"/* open ", L"close */ ", L"// line ", L"\"text\" ",
                                L"return ", L"3.5e2 ", L"\r", L"\r", L"\r" };
    CString strText;
    for (int i = 0; i < 3000; ++i)
        strText += pieces[random() % (sizeof(pieces) / sizeof(pieces[0]))];

    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), L"host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 500, 300), nullptr, 0));
    CExplorerEdit stepped, whole;
    for (CExplorerEdit* pEdit : { &stepped, &whole })
    {
        pEdit->ChooseLanguage(L"x.cpp");
        ASSERT_TRUE(pEdit->Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 500, 300), &host, 1));
    }
    stepped.LoadText(strText);
    whole.SetWindowText(strText);
    int nSteps = 0;
    while (stepped.ColourNextStep())
        ++nSteps;
    EXPECT_GT(nSteps, 1);

    // Compares halves until each run has one look in both editors.
    std::function<void(long, long)> compare = [&](long nFrom, long nTo) {
        CHARFORMAT formats[2];
        CExplorerEdit* edits[2] = { &stepped, &whole };
        for (int k = 0; k < 2; ++k)
        {
            formats[k] = { sizeof(CHARFORMAT) };
            edits[k]->SetSel(nFrom, nTo);
            edits[k]->GetSelectionCharFormat(formats[k]);
        }
        const DWORD dwBoth = CFM_COLOR | CFM_BOLD;
        if ((formats[0].dwMask & dwBoth) == dwBoth && (formats[1].dwMask & dwBoth) == dwBoth)
        {
            ASSERT_EQ(formats[0].crTextColor, formats[1].crTextColor) << "at " << nFrom;
            ASSERT_EQ(formats[0].dwEffects & CFE_BOLD, formats[1].dwEffects & CFE_BOLD) << "at " << nFrom;
        }
        else if (nTo - nFrom > 1)
        {
            compare(nFrom, (nFrom + nTo) / 2);
            compare((nFrom + nTo) / 2, nTo);
        }
    };
    compare(0, whole.GetTextLength());
}
}
