#include "TavSyntaxColorEdit.h"
#include "CommentBlockScan.h"
#include "SyntaxTokenizer.h"

#include "frame/Exceptions.h"

#include <algorithm>

namespace
{
// How much text a search reads first; each further read is eight times longer.
const long long s_nFirstReadWindow = 1024;
const long long s_nReadGrowth = 8;

// The rich edit's own undo limit until the host sets another.
const UINT s_nDefaultUndoLimit = 100;

// Twips between tab stops (0.2 inch) and their number.
const LONG s_nTabStopTwips = 1440 / 5;
const int s_nTabStops = 32;

// The language hands out boldness as TRUE or FALSE only.
bool IsSameFormat(const CTavSyntaxLanguage::CTokenFormat& a, const CTavSyntaxLanguage::CTokenFormat& b)
{
    return a.crColor == b.crColor && a.bBold == b.bBold;
}
} // namespace

// A flag that is set for the life of the scope (if asked to) and put back on every exit.
class CTavSyntaxColorEdit::CFlagScope
{
public:
    explicit CFlagScope(int& bFlag, bool bSet = true) : m_bFlag(bFlag), m_bWasSet(bFlag)
    {
        if (bSet)
            m_bFlag = TRUE;
    }
    ~CFlagScope() { m_bFlag = m_bWasSet; }
    CFlagScope(const CFlagScope&) = delete;
    CFlagScope& operator=(const CFlagScope&) = delete;

private:
    int& m_bFlag;
    int m_bWasSet;
};

// Everything a colouring pass disturbs besides formats and spellings, put back on every exit, normal or by
// exception: the selection and the scroll position, the selection's visibility, the update lock, the undo
// history (suspended so that formats and spelling rewrites are no undo steps), the modified flag (a pass is
// no change of the user's) and the event mask (the parent hears nothing of the pass's selections). Only the
// outermost of nested passes does this. The update lock is WM_SETREDRAW: LockWindowUpdate does not keep
// every platform's rich edit from painting after each format change, and it would lock the whole desktop's
// one lockable window; the window is repainted once when the pass ends. A hidden window paints nothing and
// is left alone, as turning redrawing back on would show it.
class CTavSyntaxColorEdit::CPassScope
{
public:
    explicit CPassScope(CTavSyntaxColorEdit& edit)
        : m_edit(edit), m_bOuter(!edit.m_bFormatting), m_bVisible((edit.GetStyle() & WS_VISIBLE) != 0),
          m_formatting(edit.m_bFormatting)
    {
        if (!m_bOuter)
            return;
        m_dwEventMask = static_cast<DWORD>(m_edit.GetEventMask());
        m_edit.SetEventMask(m_dwEventMask & ~(ENM_CHANGE | ENM_SELCHANGE | ENM_PROTECTED));
        m_edit.GetSel(m_chrgSelection);
        m_edit.SendMessage(EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&m_ptScroll));
        m_bModified = m_edit.GetModify();
        if (m_bVisible)
            m_edit.SetRedraw(FALSE);
        m_edit.HideSelection(TRUE, FALSE);
        m_edit.CRichEditCtrl::DefWindowProc(EM_SETUNDOLIMIT, 0, 0);
    }

    ~CPassScope()
    {
        if (!m_bOuter)
            return;
        m_edit.CRichEditCtrl::DefWindowProc(EM_SETUNDOLIMIT, m_edit.m_nUndoLimit, 0);
        m_edit.SetSel(m_chrgSelection);
        // Moving the view costs a walk through the text on this platform: only when the pass moved it.
        POINT ptScroll = {};
        m_edit.SendMessage(EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&ptScroll));
        if (ptScroll.x != m_ptScroll.x || ptScroll.y != m_ptScroll.y)
            m_edit.SendMessage(EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&m_ptScroll));
        m_edit.HideSelection(FALSE, FALSE);
        if (m_bVisible)
        {
            m_edit.SetRedraw(TRUE);
            m_edit.Invalidate(FALSE);
        }
        m_edit.SetModify(m_bModified);
        m_edit.SetEventMask(m_dwEventMask);
    }

    CPassScope(const CPassScope&) = delete;
    CPassScope& operator=(const CPassScope&) = delete;

