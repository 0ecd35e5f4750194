// Damaged archives: every prefix and many random mutations of a valid archive either load or throw a
// CArchiveException, and in both cases leak no object, delete none twice and allocate no more than the
// input could hold.
#include <gtest/gtest.h>

#include "Exceptions.h"
#include "StoredBytes.h"

#include <psapi.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <vector>

// Named rather than anonymous: the runtime-class macros define functions that not every test uses.
namespace archive_fuzz
{
std::set<const CObject*> g_setLive;
size_t g_nPeakLive = 0;
int g_nDoubleDeletes = 0;
unsigned g_nNextSerial = 0;
size_t g_nLongestString = 0;

// Base of the fuzz objects: counts them in and out and numbers them in order of creation.
class CFuzzItem : public CObject
{
    DECLARE_DYNAMIC(CFuzzItem)
public:
    CFuzzItem() : m_nSerial(g_nNextSerial++)
    {
        g_setLive.insert(this);
        g_nPeakLive = std::max(g_nPeakLive, g_setLive.size());
    }
    ~CFuzzItem() override
    {
        if (g_setLive.erase(this) == 0)
            ++g_nDoubleDeletes;
    }

    const unsigned m_nSerial;
};
IMPLEMENT_DYNAMIC(CFuzzItem, CObject)

// A reference read from the archive, with whether this read created the object (then the reader owns it)
// or referred back to an earlier one.
template <class T>
struct Ref
{
    T* m_p = nullptr;
    bool m_bOwned = false;

    void Read(CArchive& ar)
    {
        const unsigned nFirstNew = g_nNextSerial;
        m_p = static_cast<T*>(ar.ReadObject(RUNTIME_CLASS(T)));
        m_bOwned = m_p && m_p->m_nSerial >= nFirstNew;
    }
    void Release()
    {
        if (m_bOwned)
            delete m_p;
    }
};

class CFuzzLeaf : public CFuzzItem
{
    DECLARE_SERIAL(CFuzzLeaf)
public:
    CFuzzLeaf() = default;
    CFuzzLeaf(double d, ULONGLONG n, bool b, wchar_t ch) : m_d(d), m_n(n), m_b(b), m_ch(ch) {}

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_d << m_n << m_b << m_ch;
        else
            ar >> m_d >> m_n >> m_b >> m_ch;
    }

    double m_d = 0;
    ULONGLONG m_n = 0;
    bool m_b = false;
    wchar_t m_ch = 0;
};
IMPLEMENT_SERIAL(CFuzzLeaf, CFuzzItem, VERSIONABLE_SCHEMA | 3)

class CFuzzNode : public CFuzzItem
{
    DECLARE_SERIAL(CFuzzNode)
public:
    CFuzzNode() = default;
    CFuzzNode(int nValue, const CString& strName) : m_nValue(nValue), m_strName(strName) {}
    ~CFuzzNode() override
    {
        for (Ref<CFuzzItem>& child : m_aChildren)
            child.Release();
        m_leaf.Release();
    }

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
        {
            ar << m_nValue << m_strName;
            ar.WriteCount(m_aChildren.size());
            for (const Ref<CFuzzItem>& child : m_aChildren)
                ar << child.m_p;
            ar << m_leaf.m_p;
            return;
        }
        ar >> m_nValue >> m_strName;
        g_nLongestString = std::max(g_nLongestString, static_cast<size_t>(m_strName.GetLength()));
        const DWORD_PTR nChildren = ar.ReadCount();
        ar.EnsureAvailable(nChildren); // every child takes at least a tag
        m_aChildren.reserve(nChildren);
        for (DWORD_PTR i = 0; i < nChildren; ++i)
        {
            Ref<CFuzzItem> child;
            child.Read(ar);
            m_aChildren.push_back(child);
        }
        m_leaf.Read(ar);
    }

    int m_nValue = 0;
    CString m_strName;
    std::vector<Ref<CFuzzItem>> m_aChildren;
    Ref<CFuzzLeaf> m_leaf;
};
IMPLEMENT_SERIAL(CFuzzNode, CFuzzItem, 1)

