// Keyboard movement of both tab controls: page switching keys from the strip and from inside a page, wraps
// that meet disabled pages, and the Tab cycle through strip and page in both directions.
#include "TabTestSupport.h"

using namespace tabtest;

namespace
{
struct SwitchKey
{
    UINT nVirtKey;
    UINT modifiers;
    long nExpected;   // from page 2 of five, page 3 disabled
};

const SwitchKey s_switchKeys[] = {
    {VK_RIGHT, kit::NoKeys, 4},
    {VK_LEFT, kit::NoKeys, 1},
    {VK_TAB, kit::Ctrl, 4},
    {VK_TAB, kit::Ctrl | kit::Shift, 1},
};
}

template <class Traits>
class TabKeys : public TabFixture<Traits>
{
protected:
    // Five pages, page 3 disabled, page nActive active and the focus on the strip or in the page.
    void Prepare(long nActive, bool bFocusInPage)
    {
        Traits::ActivateForced(this->ctrl, nActive);
        if (bFocusInPage)
            this->Page(static_cast<size_t>(nActive)).GetDlgItem(IDC_PAGE_FIRST)->SetFocus();
        else
            this->ctrl.SetFocus();
        kit::PumpUntilIdle();
    }
    void ExpectFocusOn(HWND hWnd, const char* pszStep) { EXPECT_EQ(::GetFocus(), hWnd) << pszStep; }
    HWND PageControl(size_t nPage, UINT nID) { return this->Page(nPage).GetDlgItem(static_cast<int>(nID))->m_hWnd; }
};
TYPED_TEST_SUITE(TabKeys, BothControls, ControlNames);

TYPED_TEST(TabKeys, SwitchKeysSkipDisabledPagesFromStripAndPage)
{
    this->Open(5, {IDD_PAGE_EDITS});
    this->ctrl.DisablePage(3);
    for (const SwitchKey& key : s_switchKeys)
        for (bool bInPage : {false, true})
        {
            // Arrows inside a page belong to the page's controls.
            const bool bArrow = key.nVirtKey != VK_TAB;
            this->Prepare(2, bInPage);
            kit::PressKey(key.nVirtKey, key.modifiers);
            EXPECT_EQ(this->ctrl.GetActivePage(), bInPage && bArrow ? 2 : key.nExpected)
                << "key " << key.nVirtKey << " modifiers " << key.modifiers << (bInPage ? " in the page" : " on the strip");
        }
}

TYPED_TEST(TabKeys, WrapsIgnoreTheDisabledFlagAndTheActivationRefusesIt)
{
    this->Open(5, {IDD_PAGE_EDITS});
    this->ctrl.DisablePage(3);
    this->Prepare(4, false);
    kit::PressKey(VK_RIGHT);
    EXPECT_EQ(this->ctrl.GetActivePage(), 0);
    this->Prepare(0, false);
    kit::PressKey(VK_TAB, kit::Ctrl | kit::Shift);
    EXPECT_EQ(this->ctrl.GetActivePage(), 4);

    this->ctrl.DisablePage(0);
    this->ctrl.DisablePage(4);
    this->Prepare(2, false);
    kit::PressKey(VK_RIGHT);
    EXPECT_EQ(this->ctrl.GetActivePage(), 2);
}

TYPED_TEST(TabKeys, LeftInAPageEditMovesTheCaretNotThePage)
{
    this->Open(2, {IDD_PAGE_EDITS});
    this->Prepare(0, true);
    const HWND hEdit = this->PageControl(0, IDC_PAGE_FIRST);
    ::SetWindowTextW(hEdit, L"abc");
    ::SendMessageW(hEdit, EM_SETSEL, 3, 3);
    kit::PressKey(VK_LEFT);
    DWORD dwStart = 0;
    ::SendMessageW(hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), 0);
    EXPECT_EQ(dwStart, 2u);
    EXPECT_EQ(this->ctrl.GetActivePage(), 0);
}

TYPED_TEST(TabKeys, TabRunsThroughStripAndPageAndShiftTabRunsBack)
{
    this->Open(1, {IDD_PAGE_EDITS});
    const HWND hBefore = this->Host(IDC_BEFORE)->m_hWnd, hAfter = this->Host(IDC_AFTER)->m_hWnd;
    const HWND hFirst = this->PageControl(0, IDC_PAGE_FIRST), hSecond = this->PageControl(0, IDC_PAGE_SECOND),
               hLast = this->PageControl(0, IDC_PAGE_LAST);
    this->Host(IDC_BEFORE)->SetFocus();
    const HWND forward[] = {this->ctrl.m_hWnd, hFirst, hSecond, hLast, hAfter};
    for (HWND hExpected : forward)
    {
        kit::PressKey(VK_TAB);
        this->ExpectFocusOn(hExpected, "forward");
    }
    // Backward into the owner-drawn control lands on the page's last control; the docking one stays on
    // its strip.
    const bool bIntoPage = std::is_same<TypeParam, OwnerDrawn>::value;
    std::vector<HWND> backward = {hLast, hSecond, hFirst, this->ctrl.m_hWnd, hBefore};
    if (!bIntoPage)
        backward = {this->ctrl.m_hWnd, hBefore};
    for (HWND hExpected : backward)
    {
        kit::PressKey(VK_TAB, kit::Shift);
        this->ExpectFocusOn(hExpected, "backward");
    }
}

TYPED_TEST(TabKeys, PagesNameTheirEndsOrHaveNoneAndAnEditableComboLastDoesNotLoop)
{
    this->OpenHost();
    this->BeginControl();
    CNamingPage naming("naming");
    CLogPage quiet("quiet", IDD_PAGE_NO_STOPS), combo("combo", IDD_PAGE_COMBO_LAST);
    for (CDialog* pPage : {static_cast<CDialog*>(&naming), static_cast<CDialog*>(&quiet), static_cast<CDialog*>(&combo)})
        this->ctrl.AddPage(pPage, FALSE, 0, L"", L"", RGB(192, 192, 192));
    this->EndControl();
    const HWND hAfter = this->Host(IDC_AFTER)->m_hWnd;

    this->Prepare(0, false);
    kit::PressKey(VK_TAB);
    this->ExpectFocusOn(naming.GetDlgItem(IDC_PAGE_SECOND)->m_hWnd, "named first control");
    naming.GetDlgItem(IDC_PAGE_FIRST)->SetFocus();
    kit::PressKey(VK_TAB);
    this->ExpectFocusOn(hAfter, "after the named last control");

    this->Prepare(1, false);
    kit::PressKey(VK_TAB);
    this->ExpectFocusOn(this->ctrl.m_hWnd, "a page without tab stops keeps the focus on the strip");

    this->Prepare(2, false);
    HWND hComboEdit = ::GetWindow(combo.GetDlgItem(IDC_PAGE_LAST)->m_hWnd, GW_CHILD);
    ASSERT_TRUE(hComboEdit);
    ::SetFocus(hComboEdit);
    kit::PressKey(VK_TAB);
    this->ExpectFocusOn(hAfter, "Tab from the combo's edit");
    combo.GetDlgItem(IDC_PAGE_FIRST)->SetFocus();
    kit::PressKey(VK_TAB, kit::Shift);
    this->ExpectFocusOn(this->ctrl.m_hWnd, "Shift+Tab from the first control");
}