private:
    CTavSyntaxColorEdit& m_edit;
    const bool m_bOuter;
    const bool m_bVisible;
    CFlagScope m_formatting;
    DWORD m_dwEventMask = 0;
    CHARRANGE m_chrgSelection = {};
    POINT m_ptScroll = {};
    BOOL m_bModified = FALSE;
};

// Reads the text around an edit once for the searches and the pass that follow; the outermost scope owns
// the text and forgets it when it ends.
class CTavSyntaxColorEdit::CNearTextScope
{
public:
    CNearTextScope(CTavSyntaxColorEdit& edit, long long nFrom, long long nTo)
        : m_edit(edit), m_bOwner(edit.m_nNearFrom < 0)
    {
        if (!m_bOwner)
            return;
        const long nStart = static_cast<long>(std::max(0LL, nFrom));
        const long nEnd = static_cast<long>(std::min<long long>(nTo, m_edit.GetCharCount()));
        m_edit.GetTextRange(nStart, nEnd, m_edit.m_strNearText);
        m_edit.m_nNearFrom = nStart;
    }

    ~CNearTextScope()
    {
        if (!m_bOwner)
            return;
        m_edit.m_nNearFrom = -1;
        m_edit.m_strNearText.Empty();
    }

    CNearTextScope(const CNearTextScope&) = delete;
    CNearTextScope& operator=(const CNearTextScope&) = delete;

private:
    CTavSyntaxColorEdit& m_edit;
    const bool m_bOwner;
};

BEGIN_MESSAGE_MAP(CTavSyntaxColorEdit, CRichEditCtrl)
    ON_WM_CREATE()
    ON_CONTROL_REFLECT(EN_CHANGE, OnChange)
    ON_WM_GETDLGCODE()
    ON_WM_CHAR()
    ON_NOTIFY_REFLECT(EN_PROTECTED, OnProtected)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(EM_SETUNDOLIMIT, OnSetUndoLimit)
END_MESSAGE_MAP()

CTavSyntaxColorEdit::CTavSyntaxColorEdit()
    : m_bFormatting(FALSE), m_bRefreshingBlock(FALSE), m_nEditAction(editNone), m_chrgEdit{ 0, 0 },
      m_nUndoLimit(s_nDefaultUndoLimit), m_nNearFrom(-1)
{
}

CTavSyntaxColorEdit::~CTavSyntaxColorEdit() = default;

void CTavSyntaxColorEdit::SetLanguage(ELanguage eLanguage)
{
    ApplyPreset(eLanguage);
    if (::IsWindow(m_hWnd))
        FormatAll();
}

// ---------------------------------------------------------------------------------------------------------
// Window set-up and messages

void CTavSyntaxColorEdit::Initialize()
{
    PARAFORMAT pf = {};
    pf.cbSize = sizeof(pf);
    pf.dwMask = PFM_TABSTOPS;
    pf.cTabCount = s_nTabStops;
    for (int k = 1; k <= s_nTabStops; ++k)
        pf.rgxTabs[k - 1] = k * s_nTabStopTwips;
    SetParaFormat(pf);

    // Protected text makes the rich edit announce every edit before it happens.
    CHARFORMAT cf = {};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_SIZE | CFM_FACE | CFM_CHARSET | CFM_PROTECTED | CFM_BOLD;
    cf.dwEffects = CFE_PROTECTED;
    cf.yHeight = 200;
    cf.bCharSet = EASTEUROPE_CHARSET;
    wcscpy_s(cf.szFaceName, L"Courier New");
    SetDefaultCharFormat(cf);

    SetEventMask(ENM_CHANGE | ENM_SELCHANGE | ENM_PROTECTED);
}

void CTavSyntaxColorEdit::PreSubclassWindow()
{
    CRichEditCtrl::PreSubclassWindow();
    Initialize();
}

int CTavSyntaxColorEdit::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CRichEditCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    Initialize();
    return 0;
}

// The control keeps arrows, Tab, Enter and Escape for itself, also in a dialog.
UINT CTavSyntaxColorEdit::OnGetDlgCode()
{
    Default();
    return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTCHARS;
}

// Tab without Ctrl is typed into the text; it is the user's typing, so it can be undone like any other.
void CTavSyntaxColorEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == L'\t' && ::GetKeyState(VK_CONTROL) >= 0)
    {
        ReplaceSel(L"\t", TRUE);
        return;
    }
    CRichEditCtrl::OnChar(nChar, nRepCnt, nFlags);
}

