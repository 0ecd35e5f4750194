// The built-in language presets and their word lists, the editor's fixed vocabulary.
#include "SyntaxLanguage.h"

#include <iterator>

namespace
{
// "implmements" is spelled so in the script language's list on purpose.
const wchar_t s_szScriptKeywords[] =
    L" const Dim do while exit for if else private public ReDim switch case static implmements extends class "
    L"interface void ";
const wchar_t s_szScriptConstants[] = L" false true null ";

const wchar_t s_szBasicKeywords[] =
    L" Call Const Dim Do Loop Erase Exit For To Step Next Each Function If Then Else On Error Resume Option "
    L"Explicit Private Public Randomize ReDim Rem Select Case Set Sub End While Wend And Eqv Imp Is Mod Not Or "
    L"Xor ";
const wchar_t s_szBasicConstants[] =
    L" Empty False True Nothing Null vbBlack vbRed vbGreen vbYellow vbBlue vbMagenta vbCyan vbWhite "
    L"vbBinaryCompare vbTextCompare vbDatabaseCompare vbGeneralDate vbLongDate vbShortDate vbLongTime "
    L"vbShortTime vbSunday vbMonday vbTuesday vbWednesday vbThursday vbFriday vbSaturday vbFirstJan1 "
    L"vbFirstFourDays vbFirstFullWeek vbUseSystem vbUseSystemDayOfWeek vbObjectError vbOKOnly vbOKCancel "
    L"vbAbortRetryIgnore vbYesNoCancel vbYesNo vbRetryCancel vbCritical vbQuestion vbExclamation "
    L"vbInformation vbDefaultButton1 vbDefaultButton2 vbDefaultButton3 vbDefaultButton4 vbApplicationModal "
    L"vbSystemModal vbCr vbCrLf vbFormFeed vbLf vbNewLine vbNullChar vbNullString vbTab vbVerticalTab "
    L"vbEmpty vbNull vbInteger vbLong vbSingle vbDouble vbCurrency vbDate vbString vbObject vbError "
    L"vbBoolean vbVariant vbDataObject vbDecimal vbByte vbArray ";

const wchar_t s_szCppKeywords[] =
    L" enum __multiple_inheritance template auto __except __single_inheritance this __based explicit "
    L"__virtual_inheritance thread bool extern mutable throw break naked case __fastcall namespace try catch "
    L"__finally new __try __cdecl float operator typedef char for private typeid class friend protected "
    L"typename const goto public union const_cast if register unsigned continue inline reinterpret_cast using "
    L"__declspec __inline return default int short __uuidof delete __int8 signed virtual __int16 sizeof void "
    L"__int32 static volatile do __int64 static_cast wmain double __leave __stdcall while dynamic_cast long "
    L"struct xalloc else switch ";
const wchar_t s_szCppConstants[] = L" false true ";

struct CPreset
{
    BOOL bCaseSensitive;
    BOOL bMultiLineComment;
    LPCWSTR pszLineComment;
    LPCWSTR pszCommentStart;
    LPCWSTR pszCommentEnd;
    LPCWSTR pszKeywords;
    LPCWSTR pszConstants;
};

// Indexed by ELanguage. The Basic line comment is "Rem" followed by a space.
const CPreset s_presets[] = {
    { TRUE, TRUE, L"//", L"/*", L"*/", s_szScriptKeywords, s_szScriptConstants },
    { FALSE, FALSE, L"Rem ", L"'", L"'", s_szBasicKeywords, s_szBasicConstants },
    { TRUE, TRUE, L"//", L"/*", L"*/", s_szCppKeywords, s_szCppConstants },
};
} // namespace

// Colours and the change-case switch belong to the host and are left alone.
void CTavSyntaxLanguage::ApplyPreset(int nLanguage)
{
    if (nLanguage < 0 || nLanguage >= static_cast<int>(std::size(s_presets)))
        return;
    const CPreset& preset = s_presets[nLanguage];
    SetCaseSensitive(preset.bCaseSensitive);
    SetMultiLineComment(preset.bMultiLineComment);
    SetStringQuotes(L'"');
    SetComment(preset.pszCommentStart, preset.pszCommentEnd);
    SetComment(CString(preset.pszLineComment));
    ClearKeywords();
    ClearConstants();
    AddKeywords(preset.pszKeywords);
    AddConstants(preset.pszConstants);
}
