#pragma once
// Static message maps: each class owns a constant table of entries chained to its base class's table.
// The entry macros cast each handler to the exact member-function type of its message, so a handler with
// the wrong signature does not compile; the dispatcher casts it back to that same type before calling.
#include "Object.h"

class CCmdTarget;
class CWnd;
class CDC;
class CScrollBar;
class CListBox;

#ifndef afx_msg
#define afx_msg
#endif

typedef void (CCmdTarget::*AFX_PMSG)();

// Notifications that a parent hands back to the child control that sent them arrive at the child as
// WM_REFLECT_BASE + the original message.
#define WM_REFLECT_BASE 0xBC00

// The pseudo message under which every WM_CTLCOLORxxx is mapped (nCtlColor tells which one).
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

// Command code of a menu item or accelerator (equal to BN_CLICKED, as on the platform).
#define CN_COMMAND 0

// How the dispatcher calls a handler: one value per handler signature.
enum AfxSig : UINT_PTR
{
    AfxSig_end = 0,
    AfxSig_l_w_l,          // LRESULT (WPARAM, LPARAM)
    AfxSig_i_CS,           // int (LPCREATESTRUCT)
    AfxSig_b_CS,           // BOOL (LPCREATESTRUCT)
    AfxSig_v_v,            // void ()
    AfxSig_b_v,            // BOOL ()
    AfxSig_v_b,            // void (BOOL)
    AfxSig_v_u_ii,         // void (UINT, int, int)
    AfxSig_v_ii,           // void (int, int)
    AfxSig_b_D,            // BOOL (CDC*)
    AfxSig_v_W,            // void (CWnd*)
    AfxSig_v_W_p,          // void (CWnd*, CPoint)
    AfxSig_v_uuu,          // void (UINT, UINT, UINT)
    AfxSig_u_v,            // UINT ()
    AfxSig_v_u_p,          // void (UINT, CPoint)
    AfxSig_b_u_s_p,        // BOOL (UINT, short, CPoint)
    AfxSig_l_p,            // LRESULT (CPoint)
    AfxSig_v_t,            // void (UINT_PTR)
    AfxSig_v_i_DIS,        // void (int, LPDRAWITEMSTRUCT)
    AfxSig_v_i_MIS,        // void (int, LPMEASUREITEMSTRUCT)
    AfxSig_b_W_uu,         // BOOL (CWnd*, UINT, UINT)
    AfxSig_v_uu_SB,        // void (UINT, UINT, CScrollBar*)
    AfxSig_v_b_u,          // void (BOOL, UINT)
    AfxSig_h_D_W_u,        // HBRUSH (CDC*, CWnd*, UINT)
    AfxSig_v_NMHDR_l,      // void (NMHDR*, LRESULT*)
    AfxSig_b_NMHDR_l,      // BOOL (NMHDR*, LRESULT*)
    AfxSig_v_u_NMHDR_l,    // void (UINT, NMHDR*, LRESULT*)
    AfxSig_v_DIS,          // void (LPDRAWITEMSTRUCT)
    AfxSig_v_MIS,          // void (LPMEASUREITEMSTRUCT)
    AfxSig_h_D_u,          // HBRUSH (CDC*, UINT)
    AfxSig_v_u,            // void (UINT)
    AfxSig_v_i_DELIS,      // void (int, LPDELETEITEMSTRUCT)
    AfxSig_i_i_CIS,        // int (int, LPCOMPAREITEMSTRUCT)
    AfxSig_i_u_LB_u,       // int (UINT, CListBox*, UINT)
};

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;     // window message; 0xC000 for a registered message
    UINT nCode;        // notification or control code
    UINT nID;          // first control ID of the range
    UINT nLastID;      // last control ID of the range
    UINT_PTR nSig;     // an AfxSig; for a registered message the address of the UINT holding its number
    AFX_PMSG pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// The root of every message map.
class FRAME_API CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    virtual ~CCmdTarget();

    // The first entry, searching this class's map and then its bases', that satisfies the predicate.
    template <class Predicate>
    const AFX_MSGMAP_ENTRY* FindMessageEntry(Predicate matches) const
    {
        for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr)
            for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->nSig != AfxSig_end; ++pEntry)
                if (matches(*pEntry))
                    return pEntry;
        return nullptr;
    }

protected:
    CCmdTarget() = default;

    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

