#pragma once
// CToolTipCtrl: the platform's tooltip window. Tools are rectangles of a window, each with an ID and a
// text; the owner relays its mouse messages so that the tooltip knows where the pointer rests.
#include "Wnd.h"

class FRAME_API CToolTipCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    CToolTipCtrl() = default;
    ~CToolTipCtrl() override;

    // A popup owned by pParentWnd; dwStyle adds TTS_ flags.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    // A tool over lpRectTool (client coordinates of pWnd) shown with lpszText.
    BOOL AddTool(CWnd* pWnd, LPCWSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool);
    // Removes every tool of every window.
    void DelAllTools();
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
    // The text and rectangle of a tool; FALSE when pWnd has no tool with that ID.
    BOOL GetToolText(CWnd* pWnd, UINT_PTR nIDTool, CString& strText, LPRECT lpRect = nullptr) const;
    // Wider texts wrap; -1 for no wrapping. A positive width also honours line breaks in the texts.
    int SetMaxTipWidth(int nWidth) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, nWidth)); }
    int GetMaxTipWidth() const { return static_cast<int>(SendMessage(TTM_GETMAXTIPWIDTH)); }
    void RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg)); }
};