// The new text is coloured whole once; the change notification of the replacement itself starts no pass.
LRESULT CTavSyntaxColorEdit::OnSetText(WPARAM, LPARAM)
{
    const DWORD dwEventMask = static_cast<DWORD>(GetEventMask());
    SetEventMask(dwEventMask & ~ENM_CHANGE);
    const LRESULT lResult = Default();
    SetEventMask(dwEventMask);
    FormatAll();
    return lResult;
}

LRESULT CTavSyntaxColorEdit::OnSetUndoLimit(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    m_nUndoLimit = static_cast<UINT>(lResult);
    return lResult;
}

// Records the kind and range of the coming edit and always lets it happen. A paste right after a cut keeps
// the cut's range, and format changes leave the range alone.
void CTavSyntaxColorEdit::OnProtected(NMHDR* pNMHDR, LRESULT* pResult)
{
    const ENPROTECTED* pProtected = reinterpret_cast<const ENPROTECTED*>(pNMHDR);
    switch (pProtected->msg)
    {
    case WM_CHAR:
    case EM_REPLACESEL:
        m_nEditAction = editTyping;
        break;
    case WM_KEYDOWN:
        m_nEditAction = pProtected->wParam == VK_BACK     ? editBackspace
                        : pProtected->wParam == VK_DELETE ? editDelete
                                                          : editOther;
        break;
    case WM_CUT:
        m_nEditAction = editCut;
        break;
    case WM_PASTE:
        m_nEditAction = m_nEditAction == editCut ? editPasteAfterCut : editPaste;
        break;
    default:
        m_nEditAction = editOther;
        break;
    }
    if (pProtected->msg != EM_SETCHARFORMAT && m_nEditAction != editPasteAfterCut)
        m_chrgEdit = pProtected->chrg;

    // Deleting a character of a block-comment start marker changes where the comment ends.
    if (m_bMultiLineComment && (m_nEditAction == editDelete || m_nEditAction == editBackspace))
    {
        const UINT nFrom = static_cast<UINT>(std::max(0L, pProtected->chrg.cpMin - 1));
        if (GetText(nFrom, static_cast<UINT>(pProtected->chrg.cpMax + 1)).Find(m_strCommentStart) >= 0)
            m_nEditAction = editCommentStart;
    }
    *pResult = 0;
}

void CTavSyntaxColorEdit::OnChange()
{
    if (m_bFormatting)
        return;
    CHARRANGE sel = {};
    GetSel(sel);
    int nAction = m_nEditAction;
    if (nAction == editPasteAfterCut && sel.cpMin == sel.cpMax)
        nAction = editPaste;

    switch (nAction)
    {
    case editNone:
    case editDelete:
    case editBackspace:
    case editCut:
        FormatTextLines(sel.cpMin, sel.cpMax);
        break;
    case editTyping:
    case editPaste:
        FormatTextLines(m_chrgEdit.cpMin, sel.cpMax);
        break;
    case editPasteAfterCut:
    {
        FormatTextLines(sel.cpMin, sel.cpMax);
        const long nCutAt = sel.cpMin > m_chrgEdit.cpMin ? m_chrgEdit.cpMin : m_chrgEdit.cpMax;
        FormatTextLines(nCutAt, nCutAt);
        break;
    }
    case editCommentStart:
    {
        // Through the next end marker, or to the end of the text.
        FormatTextLines(sel.cpMin, FindBlockEnd(sel.cpMin));
        break;
    }
    default:
        FormatAll();
        break;
    }
    m_nEditAction = editNone;
}

// ---------------------------------------------------------------------------------------------------------
// Colouring

void CTavSyntaxColorEdit::FormatAll()
{
    FormatTextRange(0, GetCharCount());
}

// Lines end at a carriage return, not where the window wraps them, so a token is never cut in two.
void CTavSyntaxColorEdit::FormatTextLines(int nFrom, int nTo)
{
    if (nFrom > nTo)
        std::swap(nFrom, nTo);
    // Wide enough for the first window of every search that starts on the edited lines or next to them.
    const CNearTextScope nearText(*this, nFrom - 2 * s_nFirstReadWindow, nTo + 2 * s_nFirstReadWindow);
    FormatTextRange(FindLineStart(nFrom), FindLineEnd(nTo));
}

