#pragma once
// CTavSyntaxColorEdit: a rich edit that colours program text by language while the user types. All text is
// protected, so that the rich edit announces every edit (EN_PROTECTED) before it happens; the control
// records the announcement and, on the following EN_CHANGE, re-colours only the lines the edit touched.
#include "SyntaxLanguage.h"

#include "frame/RichEditCtrl.h"

#include <vector>

struct CTavSyntaxToken;

/// A rich edit that colours program text by language while the user types. Choose a preset with
/// SetLanguage or set the CTavSyntaxLanguage settings; edits re-colour the lines they touch, and WM_SETTEXT
/// re-colours the whole text. The parent sees none of the edit notifications.
class TAV_API CTavSyntaxColorEdit : public CRichEditCtrl, public CTavSyntaxLanguage
{
public:
    /// The kind of the last announced edit, which decides the lines to re-colour.
    enum EEditAction
    {
        editNone = 0,            ///< no edit announced
        editOther = 1,           ///< any other change (undo, redo, set text)
        editTyping = 2,          ///< a typed character
        editDelete = 3,          ///< the Delete key
        editBackspace = 4,       ///< the Backspace key
        editCut = 5,             ///< a cut
        editPaste = 6,           ///< a paste
        editPasteAfterCut = 7,   ///< a paste right after a cut, which keeps the cut's range
        editCommentStart = 8     ///< typing that may open or close a block comment
    };

    /// No language until SetLanguage or the setters choose one.
    CTavSyntaxColorEdit();
    /// Destroys the window if it still exists.
    virtual ~CTavSyntaxColorEdit();

    /// Applies a preset and re-colours the whole text if the window exists; other values keep every setting.
    void SetLanguage(ELanguage eLanguage);

    /// Re-colours the whole text in one pass; the selection is kept.
    void FormatAll();
    /// The text of [nFrom, nTo), nTo = -1 meaning the end; the selection is left as it is.
    CString GetText(UINT nFrom, UINT nTo);

protected:
    /// Sets the tab stops, the protected Courier New default format and the event mask.
    void Initialize();
    /// Initialises a window attached with SubclassWindow (a dialog's rich edit).
    virtual void PreSubclassWindow() override;

    /// Re-colours the whole lines that [nFrom, nTo] touches, widened to any block comment they lie in.
    /// Positions here are character indices with one character per line break.
    void FormatTextLines(int nFrom, int nTo);
    /// Re-colours [nStart, nEnd), widened to any block comment it starts or ends in.
    void FormatTextRange(int nStart, int nEnd);
    /// Whether the position lies inside a block comment.
    int IsInCommentBlock(int nPos);
    /// Re-colours the lines of the block comment around the position.
    void RefreshCommentBlock(int nPos);
    /// Rewrites [nFrom, nTo) in its listed spelling when matching ignores case and SetChangeCase is on.
    void ChangeCase(int nFrom, int nTo, const CString& strListed);
    /// Gives [nFrom, nTo) the colour and boldness, only where it differs.
    void SetFormatRange(int nFrom, int nTo, int bBold, COLORREF crColor);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);            ///< initialises the new window
    afx_msg void OnChange();                                         ///< re-colours the lines of the last edit
    afx_msg UINT OnGetDlgCode();                                     ///< keeps arrows, Tab, Enter and Escape
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);     ///< types Tab into the text
    afx_msg void OnProtected(NMHDR* pNMHDR, LRESULT* pResult);      ///< records the coming edit
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);        ///< sets the text, then FormatAll
    afx_msg LRESULT OnSetUndoLimit(WPARAM wParam, LPARAM lParam);   ///< remembers the host's undo limit
    DECLARE_MESSAGE_MAP()

    int m_bFormatting;          ///< a colouring pass is running (its own edits are not re-coloured)
    int m_bRefreshingBlock;     ///< a block comment is being re-coloured
    int m_nEditAction;          ///< EEditAction of the last announced edit
    CHARRANGE m_chrgEdit;       ///< range of the last announced edit

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
