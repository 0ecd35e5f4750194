#pragma once
// A syntax-colouring editor in a visible host dialog that records which edit notifications reach it, and
// ways to read back what the user sees: the text, the selection and the look of each character.
#include "TavSyntaxColorEdit.h"

#include "kit/Host.h"
#include "kit/Input.h"
#include "kit/Pump.h"

#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <vector>

// Shows a text in test messages, line breaks as '|'.
void PrintTo(const CString& str, std::ostream* pStream);

namespace edtest
{
constexpr UINT kEditId = 1001;

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

// The editor with its protected parts opened to the tests, counting what reaches its window.
class CTestEdit : public CTavSyntaxColorEdit
{
public:
    using CTavSyntaxColorEdit::ChangeCase;
    using CTavSyntaxColorEdit::FormatTextLines;
    using CTavSyntaxColorEdit::FormatTextRange;
    using CTavSyntaxColorEdit::IsConstant;
    using CTavSyntaxColorEdit::IsInCommentBlock;
    using CTavSyntaxColorEdit::IsKeyword;
    using CTavSyntaxColorEdit::m_bChangeCase;
    using CTavSyntaxColorEdit::m_bFormatting;
    using CTavSyntaxColorEdit::m_bMultiLineComment;
    using CTavSyntaxColorEdit::m_bRefreshingBlock;
    using CTavSyntaxColorEdit::m_chrgEdit;
    using CTavSyntaxColorEdit::m_chStringQuote;
    using CTavSyntaxColorEdit::m_crKeyword;
    using CTavSyntaxColorEdit::m_mapConstants;
    using CTavSyntaxColorEdit::m_mapKeywords;
    using CTavSyntaxColorEdit::m_mapKeywordsLower;
    using CTavSyntaxColorEdit::m_nEditAction;
    using CTavSyntaxColorEdit::m_strCommentEnd;
    using CTavSyntaxColorEdit::m_strCommentStart;
    using CTavSyntaxColorEdit::m_strLineComment;
    using CTavSyntaxColorEdit::RefreshCommentBlock;

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
    int Count(UINT nCode) const;

protected:
    afx_msg void OnEditChange();
    afx_msg void OnEditProtected(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEditSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};

class EditorTest : public ::testing::Test
{
protected:
    void SetUp() override;

    // Host calls.
    void SetText(LPCWSTR lpszText);
    CString Text() { return m_edit.GetText(0, static_cast<UINT>(-1)); }
    CHARRANGE Selection();
    void PlaceCaret(long nPos);

    // The look of [nFrom, nTo): TRUE with the look when it is the same for all of it.
    bool ReadLook(long nFrom, long nTo, Look& look);
    ::testing::AssertionResult HasLook(long nFrom, long nTo, Look expected);
    // One letter per character of the text: P plain, C comment, N number, S string, K keyword, B constant
    // (bold), any other character: not checked.
    ::testing::AssertionResult HasLooks(const char* pszPattern);

    CRecordingHost m_host;
    CTestEdit m_edit;
};
} // namespace edtest
