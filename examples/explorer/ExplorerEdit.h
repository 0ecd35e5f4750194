#pragma once
// The explorer's editor: a CTavSyntaxColorEdit that shows a loaded file at once with the lines in view
// coloured, colours the rest in short steps between the user's input, and tells its page about edits.
#include "TavSyntaxColorEdit.h"

#include <functional>

class CExplorerEdit : public CTavSyntaxColorEdit
{
public:
    // The preset for a file name's extension; -1 for plain text.
    static int LanguageForPath(const std::wstring& path);
    // Sets the preset for the file, or no colouring at all for plain text.
    void ChooseLanguage(const std::wstring& path);
    // Replaces the text; the lines in view are coloured before it returns, the rest follows in steps.
    void LoadText(const CString& strText);
    // Colours the next step of the rest; FALSE once everything is coloured.
    BOOL ColourNextStep();
    BOOL IsColouringDone() const { return m_nColouredTo < 0; }
    // The longest step since the text was loaded, in milliseconds, and how many there were.
    DWORD GetLongestStep() const { return m_dwLongestStep; }
    int GetStepCount() const { return m_nSteps; }

    // Called after each edit of the user's.
    std::function<void()> m_onEdited;

protected:
    afx_msg void OnEdited();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    long GetVisibleEnd();
    // Colours the lines in view, which the steps may not have reached yet.
    void ColourVisibleLines();

    // Where the colouring in steps goes on from; -1 when all is coloured.
    long m_nColouredTo = -1;
    long m_nStepChars = 1000;
    DWORD m_dwLongestStep = 0;
    int m_nSteps = 0;
};
