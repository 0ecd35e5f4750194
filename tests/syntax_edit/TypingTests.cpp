// Re-colouring while the user types, deletes, cuts, pastes and undoes, driven through the thread's queue.
#include "EditorFixture.h"

namespace edtest
{
using Typing = CppEditorTest;

TEST_F(Typing, BasicKeywordsAreRewrittenAsListedWhileTyped)
{
    m_edit.SetLanguage(kBasic);
    kit::TypeText(L"dim x");
    EXPECT_EQ(CString(L"Dim x"), Text());
    EXPECT_TRUE(HasLooks("KKK P"));

    // Unless the host wants the user's own spelling kept.
    m_edit.SetChangeCase(FALSE);
    kit::TypeText(L" dim");
    EXPECT_EQ(CString(L"Dim x dim"), Text());
    EXPECT_TRUE(HasLooks("KKK P KKK"));
}

// Typing the start marker above code colours the block through the next end marker in one refresh, and
// deleting the marker's asterisk gives the lines back their own colours.
TEST_F(Typing, BlockCommentStartMarkerTypedAndDeleted)
{
    SetText(L"int a;\rint b; */ int c;\rint d;");
    PlaceCaret(0);
    kit::TypeText(L"/");
    EXPECT_TRUE(HasLooks("PKKK PP KKK PP PP KKK PP KKK PP"));
    kit::TypeText(L"*");
    EXPECT_TRUE(HasLooks("CCCCCCCCCCCCCCCCCC KKK PP KKK PP"));
    EXPECT_EQ(Range(2, 2), Selection());

    kit::PressKey(VK_BACK);
    EXPECT_EQ(CString(L"/int a;\rint b; */ int c;\rint d;"), Text());
    EXPECT_TRUE(HasLooks("PKKK PP KKK PP PP KKK PP KKK PP"));
}

TEST_F(Typing, EnterInsideABlockCommentKeepsTheBlockWhole)
{
    SetText(L"/* a b */ int");
    PlaceCaret(4);
    kit::PressKey(VK_RETURN);
    EXPECT_EQ(CString(L"/* a\r b */ int"), Text());
    EXPECT_TRUE(HasLooks("CCCCCCCCCC KKK"));
}

TEST_F(Typing, TypingOverASelectionRecoloursTheLineThatRemains)
{
    SetText(L"int a\rb\rc int");
    m_edit.SetSel(4, 10);
    kit::TypeText(L"//");
    EXPECT_EQ(CString(L"int //int"), Text());
    EXPECT_TRUE(HasLooks("KKK CCCCC"));
}

TEST_F(Typing, TabKeyInsertsATabEvenInADialog)
{
    SetText(L"ab");
    PlaceCaret(1);
    kit::PressKey(VK_TAB);
    EXPECT_EQ(CString(L"a\tb"), Text());
    EXPECT_EQ(m_edit.m_hWnd, ::GetFocus());
    EXPECT_EQ(Range(2, 2), Selection());
    EXPECT_EQ(UINT(0x87), static_cast<UINT>(m_edit.SendMessage(WM_GETDLGCODE)));
    // The tab is typing like any other: it can be undone.
    kit::PressKey('Z', kit::Ctrl);
    EXPECT_EQ(CString(L"ab"), Text());
}

TEST_F(Typing, PasteAfterCutRecoloursBothPlaces)
{
    SetText(L"a // note\rb c");
    m_edit.SetSel(2, 4);
    kit::PressKey('X', kit::Ctrl);
    EXPECT_EQ(CString(L"a  note\rb c"), Text());
    EXPECT_TRUE(HasLooks("P  PPPP P P"));

    PlaceCaret(10);
    kit::PressKey('V', kit::Ctrl);
    EXPECT_EQ(CString(L"a  note\rb //c"), Text());
    EXPECT_TRUE(HasLooks("P  PPPP P CCC"));
}

TEST_F(Typing, UndoRecoloursTheWholeText)
{
    SetText(L"x\rint y");
    PlaceCaret(1);
    kit::TypeText(L"1");
    // A new keyword colour shows only where a pass runs: typing on the first line leaves the second alone.
    m_edit.SetKeywordColor(kRed.crColor, FALSE);
    kit::TypeText(L"2");
    EXPECT_TRUE(HasLook(4, 7, kKeyword));

    // Both digits were one typing step.
    kit::PressKey('Z', kit::Ctrl);
    EXPECT_EQ(CString(L"x\rint y"), Text());
    EXPECT_TRUE(HasLook(2, 5, kRed));
}

TEST_F(Typing, CaretAndSelectionStayWhereTheUserLeftThem)
{
    SetText(L"int a = 1;\rint b = 2;");
    PlaceCaret(4);
    kit::TypeText(L"x");
    EXPECT_EQ(Range(5, 5), Selection());

    kit::PressKey(VK_RIGHT, kit::Shift);
    kit::PressKey(VK_RIGHT, kit::Shift);
    m_edit.SetLanguage(kCpp);
    EXPECT_EQ(Range(5, 7), Selection());

    // The view stays where it was, too.
    CString strLong;
    for (int i = 0; i < 200; ++i)
        strLong += L"int value; // line\r";
    SetText(strLong);
    PlaceCaret(0);
    m_edit.FormatAll();
    kit::PumpUntilIdle();
    EXPECT_EQ(0, m_edit.GetFirstVisibleLine());
    EXPECT_EQ(Range(0, 0), Selection());
}

TEST_F(Typing, ParentHearsSelectionChangesButNoEditNotifications)
{
    SetText(L"int a = 1; // one\rint b = 2;");
    m_host.m_codes.clear();
    PlaceCaret(10);
    kit::TypeText(L" x");
    kit::PressKey(VK_BACK);
    kit::PressKey(VK_DELETE);
    m_edit.SetSel(0, 3);
    kit::PressKey('X', kit::Ctrl);
    kit::PressKey('V', kit::Ctrl);
    EXPECT_EQ(0, m_host.Count(EN_CHANGE));
    EXPECT_EQ(0, m_host.Count(EN_PROTECTED));
    EXPECT_GT(m_host.Count(EN_SELCHANGE), 0);
    // The many selections of the colouring passes are not announced: at most a couple per user action.
    EXPECT_LE(m_host.Count(EN_SELCHANGE), 14);
}

// A host's dialog with a rich edit of its own, taken over by the editor.
TEST(AttachedEditor, ColoursTheRichEditOfADialogWhileTyped)
{
    ASSERT_TRUE(AfxInitRichEdit2());
    kit::DialogTemplate dialogTemplate(L"Dialog with a rich edit", 200, 100);
    dialogTemplate.AddControl(RICHEDIT_CLASSW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE, 5, 5, 190, 90,
                              kEditId);
    CRecordingHost host;
    ASSERT_TRUE(host.Open(dialogTemplate));
    CTestEdit edit;
    ASSERT_TRUE(edit.SubclassDlgItem(kEditId, &host));
    edit.SetLanguage(kCpp);
    edit.SetFocus();
    kit::TypeText(L"int x; // y");
    EXPECT_TRUE(HasLooks(edit, "KKK PP CCCC"));
    EXPECT_EQ(0, host.Count(EN_CHANGE));
    EXPECT_EQ(0, host.Count(EN_PROTECTED));
    edit.UnsubclassWindow();
}
} // namespace edtest