// A range that ends or starts inside a block comment spanning lines is coloured together with that whole
// block, and the lines after it as far as the edit changed their comment state. Any failure leaves the range
// partly coloured; the pass scope has put everything else back.
void CTavSyntaxColorEdit::FormatTextRange(int nStart, int nEnd)
{
    if (nStart >= nEnd)
        return;
    try
    {
        CPassScope pass(*this);
        if (!m_bRefreshingBlock && m_bMultiLineComment)
        {
            // The refresh covers the blocks at both ends and all of the range asked for, so that the
            // tokenizer never starts inside a comment. A block's first line can begin inside an earlier
            // block that closes on it: then that block is taken in, too.
            CHARRANGE range = { nStart, nEnd };
            BOOL bInBlock = WidenToEnclosingBlock(nEnd, range);
            for (long nChecked = -1; nChecked != range.cpMin;)
            {
                nChecked = range.cpMin;
                bInBlock = WidenToEnclosingBlock(nChecked, range) || bInBlock;
            }
            CFlagScope refreshing(m_bRefreshingBlock, bInBlock != FALSE);
            ColourOnwards(range.cpMin, range.cpMax);
            return;
        }
        ColourRange(nStart, nEnd, FALSE);
    }
    catch (CException* pException)
    {
        pException->Delete();
    }
    catch (...)
    {
    }
}

int CTavSyntaxColorEdit::IsInCommentBlock(int nPos)
{
    long nStartMarkerEnd = -1;
    return FindEnclosingBlock(nPos, nStartMarkerEnd);
}

void CTavSyntaxColorEdit::RefreshCommentBlock(int nPos)
{
    long nStartMarkerEnd = -1;
    FindEnclosingBlock(nPos, nStartMarkerEnd);
    const CHARRANGE block = GetBlockLines(nPos, nStartMarkerEnd);
    CFlagScope refreshing(m_bRefreshingBlock);
    FormatTextRange(block.cpMin, block.cpMax);
}

// Only where case is ignored and rewriting is on. The rewrite is no undo step: the pass has suspended undo.
// It is made as an undoable replacement all the same, since a replacement marked not undoable empties the
// whole undo history on some platforms' rich edit.
void CTavSyntaxColorEdit::ChangeCase(int nFrom, int nTo, const CString& strListed)
{
    if (m_bCaseSensitive || !m_bChangeCase)
        return;
    SetSel(nFrom, nTo);
    ReplaceSel(strListed, TRUE);
    // Markers are case-sensitive: text read before the rewrite may no longer be right.
    m_nNearFrom = -1;
}

void CTavSyntaxColorEdit::SetFormatRange(int nFrom, int nTo, int bBold, COLORREF crColor)
{
    if (nFrom >= nTo)
        return;
    SetSel(nFrom, nTo);
    if (!SelectionHasFormat(bBold, crColor))
        SetSelectionFormat(bBold, crColor);
}

CString CTavSyntaxColorEdit::GetText(UINT nFrom, UINT nTo)
{
    CString strText;
    GetTextRange(static_cast<int>(nFrom), nTo == static_cast<UINT>(-1) ? -1 : static_cast<int>(nTo), strText);
    return strText;
}

BOOL CTavSyntaxColorEdit::ColourRange(long nStart, long nEnd, BOOL bInBlock)
{
    CPassScope pass(*this);
    const CString strText = ReadText(nStart, nEnd);
    BOOL bEndsInBlock = FALSE;
    ApplyTokens(nStart, strText, CTavSyntaxTokenizer(*this).Tokenize(strText.Str(), bInBlock, &bEndsInBlock));
    return bEndsInBlock;
}

