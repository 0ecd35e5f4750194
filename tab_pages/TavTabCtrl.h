#pragma once
// CTavTabCtrl: an owner-drawn platform tab control whose pages are modeless dialogs of the host, created
// the first time they are shown as borderless children of the control.
#include "TavApi.h"
#include "frame/TabCtrl.h"
#include "frame/ToolTipCtrl.h"
#include "frame/ImageList.h"
#include "frame/Gdi.h"
#include "tab_pages/TavTabItemList.h"
#include "tab_pages/TavTabMessages.h"

class CDialog;

/// A platform tab control with the owner-draw-fixed style (the host gives it) whose tabs show modeless
/// page dialogs, with pictures, tooltips, disabled pages and keyboard movement between tabs and pages.
class TAV_API CTavTabCtrl : public CTabCtrl
{
    DECLARE_DYNAMIC(CTavTabCtrl)
public:
    /// Side of the tab strip; any other value counts as eLabelTop.
    enum ELabelSide
    {
        eLabelTop = 0,      ///< tabs above the pages
        eLabelBottom = 1,   ///< tabs below the pages
    };

    /// No pages; the image list of the pictures is created.
    CTavTabCtrl();
    /// Deletes the image list, the tooltip, then the pages and pictures the records own.
    ~CTavTabCtrl() override;

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
    /// Makes the page active (also when its tab is selected already, with bForce); a disabled page is refused.
    void ActivatePage(long nPage, int bForce);
    /// The selected tab, -1 for none.
    long GetActivePage();
    /// The number of tabs; 0 while there is no window.
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
    /// Sets the tab's text, then checks the index and stores it.
    void SetPageCaption(long nPage, const CString& strCaption);
    /// Stores the tooltip text and puts it on the tab's tool (even an empty one).
    void SetPageDescription(long nPage, const CString& strDescription);
    /// The page's picture, null for none.
    CBitmap* GetPagePicture(long nPage);
    /// Replaces the picture; the former one is freed if the record owned it (and it is another bitmap).
    void SetPagePicture(long nPage, CBitmap* pPicture, int bDeletePicture, COLORREF crMask);
    /// Replaces the picture with one loaded from a bitmap resource, owned by the record.
    void SetPagePicture(long nPage, long nBitmapID, COLORREF crMask);
    /// The page can become active again.
    void EnablePage(long nPage);
    /// The page cannot become active; if it is active, the nearest enabled page to its right (else left) is.
    void DisablePage(long nPage);
    /// Whether the page may become active.
    BOOL IsPageEnabled(long nPage);
    /// Stores the side and applies it to an existing window.
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
    /// Relays to the tooltip; switches pages by Left, Right, Ctrl(+Shift)+Tab; moves the focus by (Shift+)Tab.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    /// Draws one tab: picture and caption, embossed for a disabled page.
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    /// Draws the record's picture at the left of r and moves r's left edge past it.
    virtual void OnDrawPicture(CDC& dc, CRect& r, const CTavTabItem& item);
    /// Draws the caption centred in r.
    virtual void OnDrawLabel(CDC& dc, CRect& r, const CTavTabItem& item);
    /// Applies the label side, adds a tab per stored page, activates page 0 and builds the tooltips.
    virtual void InitializeControl();

    /// Remembers that the window is being created, so the creation (not the attach) initializes it.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    /// Initializes a control attached to an existing window.
    void PreSubclassWindow() override;

    /// Appends the record's tab and sets the padding from its picture.
    void AddPageToControl(const CTavTabItem& item);
    /// Creates the page's window on its first show, then shows and tells it (or keeps it hidden).
    void ShowPage(long nPage);
    /// Tells the page and its focus window it is left, and hides it.
    void HidePage(long nPage);
    /// WM_NOTIFY with the code to the page, from the control.
    void SendNotifyTo(CDialog* pPage, DWORD nCode);
    /// Fits the active page into the display area.
    void UpdatePageRect();
    /// Rebuilds the tooltip window with a tool per described page.
    void UpdateAllDescriptions();
    /// Applies m_eLabelSide to the window's style.
    void UpdateLabelSide();
    /// The page's first control in its tab order (or the one it names itself).
    CWnd* GetFirstControlOfPage(CDialog* pPage);
    /// The page's last control in its tab order (or the one it names itself).
    CWnd* GetLastControlOfPage(CDialog* pPage);
    /// Tab: strip to page, through the page, page to the next control; FALSE only without an active page.
    BOOL OnNextCtrl(MSG* pMsg);
    /// Shift+Tab: the same way back; FALSE only without an active page.
    BOOL OnPrevCtrl(MSG* pMsg);

    /// The change begins: the focus window is told, the pointer's tab decides the veto.
    afx_msg BOOL OnSelchanging(NMHDR* pNMHDR, LRESULT* pResult);
    /// The change happened: the pages switch, or a refused change is undone.
    afx_msg BOOL OnSelchange(NMHDR* pNMHDR, LRESULT* pResult);
    /// Draws the item through DrawItem.
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    /// Initializes the control after the window's own creation.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    /// Fits the page and the tooltips to the new size.
    afx_msg void OnSize(UINT nType, int cx, int cy);
    /// Entering backward from the next control goes on into the active page's last control.
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    DECLARE_MESSAGE_MAP()

    CTavTabItemList m_aPages;       ///< the pages in tab order
    long m_nPrevPage;               ///< the tab selected when the change under way began
    bool m_bShowActivePage;         ///< activated pages are shown and told
    ELabelSide m_eLabelSide;        ///< side of the tab strip
    CToolTipCtrl m_wndToolTip;      ///< tooltips of the page descriptions
    CImageList* m_pImageList;       ///< the pictures, owned

private:
    // Selects the tab of nPage and switches the pages from nPrevPage, rolling back on failure.
    void SwitchPages(long nPrevPage, long nPage);
    CRect TabRect(long nPage);
    bool m_bInitializeOnCreate;
};