#define DECLARE_MESSAGE_MAP()                                  \
protected:                                                     \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();       \
    virtual const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap()                          \
    {                                                                               \
        typedef theClass ThisClass;                                                 \
        typedef baseClass TheBaseClass;                                             \
        (void)sizeof(ThisClass*);                                                   \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                           \
            { 0, 0, 0, 0, AfxSig_end, nullptr } };                                  \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, &_messageEntries[0] }; \
        return &messageMap;                                                         \
    }

// Casts a handler to the exact member-function type of its entry and stores it type-erased.
#define AFX_MSG_PMF(type, memberFxn) reinterpret_cast<AFX_PMSG>(static_cast<type>(memberFxn))
#define AFX_WND_ENTRY(msg, sig, type, memberFxn) { msg, 0, 0, 0, sig, AFX_MSG_PMF(type, memberFxn) },

// Window messages with their standard handlers.
#define ON_WM_CREATE() AFX_WND_ENTRY(WM_CREATE, AfxSig_i_CS, int (CWnd::*)(LPCREATESTRUCT), &ThisClass::OnCreate)
#define ON_WM_NCCREATE() AFX_WND_ENTRY(WM_NCCREATE, AfxSig_b_CS, BOOL (CWnd::*)(LPCREATESTRUCT), &ThisClass::OnNcCreate)
#define ON_WM_DESTROY() AFX_WND_ENTRY(WM_DESTROY, AfxSig_v_v, void (CWnd::*)(), &ThisClass::OnDestroy)
#define ON_WM_NCDESTROY() AFX_WND_ENTRY(WM_NCDESTROY, AfxSig_v_v, void (CWnd::*)(), &ThisClass::OnNcDestroy)
#define ON_WM_CLOSE() AFX_WND_ENTRY(WM_CLOSE, AfxSig_v_v, void (CWnd::*)(), &ThisClass::OnClose)
#define ON_WM_SIZE() AFX_WND_ENTRY(WM_SIZE, AfxSig_v_u_ii, void (CWnd::*)(UINT, int, int), &ThisClass::OnSize)
#define ON_WM_MOVE() AFX_WND_ENTRY(WM_MOVE, AfxSig_v_ii, void (CWnd::*)(int, int), &ThisClass::OnMove)
#define ON_WM_PAINT() AFX_WND_ENTRY(WM_PAINT, AfxSig_v_v, void (CWnd::*)(), &ThisClass::OnPaint)
#define ON_WM_ERASEBKGND() AFX_WND_ENTRY(WM_ERASEBKGND, AfxSig_b_D, BOOL (CWnd::*)(CDC*), &ThisClass::OnEraseBkgnd)
#define ON_WM_SETFOCUS() AFX_WND_ENTRY(WM_SETFOCUS, AfxSig_v_W, void (CWnd::*)(CWnd*), &ThisClass::OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_WND_ENTRY(WM_KILLFOCUS, AfxSig_v_W, void (CWnd::*)(CWnd*), &ThisClass::OnKillFocus)
#define ON_WM_ENABLE() AFX_WND_ENTRY(WM_ENABLE, AfxSig_v_b, void (CWnd::*)(BOOL), &ThisClass::OnEnable)
#define ON_WM_SHOWWINDOW() AFX_WND_ENTRY(WM_SHOWWINDOW, AfxSig_v_b_u, void (CWnd::*)(BOOL, UINT), &ThisClass::OnShowWindow)
#define ON_WM_CHAR() AFX_WND_ENTRY(WM_CHAR, AfxSig_v_uuu, void (CWnd::*)(UINT, UINT, UINT), &ThisClass::OnChar)
#define ON_WM_SYSCHAR() AFX_WND_ENTRY(WM_SYSCHAR, AfxSig_v_uuu, void (CWnd::*)(UINT, UINT, UINT), &ThisClass::OnSysChar)
#define ON_WM_KEYDOWN() AFX_WND_ENTRY(WM_KEYDOWN, AfxSig_v_uuu, void (CWnd::*)(UINT, UINT, UINT), &ThisClass::OnKeyDown)
#define ON_WM_KEYUP() AFX_WND_ENTRY(WM_KEYUP, AfxSig_v_uuu, void (CWnd::*)(UINT, UINT, UINT), &ThisClass::OnKeyUp)
#define ON_WM_SYSKEYDOWN() AFX_WND_ENTRY(WM_SYSKEYDOWN, AfxSig_v_uuu, void (CWnd::*)(UINT, UINT, UINT), &ThisClass::OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_WND_ENTRY(WM_SYSKEYUP, AfxSig_v_uuu, void (CWnd::*)(UINT, UINT, UINT), &ThisClass::OnSysKeyUp)
#define ON_WM_GETDLGCODE() AFX_WND_ENTRY(WM_GETDLGCODE, AfxSig_u_v, UINT (CWnd::*)(), &ThisClass::OnGetDlgCode)
#define ON_WM_MOUSEMOVE() AFX_WND_ENTRY(WM_MOUSEMOVE, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), &ThisClass::OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_WND_ENTRY(WM_LBUTTONDOWN, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), &ThisClass::OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_WND_ENTRY(WM_LBUTTONUP, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), &ThisClass::OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_WND_ENTRY(WM_LBUTTONDBLCLK, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), &ThisClass::OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_WND_ENTRY(WM_RBUTTONDOWN, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), &ThisClass::OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_WND_ENTRY(WM_RBUTTONUP, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), &ThisClass::OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_WND_ENTRY(WM_RBUTTONDBLCLK, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), &ThisClass::OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_WND_ENTRY(WM_MBUTTONDOWN, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), &ThisClass::OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_WND_ENTRY(WM_MBUTTONUP, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), &ThisClass::OnMButtonUp)
#define ON_WM_MOUSEWHEEL() AFX_WND_ENTRY(WM_MOUSEWHEEL, AfxSig_b_u_s_p, BOOL (CWnd::*)(UINT, short, CPoint), &ThisClass::OnMouseWheel)
#define ON_WM_MOUSELEAVE() AFX_WND_ENTRY(WM_MOUSELEAVE, AfxSig_v_v, void (CWnd::*)(), &ThisClass::OnMouseLeave)
#define ON_WM_NCHITTEST() AFX_WND_ENTRY(WM_NCHITTEST, AfxSig_l_p, LRESULT (CWnd::*)(CPoint), &ThisClass::OnNcHitTest)
#define ON_WM_CONTEXTMENU() AFX_WND_ENTRY(WM_CONTEXTMENU, AfxSig_v_W_p, void (CWnd::*)(CWnd*, CPoint), &ThisClass::OnContextMenu)
#define ON_WM_TIMER() AFX_WND_ENTRY(WM_TIMER, AfxSig_v_t, void (CWnd::*)(UINT_PTR), &ThisClass::OnTimer)
#define ON_WM_DRAWITEM() AFX_WND_ENTRY(WM_DRAWITEM, AfxSig_v_i_DIS, void (CWnd::*)(int, LPDRAWITEMSTRUCT), &ThisClass::OnDrawItem)
#define ON_WM_MEASUREITEM() AFX_WND_ENTRY(WM_MEASUREITEM, AfxSig_v_i_MIS, void (CWnd::*)(int, LPMEASUREITEMSTRUCT), &ThisClass::OnMeasureItem)
#define ON_WM_DELETEITEM() AFX_WND_ENTRY(WM_DELETEITEM, AfxSig_v_i_DELIS, void (CWnd::*)(int, LPDELETEITEMSTRUCT), &ThisClass::OnDeleteItem)
#define ON_WM_COMPAREITEM() AFX_WND_ENTRY(WM_COMPAREITEM, AfxSig_i_i_CIS, int (CWnd::*)(int, LPCOMPAREITEMSTRUCT), &ThisClass::OnCompareItem)
#define ON_WM_VKEYTOITEM() AFX_WND_ENTRY(WM_VKEYTOITEM, AfxSig_i_u_LB_u, int (CWnd::*)(UINT, CListBox*, UINT), &ThisClass::OnVKeyToItem)
#define ON_WM_CHARTOITEM() AFX_WND_ENTRY(WM_CHARTOITEM, AfxSig_i_u_LB_u, int (CWnd::*)(UINT, CListBox*, UINT), &ThisClass::OnCharToItem)
#define ON_WM_SETCURSOR() AFX_WND_ENTRY(WM_SETCURSOR, AfxSig_b_W_uu, BOOL (CWnd::*)(CWnd*, UINT, UINT), &ThisClass::OnSetCursor)
#define ON_WM_HSCROLL() AFX_WND_ENTRY(WM_HSCROLL, AfxSig_v_uu_SB, void (CWnd::*)(UINT, UINT, CScrollBar*), &ThisClass::OnHScroll)
#define ON_WM_VSCROLL() AFX_WND_ENTRY(WM_VSCROLL, AfxSig_v_uu_SB, void (CWnd::*)(UINT, UINT, CScrollBar*), &ThisClass::OnVScroll)
#define ON_WM_CAPTURECHANGED() AFX_WND_ENTRY(WM_CAPTURECHANGED, AfxSig_v_W, void (CWnd::*)(CWnd*), &ThisClass::OnCaptureChanged)
#define ON_WM_CANCELMODE() AFX_WND_ENTRY(WM_CANCELMODE, AfxSig_v_v, void (CWnd::*)(), &ThisClass::OnCancelMode)
#define ON_WM_CTLCOLOR() AFX_WND_ENTRY(WM_CTLCOLOR, AfxSig_h_D_W_u, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), &ThisClass::OnCtlColor)

