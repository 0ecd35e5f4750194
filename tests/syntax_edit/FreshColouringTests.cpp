// After every edit the colours must be those that colouring the same text afresh gives: checked against a
// second editor that is given the edited text with SetWindowText. Characters that no token covers (blanks,
// line breaks and backslashes between tokens) keep whatever look they had and are not compared.
#include "EditorFixture.h"

#include "syntax_edit/SyntaxTokenizer.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>

namespace edtest
{
namespace
{
// The first lines of one of this repository's own sources, with line breaks as the rich edit keeps them.
CString ReadSource(const char* pszPath, int nLines)
{
    std::ifstream file(std::string(TAV_SOURCE_ROOT) + pszPath);
    std::string strLine;
    CString strText;
    for (int i = 0; i < nLines && std::getline(file, strLine); ++i)
    {
        if (!strLine.empty() && strLine.back() == '\r')
            strLine.pop_back();
        strText += CString(std::wstring(strLine.begin(), strLine.end())) + L"\r";
    }
    return strText;
}

void PutOnClipboard(const CString& strText)
{
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    const size_t cb = (strText.GetLength() + 1) * sizeof(wchar_t);
    HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, cb);
    std::memcpy(::GlobalLock(hData), strText.Str().c_str(), cb);
    ::GlobalUnlock(hData);
    ::SetClipboardData(CF_UNICODETEXT, hData);
    ::CloseClipboard();
}
} // namespace

class FreshColouring : public EditorTest
{
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        ASSERT_TRUE(m_fresh.Create(WS_CHILD | ES_MULTILINE, CRect(5, 5, 515, 395), &m_host, kEditId + 1));
        UseLanguage([](CTavSyntaxColorEdit& edit) { edit.SetLanguage(kCpp); });
    }

    void UseLanguage(const std::function<void(CTavSyntaxColorEdit&)>& configure)
    {
        configure(m_edit);
        configure(m_fresh);
    }

    // Compares every character that a token of the edited text covers with the fresh colouring.
    ::testing::AssertionResult ColouredAsFresh()
    {
        const CString strText = Text();
        m_fresh.SetWindowText(strText);
        const std::vector<Look> edited = ReadLooks(m_edit);
        const std::vector<Look> fresh = ReadLooks(m_fresh);
        if (edited.size() < static_cast<size_t>(strText.GetLength()) || fresh.size() != edited.size())
            return ::testing::AssertionFailure() << "looks read back for " << edited.size() << " and " << fresh.size()
                                                 << " characters of " << strText.GetLength();
        for (const CTavSyntaxToken& token : CTavSyntaxTokenizer(m_edit).Tokenize(strText.Str()))
            for (int i = token.nStart; i < token.nEnd; ++i)
                if (!(edited[i] == fresh[i]))
                {
                    const int nFrom = std::max(0, i - 40);
                    std::ostringstream message;
                    message << "position " << i << " looks 0x" << std::hex << edited[i].crColor
                            << (edited[i].bBold ? " bold" : "") << ", afresh 0x" << fresh[i].crColor
                            << (fresh[i].bBold ? " bold" : "") << std::dec << "; text around it: \""
                            << Narrow(strText.Mid(nFrom, i - nFrom)) << "[*]" << Narrow(strText.Mid(i, 40)) << "\"";
                    return ::testing::AssertionFailure() << message.str();
                }
        return ::testing::AssertionSuccess();
    }

    CTestEdit m_fresh;
};

