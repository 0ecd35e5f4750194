#pragma once
// A syntax-colouring editor in a visible host dialog that records which edit notifications reach it, and
// ways to read back what the user sees: the text, the selection and the look of each character.
#include "TavSyntaxColorEdit.h"

#include "kit/Host.h"
#include "kit/Input.h"
#include "kit/Pump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// Shows a text in test messages, line breaks as '|'.
void PrintTo(const CString& str, std::ostream* pStream);

namespace edtest
{
// The text with line breaks as '|' and other characters outside ASCII as '?'.
std::string Narrow(const CString& str);

constexpr UINT kEditId = 1001;
constexpr CTavSyntaxColorEdit::ELanguage kScript = CTavSyntaxColorEdit::eLanguageScript;
constexpr CTavSyntaxColorEdit::ELanguage kBasic = CTavSyntaxColorEdit::eLanguageBasic;
constexpr CTavSyntaxColorEdit::ELanguage kCpp = CTavSyntaxColorEdit::eLanguageCpp;

using Range = std::pair<long, long>;

// Colour and boldness of a run of characters.
struct Look
{
    COLORREF crColor;
    bool bBold;
};

constexpr Look kPlain = { RGB(0, 0, 0), false };
constexpr Look kComment = { RGB(0, 128, 0), false };
constexpr Look kNumber = { RGB(255, 0, 255), false };
constexpr Look kString = { RGB(255, 0, 255), false };
constexpr Look kKeyword = { RGB(0, 0, 255), false };
constexpr Look kConstant = { RGB(0, 0, 0), true };
// A host's own keyword colour, to tell which passes ran after it was set.
constexpr Look kRed = { RGB(200, 0, 0), false };

inline bool operator==(const Look& a, const Look& b)
{
    return a.crColor == b.crColor && a.bBold == b.bBold;
}

// The look of every character of a rich edit, read from the rich text it writes out in one go.
std::vector<Look> ReadLooks(CRichEditCtrl& edit);

// The look of [nFrom, nTo) of a rich edit, read without moving its selection or notifying its parent.
::testing::AssertionResult HasLook(CRichEditCtrl& edit, long nFrom, long nTo, Look expected);
// One letter per character of the text: P plain, C comment, N number, S string, K keyword, B constant
// (bold), any other character: not checked.
::testing::AssertionResult HasLooks(CRichEditCtrl& edit, const char* pszPattern);

// The editor with its protected parts opened to the tests, counting what reaches its window.
class CTestEdit : public CTavSyntaxColorEdit
{
public:
    using CTavSyntaxColorEdit::FormatTextLines;
    using CTavSyntaxColorEdit::FormatTextRange;
    using CTavSyntaxColorEdit::IsInCommentBlock;
    using CTavSyntaxColorEdit::m_bChangeCase;
    using CTavSyntaxColorEdit::m_bFormatting;
    using CTavSyntaxColorEdit::m_bMultiLineComment;
    using CTavSyntaxColorEdit::m_bRefreshingBlock;
    using CTavSyntaxColorEdit::m_chStringQuote;
    using CTavSyntaxColorEdit::m_mapConstants;
    using CTavSyntaxColorEdit::m_mapKeywords;
    using CTavSyntaxColorEdit::m_mapKeywordsLower;
    using CTavSyntaxColorEdit::m_strLineComment;
    using CTavSyntaxColorEdit::RefreshCommentBlock;

    // The listed spelling of a keyword or constant, empty when the word is not listed.
    CString ListedKeyword(LPCWSTR lpszWord) const { CString str; return IsKeyword(lpszWord, str) ? str : CString(); }
    CString ListedConstant(LPCWSTR lpszWord) const { CString str; return IsConstant(lpszWord, str) ? str : CString(); }

    int m_nFormatChanges = 0;      // EM_SETCHARFORMAT on a selection
    int m_nPaintsDuringPass = 0;   // WM_PAINT while a colouring pass runs
    bool m_bRefuseFormats = false; // a format change during a pass fails with an exception

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == EM_SETCHARFORMAT && (wParam & SCF_SELECTION))
        {
            ++m_nFormatChanges;
            if (m_bRefuseFormats && m_bFormatting)
                throw std::runtime_error("format refused");
        }
        if (message == WM_PAINT && m_bFormatting)
            ++m_nPaintsDuringPass;
        return CTavSyntaxColorEdit::WindowProc(message, wParam, lParam);
    }
};

// The host's own handlers for the editor's notifications: whatever the control lets through lands here.
class CRecordingHost : public kit::CHostDialog
{
public:
    std::vector<UINT> m_codes;
    int Count(UINT nCode) const { return static_cast<int>(std::count(m_codes.begin(), m_codes.end(), nCode)); }

protected:
    afx_msg void OnEditChange() { m_codes.push_back(EN_CHANGE); }
    afx_msg void OnEditProtected(NMHDR*, LRESULT* pResult)
    {
        m_codes.push_back(EN_PROTECTED);
        *pResult = 0;
    }
    afx_msg void OnEditSelChange(NMHDR*, LRESULT*) { m_codes.push_back(EN_SELCHANGE); }
    DECLARE_MESSAGE_MAP()
};

// An editor without a language in a host, focused.
class EditorTest : public ::testing::Test
{
protected:
    void SetUp() override;

    // Host calls.
    void SetText(LPCWSTR lpszText)
    {
        m_edit.SetWindowText(lpszText);
        kit::PumpUntilIdle();
    }
    CString Text() { return m_edit.GetText(0, static_cast<UINT>(-1)); }
    // The selection as [cpMin, cpMax).
    Range Selection();
    void PlaceCaret(long nPos)
    {
        m_edit.SetSel(nPos, nPos);
        kit::PumpUntilIdle();
    }

    ::testing::AssertionResult HasLook(long nFrom, long nTo, Look expected)
    {
        return edtest::HasLook(m_edit, nFrom, nTo, expected);
    }
    ::testing::AssertionResult HasLooks(const char* pszPattern) { return edtest::HasLooks(m_edit, pszPattern); }

    CRecordingHost m_host;
    CTestEdit m_edit;
};

// The same with the C preset chosen.
class CppEditorTest : public EditorTest
{
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        m_edit.SetLanguage(kCpp);
    }
};
} // namespace edtest
