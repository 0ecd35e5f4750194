// CDumpContext: the text of every value kind, objects through their Dump, and hex dumps.
#include <gtest/gtest.h>

#include "DumpContext.h"

#include <climits>
#include <functional>

// Named rather than anonymous: the runtime-class macros define functions that these tests do not use.
namespace dump_tests
{
class CDumpedThing : public CObject
{
    DECLARE_DYNAMIC(CDumpedThing)
};
IMPLEMENT_DYNAMIC(CDumpedThing, CObject)

class CDumpedPair : public CObject
{
    DECLARE_DYNAMIC(CDumpedPair)
public:
    void Dump(CDumpContext& dc) const override
    {
        dc << "pair of " << m_nCount << " at depth " << dc.GetDepth() << ": " << m_pFirst << "|" << m_pSecond;
    }

    int m_nCount = 2;
    const CObject* m_pFirst = nullptr;
    const CObject* m_pSecond = nullptr;
};
IMPLEMENT_DYNAMIC(CDumpedPair, CObject)

CString AddressText(const void* p)
{
    CString str;
    str.Format(L"$%016llX", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(p)));
    return str;
}

CString Dumped(const std::function<void(CDumpContext&)>& write, CString out = CString())
{
    CDumpContext dc(&out);
    write(dc);
    return out;
}
}
using namespace dump_tests;

TEST(DumpContext, NumbersAreWrittenInDecimalWithTheirOwnSignedness)
{
    EXPECT_STREQ(L"-5,4000000000,-2147483648,4294967295,65535,255,-9223372036854775808,18446744073709551615,"
                 L"1.500000,-0.125000",
                 Dumped([](CDumpContext& dc) {
                     dc << -5 << L"," << 4000000000u << L"," << static_cast<LONG>(LONG_MIN) << L","
                        << static_cast<DWORD>(0xFFFFFFFF) << L"," << static_cast<WORD>(65535) << L","
                        << static_cast<BYTE>(255) << L"," << LLONG_MIN << L"," << static_cast<ULONGLONG>(ULLONG_MAX)
                        << L"," << 1.5 << L"," << -0.125;
                 }));
}

TEST(DumpContext, TextInBothWidthsNullsAndPointersAreWrittenAsTheyStand)
{
    EXPECT_STREQ(L"kept wide narrow string\t\nNULL NULL", Dumped([](CDumpContext& dc) {
                     dc << L"wide " << "narrow " << CString(L"string\t\n") << static_cast<LPCWSTR>(nullptr) << " "
                        << static_cast<LPCSTR>(nullptr);
                 }, L"kept "));
    EXPECT_STREQ(L"$000000001234ABCD $0000000000000000", Dumped([](CDumpContext& dc) {
                     dc << reinterpret_cast<const void*>(0x1234ABCDull) << L" " << static_cast<const void*>(nullptr);
                 }));
}

TEST(DumpContext, ObjectsDumpThemselvesAndNullIsNamed)
{
    CDumpedThing thing;
    EXPECT_TRUE(Dumped([&](CDumpContext& dc) { dc << thing; }) == L"a CDumpedThing at " + AddressText(&thing) + L"\n");

    CDumpedPair pair;
    pair.m_pFirst = &thing;
    EXPECT_TRUE(Dumped([&](CDumpContext& dc) {
                    dc.SetDepth(1);
                    dc << static_cast<const CObject*>(&pair);
                }) == L"pair of 2 at depth 1: a CDumpedThing at " + AddressText(&thing) + L"\n|NULL");
}

TEST(DumpContext, HexDumpWritesRowsOfTheGivenWidth)
{
    const BYTE bytes[] = {0x01, 0xAB, 0x00, 0xFF, 0x10};
    EXPECT_STREQ(L"> 01 AB\n> 00 FF\n> 10\n", Dumped([&](CDumpContext& dc) { dc.HexDump(L">", bytes, 5, 2); }));
    EXPECT_TRUE(Dumped([&](CDumpContext& dc) { dc.HexDump(L">", bytes, 0, 2); }).IsEmpty());
}