// The colours after an edit were made for the text before it. Past the edited lines the text is the same,
// so its colours are right again from the first line start where the comment state (inside a block comment
// or not) is the same as it was before the edit. The state before the edit is no longer known, but the
// colours tell enough of it: had a block run through a line start, everything from there through the
// block's end marker would have the comment look. So the pass goes on line by line while a block runs on or
// while the colours ahead could have been made inside one, and a keystroke after "x; /* y */" costs one look
// at the next line.
void CTavSyntaxColorEdit::ColourOnwards(long nStart, long nEnd)
{
    BOOL bInBlock = ColourRange(nStart, nEnd, FALSE);
    // An empty end marker closes every block where it opens: no block reaches the next line.
    if (m_strCommentEnd.IsEmpty())
        return;
    while (nEnd < GetCharCount() && ReadText(nEnd, nEnd + 1) == L"\r")
    {
        const long nNext = nEnd + 1;
        long nBlockEnd = -1;
        if (bInBlock)
            nBlockEnd = FindBlockEnd(nNext);
        else if (!HasBlockLook(nNext, nBlockEnd))
            return;
        // A block that runs on takes in the line break, too.
        const long nFrom = bInBlock ? nEnd : nNext;
        nEnd = FindLineEnd(nBlockEnd);
        bInBlock = ColourRange(nFrom, nEnd, bInBlock);
    }
}

// Whether everything from nPos through the end of the first end marker (or to the end of the text), where
// nBlockEnd is, has the comment look. Most often the line at nPos settles it without reading further.
BOOL CTavSyntaxColorEdit::HasBlockLook(long nPos, long& nBlockEnd)
{
    const long nLineEnd = FindLineEnd(nPos);
    const int nMarker = ReadText(nPos, nLineEnd).Find(m_strCommentEnd);
    nBlockEnd = nMarker >= 0 ? nPos + nMarker + m_strCommentEnd.GetLength() : nLineEnd;
    if (!HasCommentLook(nPos, nBlockEnd))
        return FALSE;
    if (nMarker >= 0)
        return TRUE;
    nBlockEnd = FindBlockEnd(nLineEnd);
    return HasCommentLook(nLineEnd, nBlockEnd);
}

BOOL CTavSyntaxColorEdit::HasCommentLook(long nFrom, long nTo)
{
    if (nFrom >= nTo)
        return TRUE;
    const CTokenFormat comment = GetTokenFormat(eTokenComment);
    SetSel(nFrom, nTo);
    return SelectionHasFormat(comment.bBold, comment.crColor);
}

void CTavSyntaxColorEdit::ApplyTokens(long nStart, const CString& strText, const std::vector<CTavSyntaxToken>& tokens)
{
    // Rewriting keeps every word's length, so the token positions stay valid. A word already spelled right
    // is left alone.
    const std::wstring_view text = strText.Str();
    for (const CTavSyntaxToken& token : tokens)
    {
        const std::wstring_view word = text.substr(token.nStart, token.nEnd - token.nStart);
        if (!token.strListed.IsEmpty() && word != token.strListed.Str())
            ChangeCase(nStart + token.nStart, nStart + token.nEnd, token.strListed);
    }

    for (size_t i = 0; i < tokens.size();)
    {
        const CTokenFormat format = GetTokenFormat(tokens[i].eKind);
        size_t nRunEnd = i + 1;
        while (nRunEnd < tokens.size() && IsSameFormat(GetTokenFormat(tokens[nRunEnd].eKind), format))
            ++nRunEnd;
        // A run of tokens that should look alike is usually right already: one look at the run settles it.
        if (nRunEnd - i > 1)
        {
            SetSel(nStart + tokens[i].nStart, nStart + tokens[nRunEnd - 1].nEnd);
            if (SelectionHasFormat(format.bBold, format.crColor))
            {
                i = nRunEnd;
                continue;
            }
        }
        for (; i < nRunEnd; ++i)
            SetFormatRange(nStart + tokens[i].nStart, nStart + tokens[i].nEnd, format.bBold, format.crColor);
    }
}

BOOL CTavSyntaxColorEdit::SelectionHasFormat(BOOL bBold, COLORREF crColor) const
{
    CHARFORMAT cf = {};
    const DWORD dwMask = GetSelectionCharFormat(cf);
    return (dwMask & (CFM_COLOR | CFM_BOLD)) == (CFM_COLOR | CFM_BOLD) && cf.crTextColor == crColor &&
           ((cf.dwEffects & CFE_BOLD) != 0) == (bBold != FALSE);
}

// Only colour and boldness change; the protection stays.
void CTavSyntaxColorEdit::SetSelectionFormat(BOOL bBold, COLORREF crColor)
{
    CHARFORMAT cf = {};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_COLOR | CFM_BOLD;
    cf.dwEffects = bBold ? CFE_BOLD : 0;
    cf.crTextColor = crColor;
    SetSelectionCharFormat(cf);
}

