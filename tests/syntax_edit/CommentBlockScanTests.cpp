// The block-comment decision made from a window of text must agree with the one made from all of it.
#include "syntax_edit/CommentBlockScan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>

namespace
{
// The rule read straight off the whole text before the position.
bool InsideByRule(const std::wstring& before, const std::wstring& start, const std::wstring& end, long& nStartEnd)
{
    const size_t s = before.rfind(start);
    const size_t e = before.rfind(end);
    const size_t l = before.rfind(L'\r');
    const long S = s == std::wstring::npos ? -1 : static_cast<long>(s + start.size());
    const long E = e == std::wstring::npos ? -1 : static_cast<long>(e + end.size());
    const long L = l == std::wstring::npos ? -1 : static_cast<long>(l);
    nStartEnd = S;
    if (E >= 0 && (L < 0 || E <= L))
        return S >= 0 && S >= E;
    return S >= 0;
}

void CheckAllWindows(const std::wstring& text, const CString& strStart, const CString& strEnd)
{
    const CTavCommentBlockScan scan(strStart, strEnd);
    for (size_t nPos = 0; nPos <= text.size(); ++nPos)
    {
        const std::wstring before = text.substr(0, nPos);
        long nExpectedStart = -1;
        const bool bInside = InsideByRule(before, strStart.Str(), strEnd.Str(), nExpectedStart);
        for (size_t nFrom = 0; nFrom <= nPos; ++nFrom)
        {
            long nStartEnd = -1;
            const CTavCommentBlockScan::EVerdict eVerdict =
                scan.Judge(std::wstring_view(before).substr(nFrom), static_cast<long>(nFrom), nStartEnd);
            if (eVerdict == CTavCommentBlockScan::eNeedMoreText)
            {
                ASSERT_NE(0u, nFrom) << "the whole text must be enough";
                continue;
            }
            ASSERT_EQ(bInside, eVerdict == CTavCommentBlockScan::eInside)
                << "text " << std::string(text.begin(), text.end()) << " pos " << nPos << " window from " << nFrom;
            if (bInside)
            {
                ASSERT_EQ(nExpectedStart, nStartEnd);
            }
        }
    }
}

TEST(CommentBlockScan, WindowsAgreeWithTheWholeText)
{
    std::mt19937 random(4711);
    const wchar_t alphabet[] = L"/*a\r'";
    for (const auto& markers : { std::make_pair(L"/*", L"*/"), std::make_pair(L"'", L"'"),
                                 std::make_pair(L"(*", L")"), std::make_pair(L"{", L"*/*") })
    {
        for (int nCase = 0; nCase < 300; ++nCase)
        {
            std::wstring text(random() % 16, L' ');
            for (wchar_t& ch : text)
                ch = alphabet[random() % 5];
            CheckAllWindows(text, markers.first, markers.second);
        }
    }
}

TEST(CommentBlockScan, ALineClosingABlockCountsAsInside)
{
    long nStartEnd = -1;
    const CString strStart(L"/*"), strEnd(L"*/");
    const CTavCommentBlockScan scan(strStart, strEnd);
    EXPECT_EQ(CTavCommentBlockScan::eInside, scan.Judge(L"/* a\rb */ c", 0, nStartEnd));
    EXPECT_EQ(2, nStartEnd);
    EXPECT_EQ(CTavCommentBlockScan::eOutside, scan.Judge(L"/* a */\rc", 0, nStartEnd));
    EXPECT_EQ(CTavCommentBlockScan::eOutside, scan.Judge(L"a /* b */ c", 0, nStartEnd));
    // Far from the start of the text the nearby markers decide without reading further back.
    EXPECT_EQ(CTavCommentBlockScan::eOutside, scan.Judge(L"*/\rint a;\r", 5000, nStartEnd));
    EXPECT_EQ(CTavCommentBlockScan::eInside, scan.Judge(L"/* x\rint a;", 5000, nStartEnd));
    EXPECT_EQ(5002, nStartEnd);
}
} // namespace