// Any message, by number or by registered number.
#define ON_MESSAGE(message, memberFxn) AFX_WND_ENTRY(message, AfxSig_l_w_l, LRESULT (CWnd::*)(WPARAM, LPARAM), &ThisClass::memberFxn)
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    { 0xC000, 0, 0, 0, reinterpret_cast<UINT_PTR>(&nMessageVariable), AFX_MSG_PMF(LRESULT (CWnd::*)(WPARAM, LPARAM), &ThisClass::memberFxn) },

// An entry for a notification code from a range of control IDs (0, 0 for a reflected one).
#define AFX_ID_ENTRY(msg, code, id, idLast, sig, type, memberFxn) \
    { msg, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(idLast), sig, AFX_MSG_PMF(type, &ThisClass::memberFxn) },

// Commands and control notifications that arrive at the parent.
#define ON_COMMAND(id, memberFxn) AFX_ID_ENTRY(WM_COMMAND, CN_COMMAND, id, id, AfxSig_v_v, void (CCmdTarget::*)(), memberFxn)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    AFX_ID_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, AfxSig_v_u, void (CCmdTarget::*)(UINT), memberFxn)
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    AFX_ID_ENTRY(WM_COMMAND, wNotifyCode, id, id, AfxSig_v_v, void (CCmdTarget::*)(), memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    AFX_ID_ENTRY(WM_NOTIFY, wNotifyCode, id, id, AfxSig_v_NMHDR_l, void (CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    AFX_ID_ENTRY(WM_NOTIFY, wNotifyCode, id, idLast, AfxSig_v_u_NMHDR_l, void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn)

// Reflected notifications, handled by the control that sent them. A plain entry keeps the notification
// from the parent; an _EX entry lets the parent handle it too when the handler returns FALSE.
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    AFX_ID_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, wNotifyCode, 0, 0, AfxSig_v_NMHDR_l, void (CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    AFX_ID_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, wNotifyCode, 0, 0, AfxSig_b_NMHDR_l, BOOL (CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    AFX_ID_ENTRY(WM_REFLECT_BASE + WM_COMMAND, wNotifyCode, 0, 0, AfxSig_v_v, void (CCmdTarget::*)(), memberFxn)
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    AFX_ID_ENTRY(WM_REFLECT_BASE + WM_COMMAND, wNotifyCode, 0, 0, AfxSig_b_v, BOOL (CCmdTarget::*)(), memberFxn)
#define ON_WM_DRAWITEM_REFLECT() \
    AFX_WND_ENTRY(WM_REFLECT_BASE + WM_DRAWITEM, AfxSig_v_DIS, void (CWnd::*)(LPDRAWITEMSTRUCT), &ThisClass::DrawItem)
#define ON_WM_MEASUREITEM_REFLECT() \
    AFX_WND_ENTRY(WM_REFLECT_BASE + WM_MEASUREITEM, AfxSig_v_MIS, void (CWnd::*)(LPMEASUREITEMSTRUCT), &ThisClass::MeasureItem)
#define ON_WM_CTLCOLOR_REFLECT() \
    AFX_WND_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR, AfxSig_h_D_u, HBRUSH (CWnd::*)(CDC*, UINT), &ThisClass::CtlColor)