// The reproducers: each edit made by the user, then undone and redone step by step, every state compared.
TEST_F(FreshColouring, EditsThatMoveABlockCommentsEnd)
{
    enum EEdit { Type, Back, Delete, Paste };
    struct Row
    {
        const char* pszName;
        LPCWSTR pszText;
        long nCaret;
        EEdit eEdit;
        LPCWSTR pszTyped; // typed, or pasted; '\r' is the Enter key
        LPCWSTR pszEdited;
        const char* pszLooks;
    };
    const Row rows[] = {
        { "close an open block", L"/*\rint b;\rint c;", 3, Type, L"*/\r", L"/*\r*/\rint b;\rint c;",
          "CC.CC.KKK PP.KKK PP" },
        { "close an open block before a later one", L"/*\rint b;\rint c; /* x */\rint d;", 3, Type, L"*/",
          L"/*\r*/int b;\rint c; /* x */\rint d;", "CC.CCKKK PP.KKK PP CCCCCCC.KKK PP" },
        { "delete the slash of an end marker", L"/* a */\rint b;\r/* c */ int d;", 6, Delete, nullptr,
          L"/* a *\rint b;\r/* c */ int d;", "CCCCCCCCCCCCCCCCCCCCC KKK PP" },
        { "open a block before an existing one", L"int a;\rint b; /* x\ry */ int c;", 0, Type, L"/*",
          L"/*int a;\rint b; /* x\ry */ int c;", "CCCCCCCCCCCCCCCCCCCCCCCCC KKK PP" },
        { "close an open block inside a line comment", L"/*\ra // b\rint c;", 8, Type, L"*/",
          L"/*\ra // */b\rint c;", "CCCCCCCCCCP.KKK PP" },
        { "delete the asterisk of a start marker", L"x /*\rint b;\rint c; */ int d;", 4, Back, nullptr,
          L"x /\rint b;\rint c; */ int d;", "P P.KKK PP.KKK PP PP KKK PP" },
        { "paste an end marker into a block", L"/*\rint b;\rint c;", 3, Paste, L"x */\r",
          L"/*\rx */\rint b;\rint c;", "CC.CCCC.KKK PP.KKK PP" },
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.pszName);
        SetText(row.pszText);
        m_edit.EmptyUndoBuffer();
        PlaceCaret(row.nCaret);
        switch (row.eEdit)
        {
        case Type: kit::TypeText(row.pszTyped); break;
        case Back: kit::PressKey(VK_BACK); break;
        case Delete: kit::PressKey(VK_DELETE); break;
        case Paste:
            PutOnClipboard(row.pszTyped);
            kit::PressKey('V', kit::Ctrl);
            break;
        }
        EXPECT_EQ(CString(row.pszEdited), Text());
        EXPECT_TRUE(HasLooks(row.pszLooks));
        EXPECT_TRUE(ColouredAsFresh());

        for (const bool bUndo : { true, false })
        {
            const CString strGoal = bUndo ? row.pszText : row.pszEdited;
            for (int nStep = 0; nStep < 8 && Text() != strGoal; ++nStep)
            {
                kit::PressKey(bUndo ? 'Z' : 'Y', kit::Ctrl);
                EXPECT_TRUE(ColouredAsFresh()) << (bUndo ? "undo" : "redo") << " step " << nStep;
            }
            EXPECT_EQ(strGoal, Text());
        }
    }
}

// Random edits of the kinds a user or host makes, biased towards comment markers and quotes.
class RandomEdits
{
public:
    RandomEdits(CTestEdit& edit, unsigned nSeed) : m_edit(edit), m_random(nSeed) {}

