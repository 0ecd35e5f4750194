// The class layer's announcement of edits to protected rich-edit text, on a plain CRichEditCtrl.
#include "frame/RichEditCtrl.h"
#include "frame/RichEditProtection.h"

#include "kit/Host.h"
#include "kit/Input.h"
#include "kit/Pump.h"

#include <gtest/gtest.h>

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
        m_edit.SetWindowText(L"abcd");
        m_edit.SetSel(0, -1);
        CHARFORMAT cf = {};
        cf.dwMask = CFM_PROTECTED;
        cf.dwEffects = CFE_PROTECTED;
        m_edit.SetSelectionCharFormat(cf);
        m_edit.SetEventMask(ENM_PROTECTED);
        m_edit.SetSel(2, 2);
        m_edit.SetFocus();
        kit::PumpUntilIdle();
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
        const ENPROTECTED& en = m_host.m_announced.front();
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

TEST_F(RichEditProtection, ThisPlatformLeavesTheAnnouncementToTheClassLayer)
{
    EXPECT_FALSE(CRichEditProtection::PlatformAnnounces());
}

TEST_F(RichEditProtection, TypingIsAnnouncedOnceWithTheSelection)
{
    kit::TypeText(L"x");
    EXPECT_TRUE(AnnouncedOnce(WM_CHAR, L'x', 2, 2));
    EXPECT_EQ(CString(L"abxcd"), Text());

    m_edit.SetSel(1, 3);
    kit::TypeText(L"y");
    EXPECT_TRUE(AnnouncedOnce(WM_CHAR, L'y', 1, 3));
    EXPECT_EQ(CString(L"aycd"), Text());
}

TEST_F(RichEditProtection, BackAndDeleteAnnounceTheCharacterTheyRemove)
{
    kit::PressKey(VK_BACK);
    EXPECT_TRUE(AnnouncedOnce(WM_KEYDOWN, VK_BACK, 1, 2));
    EXPECT_EQ(CString(L"acd"), Text());
    kit::PressKey(VK_DELETE);
    EXPECT_TRUE(AnnouncedOnce(WM_KEYDOWN, VK_DELETE, 1, 2));
    EXPECT_EQ(CString(L"ad"), Text());
    // Nothing before the start or after the end: nothing to announce.
    m_edit.SetSel(0, 0);
    kit::PressKey(VK_BACK);
    m_edit.SetSel(2, 2);
    kit::PressKey(VK_DELETE);
    EXPECT_TRUE(m_host.m_announced.empty());
    // The check for protection looked at the character without the user seeing the selection move.
    CHARRANGE chrg = {};
    m_edit.GetSel(chrg);
    EXPECT_EQ(2, chrg.cpMin);
    EXPECT_EQ(2, chrg.cpMax);
}

TEST_F(RichEditProtection, ANonZeroAnswerRefusesTheEdit)
{
    m_host.m_lAnswer = 1;
    kit::TypeText(L"x");
    kit::PressKey(VK_BACK);
    m_edit.SetSel(0, 2);
    m_edit.ReplaceSel(L"zz");
    m_edit.Cut();
    EXPECT_EQ(4u, m_host.m_announced.size());
    EXPECT_EQ(CString(L"abcd"), Text());
}

TEST_F(RichEditProtection, CommandsAndShortcutsAreAnnouncedAsTheEditsTheyMake)
{
    m_edit.SetSel(1, 3);
    kit::PressKey('X', kit::Ctrl);
    EXPECT_TRUE(AnnouncedOnce(WM_CUT, 0, 1, 3));
    EXPECT_EQ(CString(L"ad"), Text());
    kit::PressKey('V', kit::Ctrl);
    EXPECT_TRUE(AnnouncedOnce(WM_PASTE, 0, 1, 1));
    EXPECT_EQ(CString(L"abcd"), Text());
    kit::PressKey('Z', kit::Ctrl);
    EXPECT_TRUE(AnnouncedOnce(EM_UNDO, 0, 3, 3));
    m_edit.SetSel(0, 1);
    m_edit.ReplaceSel(L"Q", TRUE);
    EXPECT_TRUE(AnnouncedOnce(EM_REPLACESEL, TRUE, 0, 1));
    m_edit.SetSel(0, 2);
    CHARFORMAT cf = {};
    cf.dwMask = CFM_BOLD;
    cf.dwEffects = CFE_BOLD;
    m_edit.SetSelectionCharFormat(cf);
    EXPECT_TRUE(AnnouncedOnce(EM_SETCHARFORMAT, SCF_SELECTION, 0, 2));
}

TEST_F(RichEditProtection, NothingIsAnnouncedWithoutTheEventOrWithoutProtection)
{
    m_edit.SetEventMask(ENM_CHANGE);
    kit::TypeText(L"x");
    EXPECT_TRUE(m_host.m_announced.empty());

    m_edit.SetEventMask(ENM_PROTECTED);
    m_edit.SetSel(0, -1);
    CHARFORMAT cf = {};
    cf.dwMask = CFM_PROTECTED;
    m_edit.SetSelectionCharFormat(cf);
    m_host.m_announced.clear();
    m_edit.SetSel(1, 1);
    kit::TypeText(L"y");
    kit::PressKey(VK_DELETE);
    EXPECT_TRUE(m_host.m_announced.empty());
    EXPECT_EQ(CString(L"ayxcd"), Text());
}

TEST_F(RichEditProtection, PartlyProtectedSelectionsAreProtected)
{
    m_edit.SetSel(0, 2);
    CHARFORMAT cf = {};
    cf.dwMask = CFM_PROTECTED;
    m_edit.SetSelectionCharFormat(cf);
    m_host.m_announced.clear();
    m_edit.SetSel(1, 3);
    kit::TypeText(L"z");
    EXPECT_TRUE(AnnouncedOnce(WM_CHAR, L'z', 1, 3));
}
} // namespace
