#pragma once
// CTavSyntaxColorEdit: a rich edit that colours program text by language while the user types. All text is
// protected, so that the rich edit announces every edit (EN_PROTECTED) before it happens; the control
// records the announcement and, on the following EN_CHANGE, re-colours only the lines the edit touched.
#include "SyntaxLanguage.h"

#include "frame/RichEditCtrl.h"

#include <vector>

struct CTavSyntaxToken;

class TAV_API CTavSyntaxColorEdit : public CRichEditCtrl, public CTavSyntaxLanguage
{
public:
    // The kind of the last announced edit, which decides the lines to re-colour.
    enum EEditAction
    {
        editNone = 0,
        editOther = 1,
        editTyping = 2,
        editDelete = 3,
        editBackspace = 4,
        editCut = 5,
        editPaste = 6,
        editPasteAfterCut = 7,
        editCommentStart = 8
    };

    CTavSyntaxColorEdit();
    virtual ~CTavSyntaxColorEdit();

    // Applies a preset and re-colours the whole text if the window exists; other values keep every setting.
    void SetLanguage(ELanguage eLanguage);

    void FormatAll();
    // The text of [nFrom, nTo), nTo = -1 meaning the end; the selection is left as it is.
    CString GetText(UINT nFrom, UINT nTo);

protected:
    void Initialize();
    virtual void PreSubclassWindow() override;

    // Colouring. Positions are character indices with one character per line break.
    void FormatTextLines(int nFrom, int nTo);
    void FormatTextRange(int nStart, int nEnd);
    int IsInCommentBlock(int nPos);
    void RefreshCommentBlock(int nPos);
    void ChangeCase(int nFrom, int nTo, const CString& strListed);
    void SetFormatRange(int nFrom, int nTo, int bBold, COLORREF crColor);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnChange();
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnProtected(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetUndoLimit(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    int m_bFormatting;
    int m_bRefreshingBlock;
    int m_nEditAction;
    CHARRANGE m_chrgEdit;

private:
    class CPassScope;
    class CFlagScope;
    class CNearTextScope;

    long GetCharCount() const;
    // The text of [nFrom, nTo), from the text read around the current edit when that covers it: on this
    // platform every read costs time in proportion to its position, so one read serves all the searches.
    CString ReadText(long nFrom, long nTo);
    // Whether nPos lies in a block comment, reading back only as far as the decision needs; when it does,
    // nStartMarkerEnd is the position just past the block's start marker.
    BOOL FindEnclosingBlock(long nPos, long& nStartMarkerEnd);
    // The first occurrence of a text at or after nPos, reading forward only as far as needed; -1 if none.
    long FindForward(const CString& strWhat, long nPos);
    long FindLineStart(long nPos);
    long FindLineEnd(long nPos);
    // The lines of the block comment around nPos: from its start marker's line through the line of its end
    // marker, or to the end of the text.
    CHARRANGE GetBlockLines(long nPos, long nStartMarkerEnd);
    // Just past the first end marker at or after nPos, or the end of the text.
    long FindBlockEnd(long nPos);
    // When nPos lies in a block comment, widens the range to take in the block's lines.
    BOOL WidenToEnclosingBlock(long nPos, CHARRANGE& range);

    // Colours [nStart, nEnd), which starts inside a block comment when bInBlock is set; returns whether a
    // block comment runs on past nEnd.
    BOOL ColourRange(long nStart, long nEnd, BOOL bInBlock);
    // Colours [nStart, nEnd), which starts outside any block comment and ends at a line end, and then the
    // lines after it whose colours were made for another comment state than the text now has there.
    void ColourOnwards(long nStart, long nEnd);
    BOOL HasBlockLook(long nPos, long& nBlockEnd);
    BOOL HasCommentLook(long nFrom, long nTo);
    void ApplyTokens(long nStart, const CString& strText, const std::vector<CTavSyntaxToken>& tokens);
    BOOL SelectionHasFormat(BOOL bBold, COLORREF crColor) const;
    void SetSelectionFormat(BOOL bBold, COLORREF crColor);

    // The undo limit the host chose (the rich edit's own default until it chooses one); a pass suspends
    // undo by lowering the limit to 0 and then puts this back.
    UINT m_nUndoLimit;

    // The text read around the current edit, starting at m_nNearFrom; -1 when there is none.
    CString m_strNearText;
    long m_nNearFrom;
};