    // Makes one edit and says which.
    std::string Next()
    {
        static const wchar_t kTyped[] = L"/////*****\"\"\r\r   abcintvoid_x0129;(){}";
        static const wchar_t* const kSnippets[] = { L"/*", L"*/", L"x */ y", L"/* a\rb", L"\"/*\"", L"// c */\r",
                                                    L"*/\r/*" };
        // Typing, Backspace, Delete, cut, copy and paste, pasting a snippet, the host replacing the
        // selection with one, undo, redo.
        static const int kWeights[] = { 45, 10, 7, 5, 7, 7, 7, 7, 5 };
        m_log.str("");
        m_nCount = m_edit.GetTextLengthEx(GTL_NUMCHARS | GTL_PRECISE);
        const int nWhere = Pick(100);
        if (nWhere < 25 || m_nCount == 0)
            PlaceCaret();
        else if (nWhere < 30)
            Select(40);
        int nWhat = Pick(100), nKind = 0;
        while (nWhat >= kWeights[nKind])
            nWhat -= kWeights[nKind++];
        const CString strSnippet = kSnippets[Pick(static_cast<int>(std::size(kSnippets)))];
        const wchar_t ch = kTyped[Pick(static_cast<int>(std::size(kTyped)) - 1)];
        switch (nKind)
        {
        case 0:
            m_log << "type '" << (ch == L'\r' ? std::string("Enter") : std::string(1, static_cast<char>(ch))) << "'";
            kit::TypeText(CString(ch));
            break;
        case 1: Press("Backspace", VK_BACK); break;
        case 2: Press("Delete", VK_DELETE); break;
        case 3: Select(60), Press("cut", 'X', kit::Ctrl); break;
        case 4: Select(80), Press("copy", 'C', kit::Ctrl), PlaceCaret(), Press("paste", 'V', kit::Ctrl); break;
        case 5:
            PutOnClipboard(strSnippet);
            m_log << "\"" << Narrow(strSnippet) << "\" ";
            Press("pasted", 'V', kit::Ctrl);
            break;
        case 6:
            m_log << "host replaces the selection with \"" << Narrow(strSnippet) << "\"";
            m_edit.ReplaceSel(strSnippet, TRUE);
            kit::PumpUntilIdle();
            break;
        case 7: Press("undo", 'Z', kit::Ctrl); break;
        default: Press("redo", 'Y', kit::Ctrl); break;
        }
        const std::string strEdit = m_log.str();
        return strEdit.substr(0, strEdit.find_last_not_of("; ") + 1);
    }

private:
    int Pick(int nBound) { return std::uniform_int_distribution<int>(0, nBound - 1)(m_random); }

    void Press(const char* pszName, UINT nKey, UINT modifiers = kit::NoKeys)
    {
        m_log << pszName << "; ";
        kit::PressKey(nKey, modifiers);
    }

    void PlaceCaret()
    {
        const long nPos = Pick(m_nCount + 1);
        m_log << "caret at " << nPos << "; ";
        m_edit.SetSel(nPos, nPos);
    }

    void Select(int nLongest)
    {
        const long nFrom = Pick(m_nCount + 1);
        const long nTo = std::min<long>(m_nCount, nFrom + Pick(nLongest));
        m_log << "select [" << nFrom << ", " << nTo << "); ";
        m_edit.SetSel(nFrom, nTo);
    }

    CTestEdit& m_edit;
    std::mt19937 m_random;
    std::ostringstream m_log;
    long m_nCount = 0;
};

// The general property. TAV_EDITOR_FUZZ=<steps> runs longer, over whole files, for a search by hand.
class RandomEditing : public FreshColouring
{
protected:
    void Run(const char* pszSource, unsigned nSeed)
    {
        const char* pszSteps = std::getenv("TAV_EDITOR_FUZZ");
        const int nSteps = pszSteps ? std::atoi(pszSteps) : 50;
        SetText(ReadSource(pszSource, pszSteps ? 100000 : 80));
        m_edit.LimitText(0x7FFFFFFE);
        ASSERT_GT(m_edit.GetLineCount(), 50) << pszSource << " could not be read";
        ASSERT_TRUE(ColouredAsFresh());
        RandomEdits edits(m_edit, nSeed);
        for (int nStep = 0; nStep < nSteps; ++nStep)
        {
            const std::string strEdit = edits.Next();
            const ::testing::AssertionResult result = ColouredAsFresh();
            if (!result)
            {
                ADD_FAILURE() << pszSource << ", seed " << nSeed << ", step " << nStep << " (" << strEdit
                              << "): " << result.message();
                return;
            }
        }
    }
};

TEST_F(RandomEditing, CppSource)
{
    Run("syntax_edit/TavSyntaxColorEdit.cpp", 1301);
}

TEST_F(RandomEditing, ScriptSource)
{
    UseLanguage([](CTavSyntaxColorEdit& edit) { edit.SetLanguage(kScript); });
    Run("tests/syntax_edit/PassTests.cpp", 1302);
}

// Block comments that end with their line: the Basic settings with a marker pair of the host's.
TEST_F(RandomEditing, SingleLineBlockComments)
{
    UseLanguage([](CTavSyntaxColorEdit& edit) {
        edit.SetLanguage(kBasic);
        edit.SetComment(L"/*", L"*/");
    });
    Run("tests/syntax_edit/TypingTests.cpp", 1303);
}
} // namespace edtest
