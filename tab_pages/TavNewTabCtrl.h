#pragma once
// CTavNewTabCtrl: the page model of CTavTabCtrl on the library's own tab window. The host attaches the object
// to a marker window, adds pages and calls InitializeControl, which puts the tab window in the marker's place.
#include "TavApi.h"
#include "frame/TabWindow.h"
#include "frame/ToolTipCtrl.h"
#include "frame/ImageList.h"
#include "frame/Gdi.h"
#include "tab_pages/TavTabItemList.h"
#include "tab_pages/TavTabMessages.h"

class CDialog;

/// A tab window whose tabs show modeless page dialogs; the containing window may refuse a change through
/// CTavNewTabParent, and a disabled page's tab is hidden.
class TAV_API CTavNewTabCtrl : public CTabWindow
{
    DECLARE_DYNAMIC(CTavNewTabCtrl)
public:
    /// Side of the tabs, read when InitializeControl creates the tab window.
    enum ELabelSide
    {
        eLabelTop = 0,      ///< tabs above the pages
        eLabelBottom = 1,   ///< tabs below the pages
    };

    /// No pages; the image list of the pictures is created.
    CTavNewTabCtrl();
    /// Deletes the image list, the tooltip, the pages and pictures the records own, then the tab window.
    ~CTavNewTabCtrl() override;

    /// Adds a page: the dialog, whether the control owns it, a bitmap resource ID (0 for none), the tooltip
    /// text, the caption (empty: the template's) and the picture's transparent colour. Activates nothing.
    void AddPage(CDialog* pPage, int bDeletePage, long nBitmapID, const CString& strDescription,
                 const CString& strCaption, COLORREF crMask);
    /// Adds a copy of the record; its picture's image index is written back into the caller's record.
    void AddPage(CTavTabItem& item);
    /// Removes tab and record; the page's window is destroyed if asked or if the record owns the page.
    void RemovePage(long nPage, bool bDestroyWindow);
    /// Removes every page, first to last.
    void RemoveAllPages(bool bDestroyWindow);
    /// Makes the page active (also when it is active already, with bForce); bUserAction 0 marks the switch
    /// as the control's own (m_bSwitchingItself) while it runs.
    void ActivatePage(long nPage, int bForce, int bUserAction);
    /// The active tab, -1 for none.
    long GetActivePage();
    /// The number of tabs, hidden ones included.
    long GetPageCount();
    /// The page dialog of a record.
    CDialog* GetPage(long nPage);
    /// The same as GetPage.
    CDialog* GetPage_save(long nPage);
    /// The first record holding the page, -1 for none.
    long GetPageIndex(CDialog* pPage);
    /// A copy of the tab's caption.
    CString GetPageCaption(long nPage);
    /// A copy of the tab's tooltip text.
    CString GetPageDescription(long nPage);
    /// Sets the tab's label, then checks the index and stores it.
    void SetPageCaption(long nPage, const CString& strCaption);
    /// Stores the tooltip text and puts it on the tab's tool (even an empty one).
    void SetPageDescription(long nPage, const CString& strDescription);
    /// The page's picture, null for none.
    CBitmap* GetPagePicture(long nPage);
    /// Replaces the picture; the former one is freed if the record owned it (and it is another bitmap).
    void SetPagePicture(long nPage, CBitmap* pPicture, int bDeletePicture, COLORREF crMask);
    /// Replaces the picture with one loaded from a bitmap resource, owned by the record.
    void SetPagePicture(long nPage, long nBitmapID, COLORREF crMask);
    /// The page's tab shows again at its place.
    void EnablePage(long nPage);
    /// The page's tab disappears; if it is active, the nearest enabled page to its right (else left) is.
    void DisablePage(long nPage);
    /// Whether the page may become active.
    BOOL IsPageEnabled(long nPage);
    /// Stores the side for the next InitializeControl.
    void SetLabelSide(ELabelSide eLabelSide);
    /// Activated pages are shown and told (the default).
    void SetShowActivePage();
    /// Activated pages are created if needed but kept hidden and not told.
    void SetHideActivePage();
    /// The window object of the control's parent.
    CWnd* GetParent_save();

    /// OnOK of every page that has a window.
    virtual void OnOK();
    /// OnCancel of every page that has a window.
    virtual void OnCancel();
    /// Replaces the marker window by the tab window, adds the tabs and activates page 0.
    virtual void InitializeControl();
    /// Relays to the tooltip; switches pages by Left, Right, Ctrl(+Shift)+Tab; moves the focus by (Shift+)Tab.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    /// Only the base behaviour of the window class.
    void PreSubclassWindow() override;
    /// Asked before the active tab changes: the focus window is told, the owner asked; non-zero refuses.
    BOOL FireChangingActiveTab(int nNewTab) override;
    /// Told after the active tab changed: the pages switch, or a disabled page is undone.
    void FireChangeActiveTab(int nNewTab) override;

    /// Adds the record's tab, with a placeholder window for a page without a window.
    void AddPageToControl(const CTavTabItem& item);
    /// Puts the page in its placeholder's place on its first show, then shows and tells it.
    void ShowPage(long nPage);
    /// Tells the page and its focus window it is left, and hides it.
    void HidePage(long nPage);
    /// WM_NOTIFY with the code to the page, from the control.
    void SendNotifyTo(CDialog* pPage, DWORD nCode);
    /// Nothing: the tab window sizes the page windows.
    void UpdatePageRect();
    /// Rebuilds the tooltip window with a tool per described page.
    void UpdateAllDescriptions();
    /// The page's first control in its tab order (or the one it names itself).
    CWnd* GetFirstControlOfPage(CDialog* pPage);
    /// The page's last control in its tab order (or the one it names itself).
    CWnd* GetLastControlOfPage(CDialog* pPage);
    /// Tab: strip to page, through the page, page to the next control; FALSE only without an active page.
    BOOL OnNextCtrl(MSG* pMsg);
    /// Shift+Tab: the same way back; FALSE only without an active page.
    BOOL OnPrevCtrl(MSG* pMsg);

    /// The tab window's size handling, then the tooltips.
    afx_msg void OnSize(UINT nType, int cx, int cy);
    /// The window class's default only (not in the message map).
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    DECLARE_MESSAGE_MAP()

    CTavTabItemList m_aPages;       ///< the pages in tab order
    long m_nPrevPage;               ///< the active tab when the change under way began
    bool m_bShowActivePage;         ///< activated pages are shown and told
    ELabelSide m_eLabelSide;        ///< side of the tabs for InitializeControl
    CToolTipCtrl m_wndToolTip;      ///< tooltips of the page descriptions
    CImageList* m_pImageList;       ///< the pictures, owned
    bool m_bSwitchingItself;        ///< raised while the control changes the active tab of its own accord
    int m_nLastShownPage;           ///< the tab FireChangeActiveTab last showed, -1 for none

private:
    // The active tab set back without asking anyone or switching pages (undo and rollback).
    void RestoreActiveTab(long nPage);
    CRect TabRect(long nPage);
    bool m_bRestoring;
    bool m_bHasTabWindow;   // InitializeControl has put the tab window in the marker's place
};
