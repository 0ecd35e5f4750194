// CArchive: value widths, counts, strings and object graphs, byte for byte and round trip; CMemFile under it.
#include <gtest/gtest.h>

#include "Exceptions.h"
#include "StoredBytes.h"
#include "ThrownException.h"

#include <string>
#include <typeinfo>

// Named rather than anonymous: the runtime-class macros define functions that not every test uses.
namespace archive_tests
{
int g_nLiveObjects = 0;

// Schema 1, not versionable; its data is one LONG.
class CA : public CObject
{
    DECLARE_SERIAL(CA)
public:
    CA() { ++g_nLiveObjects; }
    explicit CA(LONG nValue) : CA() { m_nValue = nValue; }
    ~CA() override { --g_nLiveObjects; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_nValue;
        else
            ar >> m_nValue;
    }
    LONG m_nValue = 0;
};
IMPLEMENT_SERIAL(CA, CObject, 1)

class CDerivedA : public CA
{
    DECLARE_SERIAL(CDerivedA)
};
IMPLEMENT_SERIAL(CDerivedA, CA, 1)

// Versionable schema 2; its data is a WORD and a reference to another object, which it does not own.
class CBee : public CObject
{
    DECLARE_SERIAL(CBee)
public:
    CBee() { ++g_nLiveObjects; }
    explicit CBee(WORD wValue) : CBee() { m_wValue = wValue; }
    ~CBee() override { --g_nLiveObjects; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
        {
            ar << m_wValue << m_pPeer;
            return;
        }
        m_nLoadedSchema = ar.GetObjectSchema();
        m_nSchemaAskedAgain = ar.GetObjectSchema();
        ar >> m_wValue >> m_pPeer;
    }
    WORD m_wValue = 0;
    CObject* m_pPeer = nullptr;
    UINT m_nLoadedSchema = 0;
    UINT m_nSchemaAskedAgain = 0;
};
IMPLEMENT_SERIAL(CBee, CObject, VERSIONABLE_SCHEMA | 2)

// Creatable but not serialisable.
class CPlain : public CObject
{
    DECLARE_DYNCREATE(CPlain)
};
IMPLEMENT_DYNCREATE(CPlain, CObject)

const UINT nNoSchema = static_cast<UINT>(-1);

void Load(Bytes bytes, const std::function<void(CArchive&)>& read)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    read(ar);
}

const int nNoException = -1;
const int nOtherException = -2;

// The cause of the CArchiveException that action throws, or one of the two markers above.
int ArchiveCause(const std::function<void()>& action)
{
    try
    {
        action();
    }
    catch (CException* pEx)
    {
        CArchiveException* pArchiveEx = DYNAMIC_DOWNCAST(CArchiveException, pEx);
        const int nCause = pArchiveEx ? pArchiveEx->m_cause : nOtherException;
        pEx->Delete();
        return nCause;
    }
    return nNoException;
}

int LoadCause(const Bytes& bytes, const std::function<void(CArchive&)>& read)
{
    return ArchiveCause([&] { Load(bytes, read); });
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes NewClassRecord(WORD wSchema, const std::string& strName)
{
    Bytes bytes = {0xFF, 0xFF, LOBYTE(wSchema), HIBYTE(wSchema), LOBYTE(strName.size()), HIBYTE(strName.size())};
    for (char ch : strName)
        bytes.push_back(static_cast<BYTE>(ch));
    return bytes;
}

// Deletes the objects a test loaded and checks that no other object was left behind.
class ArchiveObjects : public ::testing::Test
{
protected:
    void TearDown() override
    {
        for (CObject* pOb : m_aKept)
            delete pOb;
        EXPECT_EQ(m_nLiveBefore, g_nLiveObjects);
    }
    const int m_nLiveBefore = g_nLiveObjects;
    std::vector<CObject*> m_aKept;
};

template <class T>
void ExpectStoredAs(T value, const Bytes& expected)
{
    SCOPED_TRACE(typeid(T).name());
    const Bytes bytes = Store([&](CArchive& ar) { ar << value; });
    EXPECT_EQ(expected, bytes);
    T loaded{};
    Load(bytes, [&](CArchive& ar) { ar >> loaded; });
    EXPECT_EQ(value, loaded);
}
}
using namespace archive_tests;

