// The syntax-colouring editor with a C++, a Basic and a script sample and buttons to switch the language.
#include "Controls.h"
#include "Gallery.h"
#include "Gdi.h"
#include "TavSyntaxColorEdit.h"

namespace
{
enum
{
    IDC_TITLE = 1,
    IDC_LANGUAGE_CPP,
    IDC_LANGUAGE_BASIC,
    IDC_LANGUAGE_SCRIPT,
    IDC_EDITOR
};

const wchar_t s_szCppSample[] =
    L"/* Counts the words of a line.\r"
    L"   Words are separated by blanks. */\r"
    L"#include <cwctype>\r"
    L"\r"
    L"static int CountWords(const wchar_t* pszLine)\r"
    L"{\r"
    L"\tint nWords = 0;\r"
    L"\tbool bInWord = false; // inside a word so far?\r"
    L"\tfor (; *pszLine; ++pszLine)\r"
    L"\t{\r"
    L"\t\tconst bool bBlank = iswspace(*pszLine) != 0;\r"
    L"\t\tif (!bBlank && !bInWord)\r"
    L"\t\t\t++nWords;\r"
    L"\t\tbInWord = !bBlank;\r"
    L"\t}\r"
    L"\treturn nWords * 1 - 0.0; /* \"done\" */\r"
    L"}\r";

const wchar_t s_szBasicSample[] =
    L"Option Explicit\r"
    L"Rem Greets the user a few times\r"
    L"Dim nCount, strName\r"
    L"strName = \"World\" ' who is greeted\r"
    L"For nCount = 1 To 3 Step 1\r"
    L"    If nCount Mod 2 = 0 Then\r"
    L"        MsgBox \"Hello, \" & strName, vbOKOnly\r"
    L"    Else\r"
    L"        MsgBox \"Again\" & vbCrLf & nCount\r"
    L"    End If\r"
    L"Next\r";

const wchar_t s_szScriptSample[] =
    L"// A small script class\r"
    L"class Counter extends Base implmements Countable\r"
    L"{\r"
    L"    private static count = 0;\r"
    L"    /* adds one and reports\r"
    L"       whether the limit is reached */\r"
    L"    public void add()\r"
    L"    {\r"
    L"        count = count + 1;\r"
    L"        if (count > 10) return true; else return false;\r"
    L"    }\r"
    L"}\r";

class CSyntaxEditPage : public CGalleryPage
{
protected:
    BOOL CreateControls() override
    {
        const BOOL bCreated =
            m_title.Create(L"Syntax-colouring editor: type into it, or pick a language", WS_VISIBLE | SS_LEFT,
                           CRect(16, 12, 620, 30), this, IDC_TITLE) &&
            m_cpp.Create(L"C++", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, CRect(16, 36, 96, 56), this,
                         IDC_LANGUAGE_CPP) &&
            m_basic.Create(L"Basic", WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(104, 36, 184, 56), this,
                           IDC_LANGUAGE_BASIC) &&
            m_script.Create(L"Script", WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(192, 36, 272, 56), this,
                            IDC_LANGUAGE_SCRIPT) &&
            m_editor.Create(WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN,
                            CRect(16, 64, 624, 388), this, IDC_EDITOR);
        if (!bCreated)
            return FALSE;
        SetPageFont({ &m_title, &m_cpp, &m_basic, &m_script });
        m_cpp.SetCheck(BST_CHECKED);
        ShowLanguage(CTavSyntaxColorEdit::eLanguageCpp);
        return TRUE;
    }

    afx_msg void OnCpp() { ShowLanguage(CTavSyntaxColorEdit::eLanguageCpp); }
    afx_msg void OnBasic() { ShowLanguage(CTavSyntaxColorEdit::eLanguageBasic); }
    afx_msg void OnScript() { ShowLanguage(CTavSyntaxColorEdit::eLanguageScript); }

    DECLARE_MESSAGE_MAP()

private:
    // The sample of the language, coloured by its preset; the caret waits at the end for typing.
    void ShowLanguage(CTavSyntaxColorEdit::ELanguage eLanguage)
    {
        static const wchar_t* const s_samples[] = { s_szScriptSample, s_szBasicSample, s_szCppSample };
        m_editor.SetLanguage(eLanguage);
        m_editor.SetWindowText(s_samples[eLanguage]);
        m_editor.SetSel(-1, -1);
    }

    CStatic m_title;
    CButton m_cpp;
    CButton m_basic;
    CButton m_script;
    CTavSyntaxColorEdit m_editor;
};

BEGIN_MESSAGE_MAP(CSyntaxEditPage, CGalleryPage)
    ON_BN_CLICKED(IDC_LANGUAGE_CPP, OnCpp)
    ON_BN_CLICKED(IDC_LANGUAGE_BASIC, OnBasic)
    ON_BN_CLICKED(IDC_LANGUAGE_SCRIPT, OnScript)
END_MESSAGE_MAP()
} // namespace

GALLERY_PAGE(20, L"Syntax editor", CSyntaxEditPage);