// ---------------------------------------------------------------------------------------------------------
// Reading the text near a position

long CTavSyntaxColorEdit::GetCharCount() const
{
    return GetTextLengthEx(GTL_NUMCHARS | GTL_PRECISE);
}

CString CTavSyntaxColorEdit::ReadText(long nFrom, long nTo)
{
    // An empty range reads nothing: the rich edit would take a negative end for the end of the text.
    if (nTo <= nFrom)
        return CString();
    if (m_nNearFrom >= 0 && nFrom >= m_nNearFrom && nTo <= m_nNearFrom + m_strNearText.GetLength())
        return m_strNearText.Mid(nFrom - m_nNearFrom, nTo - nFrom);
    CString strText;
    GetTextRange(nFrom, nTo, strText);
    return strText;
}

BOOL CTavSyntaxColorEdit::FindEnclosingBlock(long nPos, long& nStartMarkerEnd)
{
    nPos = std::min(nPos, GetCharCount());
    const CTavCommentBlockScan scan(m_strCommentStart, m_strCommentEnd);
    for (long long nWindow = s_nFirstReadWindow;; nWindow *= s_nReadGrowth)
    {
        const long nFrom = static_cast<long>(std::max(0LL, nPos - nWindow));
        const CString strText = ReadText(nFrom, nPos);
        const CTavCommentBlockScan::EVerdict eVerdict = scan.Judge(strText.Str(), nFrom, nStartMarkerEnd);
        if (eVerdict != CTavCommentBlockScan::eNeedMoreText)
            return eVerdict == CTavCommentBlockScan::eInside;
    }
}

long CTavSyntaxColorEdit::FindForward(const CString& strWhat, long nPos)
{
    const long nCount = GetCharCount();
    for (long long nWindow = s_nFirstReadWindow;; nWindow *= s_nReadGrowth)
    {
        const long nTo = static_cast<long>(std::min<long long>(nCount, nPos + nWindow));
        const CString strText = ReadText(nPos, nTo);
        const int nFound = strText.Find(strWhat);
        if (nFound >= 0)
            return nPos + nFound;
        if (nTo >= nCount)
            return -1;
    }
}

long CTavSyntaxColorEdit::FindLineStart(long nPos)
{
    for (long long nWindow = s_nFirstReadWindow;; nWindow *= s_nReadGrowth)
    {
        const long nFrom = static_cast<long>(std::max(0LL, nPos - nWindow));
        const CString strText = ReadText(nFrom, nPos);
        const int nBreak = strText.ReverseFind(L'\r');
        if (nBreak >= 0)
            return nFrom + nBreak + 1;
        if (nFrom == 0)
            return 0;
    }
}

long CTavSyntaxColorEdit::FindLineEnd(long nPos)
{
    const long nBreak = FindForward(CString(L'\r'), nPos);
    return nBreak < 0 ? GetCharCount() : nBreak;
}

BOOL CTavSyntaxColorEdit::WidenToEnclosingBlock(long nPos, CHARRANGE& range)
{
    long nStartMarkerEnd = -1;
    if (!FindEnclosingBlock(nPos, nStartMarkerEnd))
        return FALSE;
    const CHARRANGE block = GetBlockLines(nPos, nStartMarkerEnd);
    range.cpMin = std::min(range.cpMin, block.cpMin);
    range.cpMax = std::max(range.cpMax, block.cpMax);
    return TRUE;
}

// The block ends at the first end marker found from one character into its start marker, as the tokenizer
// finds it. On a line that closes a block before nPos that is the marker on that line, not the next
// block's end further down. Without a start marker the lines run from nPos's own.
CHARRANGE CTavSyntaxColorEdit::GetBlockLines(long nPos, long nStartMarkerEnd)
{
    const long nSearchFrom =
        nStartMarkerEnd < 0 ? nPos : std::max(0L, nStartMarkerEnd - m_strCommentStart.GetLength() + 1);
    const long nFrom = std::min(nSearchFrom, nPos);
    return { FindLineStart(nFrom), FindLineEnd(FindBlockEnd(nFrom)) };
}

long CTavSyntaxColorEdit::FindBlockEnd(long nPos)
{
    const long nEndMarker = FindForward(m_strCommentEnd, nPos);
    return nEndMarker < 0 ? GetCharCount() : nEndMarker + m_strCommentEnd.GetLength();
}
