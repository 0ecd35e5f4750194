// CString: searching, slicing, trimming, replacing and formatting as host code expects them.
#include <gtest/gtest.h>

#include "String.h"
#include "ThrownException.h"

TEST(CString, ConstructsFromWideNarrowAndRepeatedCharacters)
{
    EXPECT_EQ(CString(L"abc"), CString("abc"));
    EXPECT_TRUE(CString(static_cast<LPCWSTR>(nullptr)).IsEmpty());
    EXPECT_EQ(CString(L"---"), CString(L'-', 3));
    EXPECT_EQ(CString(L"ab"), CString(L"abcdef", 2));
    EXPECT_EQ(3, CString(L"abc").GetLength());
}

TEST(CString, FindsCharactersAndSubstrings)
{
    const CString str(L"one two one");
    EXPECT_EQ(4, str.Find(L't'));
    EXPECT_EQ(8, str.Find(L"one", 1));
    EXPECT_EQ(-1, str.Find(L"three"));
    EXPECT_EQ(-1, str.Find(L'o', 100));
    EXPECT_EQ(10, str.ReverseFind(L'e'));
    EXPECT_EQ(1, str.FindOneOf(L"xn"));
}

TEST(CString, SlicesClampToTheString)
{
    const CString str(L"abcdef");
    EXPECT_EQ(CString(L"ab"), str.Left(2));
    EXPECT_EQ(CString(L"abcdef"), str.Left(50));
    EXPECT_EQ(CString(L""), str.Left(-1));
    EXPECT_EQ(CString(L"cde"), str.Mid(2, 3));
    EXPECT_EQ(CString(L"ef"), str.Mid(4));
    EXPECT_EQ(CString(L""), str.Mid(9));
    EXPECT_EQ(CString(L"def"), str.Right(3));
    EXPECT_EQ(CString(L"abcdef"), str.Right(10));
}

TEST(CString, TrimsCasesAndReplaces)
{
    CString str(L" \t word  \r\n");
    str.TrimLeft();
    EXPECT_EQ(CString(L"word  \r\n"), str);
    str.TrimRight();
    EXPECT_EQ(CString(L"word"), str);
    CString strMarks(L"--x--");
    strMarks.TrimLeft(L'-');
    EXPECT_EQ(CString(L"x--"), strMarks);

    CString strMixed(L"MiXeD");
    EXPECT_EQ(CString(L"mixed"), strMixed.MakeLower());
    EXPECT_EQ(CString(L"MIXED"), strMixed.MakeUpper());

    CString strText(L"a  b  c");
    EXPECT_EQ(2, strText.Replace(L"  ", L" "));
    EXPECT_EQ(CString(L"a b c"), strText);
    EXPECT_EQ(2, strText.Replace(L' ', L'_'));
    EXPECT_EQ(CString(L"a_b_c"), strText);
    EXPECT_EQ(0, strText.Replace(L"", L"x"));
    CString strGrow(L"aa");
    EXPECT_EQ(2, strGrow.Replace(L"a", L"aa"));
    EXPECT_EQ(CString(L"aaaa"), strGrow);
    EXPECT_EQ(2, strText.Remove(L'_'));
    EXPECT_EQ(CString(L"abc"), strText);
}

TEST(CString, SpansTokensAndTrimsByCharacterSet)
{
    const CString str(L"  ab,c;;d ");
    EXPECT_EQ(CString(L"  ab"), str.SpanExcluding(L",;"));
    EXPECT_EQ(CString(L"  "), str.SpanIncluding(L" "));
    EXPECT_EQ(CString(L"  ab,c;;d "), CString(str).TrimRight(L"xyz"));
    EXPECT_EQ(CString(L"  ab,c"), CString(str).TrimRight(L" d;"));

    int iStart = 0;
    CString aTokens[4];
    for (CString& strToken : aTokens)
        strToken = str.Tokenize(L" ,;", iStart);
    EXPECT_EQ(CString(L"ab"), aTokens[0]);
    EXPECT_EQ(CString(L"c"), aTokens[1]);
    EXPECT_EQ(CString(L"d"), aTokens[2]);
    EXPECT_TRUE(aTokens[3].IsEmpty());
    EXPECT_EQ(-1, iStart);
}

TEST(CString, ComparesExactlyOrIgnoringCase)
{
    EXPECT_TRUE(CString(L"Abc") != CString(L"abc"));
    EXPECT_EQ(0, CString(L"Abc").CompareNoCase(L"aBC"));
    EXPECT_LT(CString(L"abc").Compare(L"abd"), 0);
    EXPECT_TRUE(CString(L"abc") == L"abc");
}

TEST(CString, FormatsWithWideStringArguments)
{
    CString str;
    str.Format(L"%s=%d (%04X)", L"id", -42, 255);
    EXPECT_EQ(CString(L"id=-42 (00FF)"), str);
    str.AppendFormat(L" %ls", L"more");
    EXPECT_EQ(CString(L"id=-42 (00FF) more"), str);
}

TEST(CString, BufferAccessAndCheckedIndexing)
{
    CString str;
    wcscpy(str.GetBuffer(10), L"hello");
    str.ReleaseBuffer();
    EXPECT_EQ(5, str.GetLength());
    EXPECT_EQ(L'e', str[1]);
    EXPECT_EQ("CInvalidArgException", ThrownBy([&] { str.GetAt(5); }));
}