TEST(ArchiveValues, EveryTypeHasItsWidthAndRoundTrips)
{
    ExpectStoredAs<BYTE>(0x12, {0x12});
    ExpectStoredAs<char>('A', {'A'});
    ExpectStoredAs<WORD>(0x3456, {0x56, 0x34});
    ExpectStoredAs<short>(-2, {0xFE, 0xFF});
    ExpectStoredAs<wchar_t>(L'\x03A9', {0xA9, 0x03});
    ExpectStoredAs<int>(-3, {0xFD, 0xFF, 0xFF, 0xFF});
    ExpectStoredAs<unsigned>(0x89ABCDEFu, {0xEF, 0xCD, 0xAB, 0x89});
    ExpectStoredAs<LONG>(-4, {0xFC, 0xFF, 0xFF, 0xFF});
    ExpectStoredAs<DWORD>(0xCAFEF00Dul, {0x0D, 0xF0, 0xFE, 0xCA});
    ExpectStoredAs<float>(1.5f, {0x00, 0x00, 0xC0, 0x3F});
    ExpectStoredAs<double>(2.5, {0, 0, 0, 0, 0, 0, 0x04, 0x40});
    ExpectStoredAs<LONGLONG>(-5, {0xFB, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    ExpectStoredAs<ULONGLONG>(0x0102030405060708ull, {8, 7, 6, 5, 4, 3, 2, 1});
    ExpectStoredAs<bool>(true, {0x01});
    ExpectStoredAs<bool>(false, {0x00});
    // A bool is read as one byte; any non-zero byte is true.
    Load({0x07}, [](CArchive& ar) { bool b = false; ar >> b; EXPECT_TRUE(b); });
}

TEST(ArchiveValues, TypedReadPastTheEndThrowsWhileRawReadReturnsAShortCount)
{
    const Bytes bytes = {1, 2, 3};
    EXPECT_EQ(CArchiveException::endOfFile, LoadCause(bytes, [](CArchive& ar) { DWORD dw; ar >> dw; }));
    EXPECT_EQ(CArchiveException::endOfFile, LoadCause(bytes, [](CArchive& ar) { WORD w; BYTE by; ar >> w >> w >> by; }));
    Load(bytes, [](CArchive& ar) {
        BYTE buffer[8] = {};
        EXPECT_EQ(3u, ar.Read(buffer, sizeof(buffer)));
        EXPECT_EQ(3, buffer[2]);
        EXPECT_EQ(0u, ar.Read(buffer, sizeof(buffer)));
    });
}

TEST(ArchiveValues, WrongDirectionAndClosedArchivesThrow)
{
    CMemFile file;
    CArchive arStore(&file, CArchive::store);
    EXPECT_EQ(&file, arStore.GetFile());
    for (const std::function<void()>& read : std::initializer_list<std::function<void()>>{
             [&] { int i; arStore >> i; }, [&] { BYTE b; arStore.Read(&b, 1); }, [&] { arStore.ReadCount(); },
             [&] { arStore.ReadObject(nullptr); }, [&] { CString s; arStore >> s; }})
        EXPECT_EQ(CArchiveException::writeOnly, ArchiveCause(read));
    arStore.Close();
    EXPECT_EQ(nullptr, arStore.GetFile());
    EXPECT_EQ(CArchiveException::genericException, ArchiveCause([&] { arStore << 1; }));
    EXPECT_EQ(0u, file.GetLength());

    Bytes bytes = {0, 0, 0, 0};
    CMemFile fileIn(bytes.data(), 4);
    CArchive arLoad(&fileIn, CArchive::load);
    for (const std::function<void()>& write : std::initializer_list<std::function<void()>>{
             [&] { arLoad << 1; }, [&] { arLoad.Write("x", 1); }, [&] { arLoad.WriteCount(1); },
             [&] { CA a; arLoad.WriteObject(&a); }, [&] { arLoad << CString(L"x"); }})
        EXPECT_EQ(CArchiveException::readOnly, ArchiveCause(write));
    EXPECT_EQ(0u, fileIn.GetPosition());
}

TEST(ArchiveValues, CountsEscapeToWiderForms)
{
    const struct { DWORD_PTR nCount; Bytes bytes; } cases[] = {
        {5, {0x05, 0x00}},
        {0xFFFE, {0xFE, 0xFF}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
        {0xFFFFFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nCount);
        EXPECT_EQ(c.bytes, Store([&](CArchive& ar) { ar.WriteCount(c.nCount); }));
        Load(c.bytes, [&](CArchive& ar) { EXPECT_EQ(c.nCount, ar.ReadCount()); });
    }
}

TEST(ArchiveStrings, WideFormMatchesTheDocumentedBytes)
{
    EXPECT_EQ((Bytes{0xFF, 0xFE, 0xFF, 0x02, 'H', 0, 'i', 0}), Store([](CArchive& ar) { ar << CString(L"Hi"); }));
    EXPECT_EQ((Bytes{0xFF, 0xFE, 0xFF, 0x00}), Store([](CArchive& ar) { ar << CString(); }));
    const Bytes bytes300 = Store([](CArchive& ar) { ar << CString(L'x', 300); });
    ASSERT_EQ(6u + 600u, bytes300.size());
    EXPECT_EQ((Bytes{0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01, 'x', 0}), Bytes(bytes300.begin(), bytes300.begin() + 8));
}

TEST(ArchiveStrings, LengthPrefixesAtTheEscapeBoundaries)
{
    const struct { UINT_PTR nLength; Bytes narrow; } cases[] = {
        {0xFE, {0xFE}},
        {0xFF, {0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {0xFFFFFFFEull, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF}},
        {0x100000000ull, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 1, 0, 0, 0}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nLength);
        const Bytes narrow = Store([&](CArchive& ar) { AfxWriteStringLength(ar, c.nLength, FALSE); });
        EXPECT_EQ(c.narrow, narrow);
        const Bytes wide = Store([&](CArchive& ar) { AfxWriteStringLength(ar, c.nLength, TRUE); });
        EXPECT_EQ(Concat({{0xFF, 0xFE, 0xFF}, c.narrow}), wide);
        Load(Concat({narrow, wide}), [&](CArchive& ar) {
            for (int nExpectedCharSize : {1, 2})
            {
                int nCharSize = 0;
                EXPECT_EQ(c.nLength, AfxReadStringLength(ar, nCharSize));
                EXPECT_EQ(nExpectedCharSize, nCharSize);
            }
        });
    }
}

TEST(ArchiveStrings, BothFormsRoundTripAroundTheBoundaries)
{
    for (int nLength : {0, 1, 0xFE, 0xFF, 0x100, 0xFFFD, 0xFFFE, 0xFFFF, 0x10000})
    {
        SCOPED_TRACE(nLength);
        CString strWide(L'\x20AC', nLength);
        if (nLength > 0)
            strWide.SetAt(nLength - 1, L'z');
        const std::string strNarrow(static_cast<size_t>(nLength), 'n');
        const Bytes bytes = Store([&](CArchive& ar) {
            ar << strWide;
            AfxWriteStringLength(ar, strNarrow.size(), FALSE);
            ar.Write(strNarrow.data(), static_cast<UINT>(strNarrow.size()));
            ar << 0x5A5A5A5A;
        });
        Load(bytes, [&](CArchive& ar) {
            CString strWideIn = L"old", strNarrowIn = L"old";
            int nTrailer = 0;
            ar >> strWideIn >> strNarrowIn >> nTrailer;
            EXPECT_TRUE(strWideIn == strWide);
            EXPECT_TRUE(strNarrowIn == CString(strNarrow.c_str()));
            EXPECT_EQ(0x5A5A5A5A, nTrailer);
        });
    }
}

TEST(ArchiveStrings, NarrowTextIsWidenedWithTheAnsiCodePage)
{
    wchar_t szExpected[4] = {};
    MultiByteToWideChar(CP_ACP, 0, "a\xE9" "b", 3, szExpected, 3);
    Load({0x03, 'a', 0xE9, 'b'}, [&](CArchive& ar) { CString str; ar >> str; EXPECT_STREQ(szExpected, str); });
}

TEST(ArchiveStrings, ImpossibleLengthsFailAsAShortFileAndLeaveTheTargetAlone)
{
    const Bytes cases[] = {
        {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0xF0, 'a', 0, 'b', 0}, // ~4e9 wide characters
        Bytes(15, 0xFF),                                                            // a 64-bit length
        {0x05, 'a', 'b'},
    };
    for (const Bytes& bytes : cases)
    {
        CString str = L"keep";
        EXPECT_EQ(CArchiveException::endOfFile, LoadCause(bytes, [&](CArchive& ar) { ar >> str; }));
        EXPECT_TRUE(str == L"keep");
    }
}

TEST_F(ArchiveObjects, StoredGraphMatchesTheDocumentedFormatAndLoadsBack)
{
    CA a1(0x11), a2(0x22);
    CBee b1(0x3333);
    const Bytes bytes = Store([&](CArchive& ar) { ar << &a1 << &a2 << &a1 << &b1 << static_cast<CObject*>(nullptr); });
    const Bytes expected = Concat({
        NewClassRecord(1, "CA"), {0x11, 0, 0, 0},      // CA = 1, a1 = 2
        {0x01, 0x80, 0x22, 0, 0, 0},                    // a2 = 3
        {0x02, 0x00},                                   // a1 again
        NewClassRecord(2, "CBee"), {0x33, 0x33, 0, 0},  // CBee = 4, b1 = 5 with a null peer
        {0x00, 0x00}});
    EXPECT_EQ(expected, bytes);

    Load(bytes, [&](CArchive& ar) {
        CObject* pOb[5] = {};
        for (CObject*& p : pOb)
            ar >> p;
        m_aKept = {pOb[0], pOb[1], pOb[3]};
        // The same bytes again only if every value, class, null and back-reference came back.
        EXPECT_EQ(bytes, Store([&](CArchive& arAgain) { for (CObject* p : pOb) arAgain << p; }));
        CBee* pBee = DYNAMIC_DOWNCAST(CBee, pOb[3]);
        ASSERT_NE(nullptr, pBee);
        EXPECT_EQ(2u, pBee->m_nLoadedSchema);
        EXPECT_EQ(nNoSchema, pBee->m_nSchemaAskedAgain);
    });
}

TEST_F(ArchiveObjects, IndicesBeyondTheWordRangeUseTheBigTag)
{
    // Class CA takes index 1 and its objects 2 to 0x7FFF; class CBee then gets 0x8000, which needs a DWORD tag.
    std::vector<CA> aObjects(0x7FFE);
    const size_t n = aObjects.size();
    CBee b1(1), b2(2);
    const Bytes bytes = Store([&](CArchive& ar) {
        for (CA& a : aObjects)
            ar << &a;
        ar << &b1 << &b2 << &aObjects[n - 1] << &aObjects[n - 2] << &b1 << &aObjects[0];
    });
    const Bytes expectedTail = Concat({
        NewClassRecord(2, "CBee"), {0x01, 0x00, 0x00, 0x00},             // b1 = 0x8001, null peer
        {0xFF, 0x7F, 0x00, 0x80, 0x00, 0x80}, {0x02, 0x00, 0x00, 0x00},  // b2 = 0x8002 of class 0x8000
        {0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x00},                            // the object with index 0x7FFF
        {0xFE, 0x7F},                                                    // 0x7FFE still fits a WORD
        {0xFF, 0x7F, 0x01, 0x80, 0x00, 0x00},                            // b1
        {0x02, 0x00}});
    ASSERT_EQ(NewClassRecord(1, "CA").size() + 4 + (n - 1) * 6 + expectedTail.size(), bytes.size());
    EXPECT_EQ(expectedTail, Bytes(bytes.end() - expectedTail.size(), bytes.end()));
    EXPECT_EQ((Bytes{0x01, 0x80}), Bytes(bytes.begin() + 12, bytes.begin() + 14));

    Load(bytes, [&](CArchive& ar) {
        std::vector<CObject*> aLoaded;
        for (size_t i = 0; i < n + 6; ++i)
            aLoaded.push_back(ar.ReadObject(nullptr));
        m_aKept.assign(aLoaded.begin(), aLoaded.begin() + n + 2); // the rest refer back to these
        EXPECT_EQ(bytes, Store([&](CArchive& arAgain) { for (CObject* p : aLoaded) arAgain << p; }));
        const CBee* pB2 = DYNAMIC_DOWNCAST(CBee, aLoaded[n + 1]); // its class came through the big tag
        ASSERT_NE(nullptr, pB2);
        EXPECT_EQ(2u, pB2->m_nLoadedSchema);
    });
}

TEST_F(ArchiveObjects, VersionableClassAcceptsAnyStoredSchemaAndReportsIt)
{
    Load(Concat({NewClassRecord(7, "CBee"), {0x05, 0x00, 0x00, 0x00}, {0x01, 0x80, 0x06, 0x00, 0x00, 0x00}}),
         [&](CArchive& ar) {
             CBee *pFirst = nullptr, *pSecond = nullptr;
             ar >> pFirst >> pSecond;
             m_aKept = {pFirst, pSecond};
             ASSERT_TRUE(pFirst && pSecond);
             EXPECT_EQ(7u, pFirst->m_nLoadedSchema);
             EXPECT_EQ(nNoSchema, pFirst->m_nSchemaAskedAgain);
             // A later object of the same class reports the schema stored with the class record.
             EXPECT_EQ(7u, pSecond->m_nLoadedSchema);
             EXPECT_EQ(6, pSecond->m_wValue);
             EXPECT_EQ(nNoSchema, ar.GetObjectSchema());
         });
}

TEST_F(ArchiveObjects, ClassRecordsThatCannotBeLoadedThrowAndCreateNothing)
{
    const Bytes data = {0x01, 0x00, 0x00, 0x00};
    Bytes recordCut = NewClassRecord(1, "CA");
    recordCut.pop_back();
    const struct { const char* pszWhat; Bytes bytes; const CRuntimeClass* pRequested; int nCause; } cases[] = {
        {"schema of a non-versionable class", Concat({NewClassRecord(5, "CA"), data}), nullptr, CArchiveException::badSchema},
        {"unknown class", Concat({NewClassRecord(1, "CNoSuchClass"), data}), nullptr, CArchiveException::badClass},
        {"names match exactly", Concat({NewClassRecord(1, "ca"), data}), nullptr, CArchiveException::badClass},
        {"name with a NUL", Concat({NewClassRecord(1, std::string("CA\0x", 4)), data}), nullptr, CArchiveException::badClass},
        {"not serialisable", Concat({NewClassRecord(0xFFFF, "CPlain"), data}), nullptr, CArchiveException::badClass},
        {"not of the requested class", Concat({NewClassRecord(2, "CBee"), data}), RUNTIME_CLASS(CA), CArchiveException::badClass},
        {"base of the requested class", Concat({NewClassRecord(1, "CA"), data}), RUNTIME_CLASS(CDerivedA), CArchiveException::badClass},
        {"name longer than the file", recordCut, nullptr, CArchiveException::endOfFile},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        const int nLiveBefore = g_nLiveObjects;
        EXPECT_EQ(c.nCause, LoadCause(c.bytes, [&](CArchive& ar) { ar.ReadObject(c.pRequested); }));
        EXPECT_EQ(nLiveBefore, g_nLiveObjects);
    }

    Load(Concat({NewClassRecord(1, "CDerivedA"), {0x09, 0, 0, 0}}), [&](CArchive& ar) {
        CA* pA = nullptr;
        ar >> pA;
        m_aKept.push_back(pA);
        ASSERT_NE(nullptr, pA);
        EXPECT_TRUE(pA->IsKindOf(RUNTIME_CLASS(CDerivedA)));
        EXPECT_EQ(9, pA->m_nValue);
    });

    // Storing an object that could never be loaded back is refused as well.
    CPlain plain;
    EXPECT_EQ(CArchiveException::badClass, ArchiveCause([&] { Store([&](CArchive& ar) { ar << &plain; }); }));
}

TEST_F(ArchiveObjects, BadReferencesThrowBadIndex)
{
    const Bytes a1 = Concat({NewClassRecord(1, "CA"), {0x01, 0x00, 0x00, 0x00}});  // CA = 1, a1 = 2
    const struct { const char* pszWhat; Bytes bytes; int nReads; } cases[] = {
        {"back-reference to nothing loaded", {0x01, 0x00}, 1},
        {"back-reference past the last object", Concat({a1, {0x03, 0x00}}), 2},
        {"class index 0", {0x00, 0x80, 0x01, 0x00, 0x00, 0x00}, 1},
        {"class index that was never loaded", Concat({a1, {0x05, 0x80}}), 2},
        {"class index naming an object", Concat({a1, {0x02, 0x80}}), 2},
        {"back-reference naming a class", Concat({a1, {0x01, 0x00}}), 2},
        {"big back-reference past the end", Concat({a1, {0xFF, 0x7F, 0x10, 0x00, 0x00, 0x00}}), 2},
        {"big class index 0", {0xFF, 0x7F, 0x00, 0x00, 0x00, 0x80}, 1},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        const int nLiveBefore = g_nLiveObjects;
        std::vector<CObject*> aLoaded;
        EXPECT_EQ(CArchiveException::badIndex, LoadCause(c.bytes, [&](CArchive& ar) {
            for (int i = 0; i < c.nReads; ++i)
                aLoaded.push_back(ar.ReadObject(nullptr));
        }));
        for (CObject* pOb : aLoaded)
            delete pOb;
        EXPECT_EQ(nLiveBefore, g_nLiveObjects);
    }

    // The big tag with index 0 is the null object; a back-reference of the wrong class is refused.
    Load(Concat({{0xFF, 0x7F, 0x00, 0x00, 0x00, 0x00}, a1, {0x02, 0x00}}), [&](CArchive& ar) {
        EXPECT_EQ(nullptr, ar.ReadObject(RUNTIME_CLASS(CA)));
        m_aKept.push_back(ar.ReadObject(RUNTIME_CLASS(CA)));
        EXPECT_EQ(CArchiveException::badClass, ArchiveCause([&] { ar.ReadObject(RUNTIME_CLASS(CBee)); }));
    });
}

TEST_F(ArchiveObjects, FailureInsideAnObjectDeletesItAndForgetsIt)
{
    CBee outer(1), inner(2);
    outer.m_pPeer = &inner;
    inner.m_pPeer = &outer;
    Bytes bytes = Store([&](CArchive& ar) { ar << &outer << &outer; });
    ASSERT_EQ(Concat({NewClassRecord(2, "CBee"), {0x01, 0x00}, {0x01, 0x80, 0x02, 0x00, 0x02, 0x00}, {0x02, 0x00}}),
              bytes);
    // Cut inside the inner object: both the inner and the outer object are deleted again.
    const int nLiveBefore = g_nLiveObjects;
    const Bytes cut(bytes.begin(), bytes.begin() + 17);
    EXPECT_EQ(CArchiveException::endOfFile, LoadCause(cut, [](CArchive& ar) { ar.ReadObject(nullptr); }));
    EXPECT_EQ(nLiveBefore, g_nLiveObjects);

    // An archive whose object failed does not hand out the deleted object through a back-reference.
    bytes[16] = 0x07; // the inner object's peer now points past everything loaded
    Load(bytes, [&](CArchive& ar) {
        EXPECT_EQ(CArchiveException::badIndex, ArchiveCause([&] { ar.ReadObject(nullptr); }));
        EXPECT_EQ(nLiveBefore, g_nLiveObjects);
        EXPECT_EQ(CArchiveException::badIndex, ArchiveCause([&] { ar.ReadObject(nullptr); }));
    });
}

TEST_F(ArchiveObjects, NestingDeeperThanTheStackAllowsFailsInsteadOfOverflowing)
{
    // A chain of CBee objects, each new one stored inside the previous one as its peer.
    const auto Chain = [](int nDepth) {
        Bytes bytes = NewClassRecord(2, "CBee");
        for (int i = 0; i < nDepth; ++i)
            bytes.insert(bytes.end(), {0x01, 0x00, 0x01, 0x80});
        bytes.insert(bytes.end(), {0x01, 0x00, 0x00, 0x00});
        return bytes;
    };
    Load(Chain(1000), [](CArchive& ar) {
        CBee* pFirst = nullptr;
        ar >> pFirst;
        int nLength = 0;
        for (CObject* pOb = pFirst; pOb; ++nLength)
        {
            CObject* pNext = static_cast<CBee*>(pOb)->m_pPeer;
            delete pOb;
            pOb = pNext;
        }
        EXPECT_EQ(1001, nLength);
    });
    EXPECT_EQ(CArchiveException::genericException, LoadCause(Chain(1000000), [](CArchive& ar) { ar.ReadObject(nullptr); }));
}

TEST(MemFile, GrowsKeepsItsContentAndSeeksAnywhere)
{
    CMemFile file(16);
    for (int i = 0; i < 1000; ++i)
        file.Write(&i, sizeof(i));
    EXPECT_EQ(4000u, file.GetLength());
    EXPECT_EQ(4000u, file.GetPosition());
    int nValue = 0;
    file.Seek(-8, CFile::current);
    EXPECT_EQ(4u, file.Read(&nValue, 4));
    EXPECT_EQ(998, nValue);
    file.SeekToBegin();
    file.Seek(4 * 500, CFile::current);
    file.Read(&nValue, 4);
    EXPECT_EQ(500, nValue);

    // A write past the end leaves a gap of zeros.
    EXPECT_EQ(4010u, file.Seek(10, CFile::end));
    file.Write("z", 1);
    EXPECT_EQ(4011u, file.GetLength());
    file.Seek(4000, CFile::begin);
    BYTE gap[16] = {0xAA};
    EXPECT_EQ(11u, file.Read(gap, sizeof(gap)));
    EXPECT_EQ(Bytes(10, 0), Bytes(gap, gap + 10));
    EXPECT_EQ('z', gap[10]);
    EXPECT_EQ(0u, file.Read(gap, sizeof(gap)));

    EXPECT_EQ("CInvalidArgException", ThrownBy([&] { file.Seek(-1, CFile::begin); }));
    EXPECT_EQ(4011u, file.GetPosition());
    EXPECT_EQ(4011u, file.SeekToEnd());
}

TEST(MemFile, AttachedBlockIsReadInPlaceNeverGrownAndHandedBack)
{
    BYTE block[4] = {1, 2, 3, 4};
    CMemFile file(block, sizeof(block));
    EXPECT_EQ(4u, file.GetLength());
    BYTE by = 0;
    file.Read(&by, 1);
    EXPECT_EQ(1, by);
    file.Write("\x09\x08", 2);
    EXPECT_EQ(9, block[1]);
    EXPECT_EQ(8, block[2]);

    EXPECT_EQ("CMemoryException", ThrownBy([&] { file.Write("\x07\x06", 2); }));
    EXPECT_EQ(4, block[3]);
    EXPECT_EQ(block, file.Detach());
    EXPECT_EQ(0u, file.GetLength());
}
