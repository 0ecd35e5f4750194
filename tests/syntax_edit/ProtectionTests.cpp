// The class layer's announcement of edits to protected rich-edit text, on a plain CRichEditCtrl.
#include "frame/RichEditCtrl.h"
#include "frame/RichEditProtection.h"

#include "kit/Host.h"
#include "kit/Input.h"
#include "kit/Pump.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace
{
constexpr UINT kRichEditId = 2001;

class CProtectedHost : public kit::CHostDialog
{
public:
    std::vector<ENPROTECTED> m_announced;
    LRESULT m_lAnswer = 0;

protected:
    afx_msg void OnProtected(NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_announced.push_back(*reinterpret_cast<ENPROTECTED*>(pNMHDR));
        *pResult = m_lAnswer;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProtectedHost, kit::CHostDialog)
    ON_NOTIFY(EN_PROTECTED, kRichEditId, OnProtected)
END_MESSAGE_MAP()

class RichEditProtection : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Open(300, 200));
        ASSERT_TRUE(m_edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(5, 5, 295, 195), &m_host, kRichEditId));
        m_edit.SetFocus();
        Reset(2, 2);
    }

    // "abcd", all protected, the selection [nFrom, nTo) and nothing announced yet.
    void Reset(long nFrom, long nTo)
    {
        m_edit.SetEventMask(0);
        m_edit.SetWindowText(L"abcd");
        Protect(0, -1, true);
        m_edit.SetEventMask(ENM_PROTECTED);
        m_edit.SetSel(nFrom, nTo);
        kit::PumpUntilIdle();
        m_host.m_announced.clear();
    }

    void Protect(long nFrom, long nTo, bool bProtected)
    {
        m_edit.SetSel(nFrom, nTo);
        CHARFORMAT cf = {};
        cf.dwMask = CFM_PROTECTED;
        cf.dwEffects = bProtected ? CFE_PROTECTED : 0;
        m_edit.SetSelectionCharFormat(cf);
        m_host.m_announced.clear();
    }

    CString Text()
    {
        CString strText;
        m_edit.GetTextRange(0, -1, strText);
        return strText;
    }

    ::testing::AssertionResult AnnouncedOnce(UINT msg, WPARAM wParam, long cpMin, long cpMax)
    {
        if (m_host.m_announced.size() != 1)
            return ::testing::AssertionFailure() << m_host.m_announced.size() << " announcements";
        const ENPROTECTED en = m_host.m_announced.front();
        m_host.m_announced.clear();
        if (en.nmhdr.code != EN_PROTECTED || en.nmhdr.hwndFrom != m_edit.m_hWnd || en.nmhdr.idFrom != kRichEditId)
            return ::testing::AssertionFailure() << "not an EN_PROTECTED of the control";
        if (en.msg != msg || en.wParam != wParam || en.chrg.cpMin != cpMin || en.chrg.cpMax != cpMax)
            return ::testing::AssertionFailure() << "announced message 0x" << std::hex << en.msg << " wParam 0x"
                                                 << en.wParam << std::dec << " range [" << en.chrg.cpMin << ", "
                                                 << en.chrg.cpMax << ")";
        return ::testing::AssertionSuccess();
    }

    CProtectedHost m_host;
    CRichEditCtrl m_edit;
};