const size_t nRoots = 5;

// What the archive holds: a header, a graph of objects reached from several roots, a count and a narrow string.
struct Document
{
    int m_nHeader = 0;
    CString m_strTitle;
    std::vector<Ref<CFuzzItem>> m_aRoots;
    DWORD_PTR m_nCount = 0;
    CString m_strTail;

    Document() { m_aRoots.reserve(nRoots); }
    ~Document()
    {
        for (Ref<CFuzzItem>& root : m_aRoots)
            root.Release();
    }

    void Read(CArchive& ar)
    {
        ar >> m_nHeader >> m_strTitle;
        for (size_t i = 0; i < nRoots; ++i)
        {
            m_aRoots.emplace_back();
            m_aRoots.back().Read(ar);
        }
        m_nCount = ar.ReadCount();
        ar >> m_strTail;
    }

    // The tail is stored in the narrow form, so that loading meets both string forms.
    Bytes Stored() const
    {
        return Store([&](CArchive& ar) {
            ar << m_nHeader << m_strTitle;
            for (const Ref<CFuzzItem>& root : m_aRoots)
                ar << root.m_p;
            ar.WriteCount(m_nCount);
            AfxWriteStringLength(ar, m_strTail.GetLength(), FALSE);
            for (int i = 0; i < m_strTail.GetLength(); ++i)
                ar << static_cast<char>(m_strTail[i]);
        });
    }
};

// A valid archive of a graph with shared objects, a cycle and nulls.
class ValidArchive
{
public:
    ValidArchive()
    {
        m_nodeC.m_aChildren = {{&m_leafA, false}, {&m_nodeD, false}};
        m_nodeC.m_leaf.m_p = &m_leafB;
        m_nodeD.m_aChildren = {{&m_leafB, false}, {&m_nodeC, false}, {nullptr, false}};
        m_nodeD.m_leaf.m_p = &m_leafA;

        m_document.m_nHeader = 0x0BADF00D;
        m_document.m_strTitle = L"fuzz";
        m_document.m_aRoots = {{&m_nodeC, false}, {&m_leafB, false}, {nullptr, false}, {&m_nodeE, false},
                               {&m_nodeD, false}};
        m_document.m_nCount = 70000;
        m_document.m_strTail = L"tail";
        m_bytes = m_document.Stored();
    }

    const Bytes& GetBytes() const { return m_bytes; }

private:
    CFuzzLeaf m_leafA{0.25, 1ull << 40, true, L'Q'}, m_leafB{-7.5, 12, false, L'\x00FC'};
    CFuzzNode m_nodeC{1, L"C"}, m_nodeD{-2, L"D\x00FCsseldorf"}, m_nodeE{3, CString(L'e', 300)};
    Document m_document;
    Bytes m_bytes;
};

struct LoadResult
{
    int m_nCause = -1;          // the CArchiveException's cause; -1 when the load succeeded
    bool m_bOtherFault = false; // anything other than a CArchiveException was thrown
    bool m_bLeaked = false;
    bool m_bTooBig = false;     // more objects or longer strings than the input could hold
    Bytes m_storedAgain;        // what the loaded document stores

    ::testing::AssertionResult IsSound() const
    {
        if (m_bOtherFault || m_bLeaked || m_bTooBig || g_nDoubleDeletes != 0)
            return ::testing::AssertionFailure() << "other fault " << m_bOtherFault << ", leaked " << m_bLeaked
                                                 << ", too big " << m_bTooBig << ", double deletes " << g_nDoubleDeletes;
        return ::testing::AssertionSuccess();
    }
};

