// CArray and CMap: order, shifting, bounds checks and association reuse.
#include <gtest/gtest.h>

#include "Collections.h"
#include "ThrownException.h"

#include <map>
#include <random>

namespace
{
std::vector<int> Contents(const CArray<int, int>& a)
{
    return std::vector<int>(a.GetData(), a.GetData() + a.GetSize());
}
}

TEST(CArray, AddsInsertsAndRemovesKeepingOrder)
{
    CArray<int, int> a;
    EXPECT_EQ(0, a.Add(10));
    EXPECT_EQ(1, a.Add(20));
    a.InsertAt(1, 15);
    a.InsertAt(0, 5, 2);
    EXPECT_EQ((std::vector<int>{ 5, 5, 10, 15, 20 }), Contents(a));
    a.RemoveAt(1, 2);
    EXPECT_EQ((std::vector<int>{ 5, 15, 20 }), Contents(a));
    a.SetAtGrow(5, 99);
    EXPECT_EQ((std::vector<int>{ 5, 15, 20, 0, 0, 99 }), Contents(a));

    CArray<int, int> b;
    b.Copy(a);
    EXPECT_EQ(6, b.Append(a));
    EXPECT_EQ(12, b.GetSize());
    b.SetSize(2);
    EXPECT_EQ((std::vector<int>{ 5, 15 }), Contents(b));
}

TEST(CArray, RejectsIndicesOutsideTheArray)
{
    CArray<int, int> a;
    a.Add(1);
    EXPECT_EQ("CInvalidArgException", ThrownBy([&] { a.GetAt(1); }));
    EXPECT_EQ("CInvalidArgException", ThrownBy([&] { a[-1]; }));
    EXPECT_EQ("CInvalidArgException", ThrownBy([&] { a.SetAt(3, 0); }));
    EXPECT_EQ("CInvalidArgException", ThrownBy([&] { a.RemoveAt(0, 2); }));
    EXPECT_EQ("CInvalidArgException", ThrownBy([&] { a.RemoveAt(1, INTPTR_MAX); }));
    EXPECT_EQ("CInvalidArgException", ThrownBy([&] { a.SetSize(-1); }));
    // A size no array can hold fails the way the class library reports memory faults.
    EXPECT_EQ("CMemoryException", ThrownBy([&] { a.SetSize(INTPTR_MAX / 2); }));
    ASSERT_EQ(1, a.GetSize());
    EXPECT_EQ(1, a[0]);
}

TEST(CArray, AddingAnElementOfTheSameArraySurvivesGrowth)
{
    CArray<CString, const CString&> a;
    a.Add(CString(L"first"));
    for (int i = 0; i < 100; ++i)
        a.Add(a[0]);
    EXPECT_EQ(CString(L"first"), a[100]);
}

TEST(CMap, AgreesWithAReferenceMapThroughRandomOperations)
{
    CMap<long, long, int, int> map(3);
    std::map<long, int> reference;
    std::mt19937 random(1234);
    for (int step = 0; step < 5000; ++step)
    {
        const long nKey = static_cast<long>(random() % 200) - 100;
        if (random() % 3 == 0)
            EXPECT_EQ(reference.erase(nKey) == 1, map.RemoveKey(nKey) != FALSE);
        else
            map[nKey] = reference[nKey] = step;
    }
    ASSERT_EQ(static_cast<INT_PTR>(reference.size()), map.GetCount());
    std::map<long, int> seen;
    for (POSITION pos = map.GetStartPosition(); pos;)
    {
        long nKey;
        int nValue;
        map.GetNextAssoc(pos, nKey, nValue);
        EXPECT_TRUE(seen.emplace(nKey, nValue).second) << "key visited twice: " << nKey;
    }
    EXPECT_EQ(reference, seen);
    map.RemoveAll();
    int nValue;
    EXPECT_FALSE(map.Lookup(0, nValue));
    EXPECT_TRUE(map.IsEmpty());
}

TEST(CMapStringToString, LooksUpByExactText)
{
    CMapStringToString map;
    map.SetAt(L"Dim", L"keyword");
    map[L"dim"] = L"lower";
    CString strValue;
    ASSERT_TRUE(map.Lookup(L"Dim", strValue));
    EXPECT_EQ(CString(L"keyword"), strValue);
    ASSERT_TRUE(map.Lookup(L"dim", strValue));
    EXPECT_EQ(CString(L"lower"), strValue);
    EXPECT_FALSE(map.Lookup(L"DIM", strValue));
    EXPECT_EQ(2, map.GetCount());
}