// Every kind of edit, by key, shortcut or message, is announced once with the message and the range it
// changes; a non-zero answer refuses it, a zero answer lets it happen.
TEST_F(RichEditProtection, EditsAreAnnouncedOnceAndRefusedByANonZeroAnswer)
{
    EXPECT_FALSE(CRichEditProtection::PlatformAnnounces());
    struct Edit
    {
        const char* pszName;
        long nSelFrom, nSelTo;
        std::function<void()> make;
        UINT msg;
        WPARAM wParam;
        long cpMin, cpMax;
        LPCWSTR pszMade; // the text after the edit, nullptr: not checked
    };
    CHARFORMAT cfBold = {};
    cfBold.dwMask = CFM_BOLD;
    cfBold.dwEffects = CFE_BOLD;
    const Edit edits[] = {
        { "typing at the caret", 2, 2, [] { kit::TypeText(L"x"); }, WM_CHAR, L'x', 2, 2, L"abxcd" },
        { "typing over a selection", 1, 3, [] { kit::TypeText(L"y"); }, WM_CHAR, L'y', 1, 3, L"ayd" },
        { "Back removes the character before", 2, 2, [] { kit::PressKey(VK_BACK); }, WM_KEYDOWN, VK_BACK, 1, 2,
          L"acd" },
        { "Delete removes the character after", 1, 1, [] { kit::PressKey(VK_DELETE); }, WM_KEYDOWN, VK_DELETE, 1, 2,
          L"acd" },
        { "Ctrl+X", 1, 3, [] { kit::PressKey('X', kit::Ctrl); }, WM_CUT, 0, 1, 3, L"ad" },
        { "Ctrl+V", 1, 1, [] { kit::PressKey('V', kit::Ctrl); }, WM_PASTE, 0, 1, 1, L"abcbcd" },
        { "Ctrl+Z", 3, 3, [] { kit::PressKey('Z', kit::Ctrl); }, EM_UNDO, 0, 3, 3, nullptr },
        { "cut", 0, 2, [this] { m_edit.Cut(); }, WM_CUT, 0, 0, 2, L"cd" },
        { "clear", 1, 3, [this] { m_edit.Clear(); }, WM_CLEAR, 0, 1, 3, L"ad" },
        { "replacing", 0, 1, [this] { m_edit.ReplaceSel(L"Q", TRUE); }, EM_REPLACESEL, TRUE, 0, 1, L"Qbcd" },
        { "a format", 0, 2, [&] { m_edit.SetSelectionCharFormat(cfBold); }, EM_SETCHARFORMAT, SCF_SELECTION, 0, 2,
          L"abcd" },
    };
    for (const Edit& edit : edits)
    {
        for (LRESULT lAnswer : { 1, 0 })
        {
            SCOPED_TRACE(::testing::Message() << edit.pszName << (lAnswer ? ", refused" : ", allowed"));
            Reset(edit.nSelFrom, edit.nSelTo);
            m_host.m_lAnswer = lAnswer;
            edit.make();
            EXPECT_TRUE(AnnouncedOnce(edit.msg, edit.wParam, edit.cpMin, edit.cpMax));
            if (lAnswer || edit.pszMade)
            {
                EXPECT_EQ(CString(lAnswer ? L"abcd" : edit.pszMade), Text());
            }
        }
    }
}

TEST_F(RichEditProtection, NothingIsAnnouncedWhenNoProtectedTextWouldChange)
{
    // Nothing before the start or after the end, and the check for protection did not move the selection.
    Reset(0, 0);
    kit::PressKey(VK_BACK);
    m_edit.SetSel(4, 4);
    kit::PressKey(VK_DELETE);
    EXPECT_TRUE(m_host.m_announced.empty());
    CHARRANGE chrg = {};
    m_edit.GetSel(chrg);
    EXPECT_EQ(4, chrg.cpMin);
    EXPECT_EQ(4, chrg.cpMax);

    // Without the event, or without protection.
    m_edit.SetEventMask(ENM_CHANGE);
    kit::TypeText(L"x");
    EXPECT_TRUE(m_host.m_announced.empty());
    m_edit.SetEventMask(ENM_PROTECTED);
    Protect(0, -1, false);
    m_edit.SetSel(1, 1);
    kit::TypeText(L"y");
    kit::PressKey(VK_DELETE);
    EXPECT_TRUE(m_host.m_announced.empty());
    EXPECT_EQ(CString(L"aycdx"), Text());
}

TEST_F(RichEditProtection, PartlyProtectedSelectionsAreProtected)
{
    Protect(0, 2, false);
    m_edit.SetSel(1, 3);
    kit::TypeText(L"z");
    EXPECT_TRUE(AnnouncedOnce(WM_CHAR, L'z', 1, 3));
}
} // namespace