LoadResult LoadDamaged(Bytes bytes)
{
    LoadResult result;
    const size_t nLiveBefore = g_setLive.size();
    g_nPeakLive = nLiveBefore;
    g_nLongestString = 0;
    {
        Document document;
        try
        {
            CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
            CArchive ar(&file, CArchive::load);
            document.Read(ar);
            result.m_storedAgain = document.Stored();
        }
        catch (CException* pEx)
        {
            if (CArchiveException* pArchiveEx = DYNAMIC_DOWNCAST(CArchiveException, pEx))
                result.m_nCause = pArchiveEx->m_cause;
            else
                result.m_bOtherFault = true;
            pEx->Delete();
        }
        catch (...)
        {
            result.m_bOtherFault = true;
        }
        // Every new object costs at least a two-byte tag; every character at least a byte.
        result.m_bTooBig = g_nPeakLive - nLiveBefore > bytes.size() / 2 || g_nLongestString > bytes.size();
    }
    result.m_bLeaked = g_setLive.size() != nLiveBefore;
    return result;
}

Bytes Mutate(const Bytes& original, std::mt19937& random)
{
    static const BYTE s_interesting[] = {0x00, 0x01, 0x7E, 0x7F, 0x80, 0xFE, 0xFF};
    Bytes bytes = original;
    const int nMutations = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < nMutations && !bytes.empty(); ++i)
    {
        const size_t nAt = random() % bytes.size();
        switch (random() % 6)
        {
        case 0: bytes[nAt] = static_cast<BYTE>(random()); break;
        case 1: bytes[nAt] ^= static_cast<BYTE>(1u << (random() % 8)); break;
        case 2: bytes[nAt] = s_interesting[random() % sizeof(s_interesting)]; break;
        case 3: bytes.resize(nAt); break;
        case 4: bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(nAt)); break;
        default: bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(nAt), static_cast<BYTE>(random())); break;
        }
    }
    return bytes;
}

// Under Wine the peak working set shows memory that was touched; a buffer sized from a corrupt length is
// filled when it is created.
SIZE_T PeakWorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakWorkingSetSize;
}
}
using namespace archive_fuzz;

TEST(ArchiveFuzz, ValidArchiveLoadsBackExactly)
{
    const ValidArchive valid;
    const LoadResult result = LoadDamaged(valid.GetBytes());
    EXPECT_EQ(-1, result.m_nCause);
    EXPECT_TRUE(result.IsSound());
    // Storing the loaded graph gives the same bytes only if every value, null and shared object came back.
    EXPECT_EQ(valid.GetBytes(), result.m_storedAgain);
}

TEST(ArchiveFuzz, EveryPrefixEndsWithEndOfFile)
{
    const ValidArchive valid;
    const Bytes& bytes = valid.GetBytes();
    for (size_t n = 0; n < bytes.size(); ++n)
    {
        const LoadResult result = LoadDamaged(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n)));
        ASSERT_EQ(CArchiveException::endOfFile, result.m_nCause) << "prefix of " << n << " bytes";
        ASSERT_TRUE(result.IsSound()) << "prefix of " << n << " bytes";
    }
}

TEST(ArchiveFuzz, RandomMutationsLoadOrThrowAnArchiveExceptionWithoutLeaksOrHugeAllocations)
{
    const ValidArchive valid;
    const SIZE_T nPeakBefore = PeakWorkingSet();
    std::mt19937 random(20261206);
    std::map<int, int> outcomes;
    for (int nCase = 0; nCase < 20000; ++nCase)
    {
        const LoadResult result = LoadDamaged(Mutate(valid.GetBytes(), random));
        ASSERT_TRUE(result.IsSound()) << "case " << nCase;
        ++outcomes[result.m_nCause];
        // A damaged archive that still loads must have given values the archive can hold: storing them and
        // loading that again comes back to the same bytes.
        if (result.m_nCause == -1)
        {
            const LoadResult again = LoadDamaged(result.m_storedAgain);
            ASSERT_EQ(-1, again.m_nCause) << "case " << nCase;
            ASSERT_EQ(result.m_storedAgain, again.m_storedAgain) << "case " << nCase;
        }
    }
    // The mutations reach the loaders' different faults as well as archives that still load.
    for (int nCause : {-1, int(CArchiveException::endOfFile), int(CArchiveException::badIndex),
                       int(CArchiveException::badClass), int(CArchiveException::badSchema)})
        EXPECT_GT(outcomes[nCause], 0) << "cause " << nCause;
    EXPECT_LT(PeakWorkingSet() - nPeakBefore, SIZE_T(64) << 20);
}
