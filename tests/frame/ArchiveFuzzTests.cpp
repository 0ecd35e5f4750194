// Damaged archives: every prefix and many random mutations of a valid archive either load or throw a
// CArchiveException, and in both cases leak no object, delete none twice and allocate no more than the
// input could hold.
#include <gtest/gtest.h>

#include "Archive.h"
#include "Exceptions.h"

#include <psapi.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

using Bytes = std::vector<BYTE>;

// Named rather than anonymous: the runtime-class macros define functions that not every test uses.
namespace archive_fuzz
{
std::set<const CObject*> g_setLive;
size_t g_nPeakLive = 0;
int g_nDoubleDeletes = 0;
unsigned g_nNextSerial = 0;
size_t g_nLongestString = 0;

class CFuzzItem;
using SeenMap = std::map<const CFuzzItem*, size_t>;

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

    // Appends a description of the object; an object met before is named by its first position.
    void Describe(std::wstring& str, SeenMap& seen) const
    {
        const auto it = seen.find(this);
        if (it != seen.end())
        {
            str += L"#" + std::to_wstring(it->second) + L" ";
            return;
        }
        seen.emplace(this, seen.size());
        DescribeFields(str, seen);
    }

    const unsigned m_nSerial;

protected:
    virtual void DescribeFields(std::wstring& str, SeenMap& seen) const = 0;
};
IMPLEMENT_DYNAMIC(CFuzzItem, CObject)

void DescribeItem(const CFuzzItem* pItem, std::wstring& str, SeenMap& seen)
{
    if (pItem)
        pItem->Describe(str, seen);
    else
        str += L"null ";
}

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
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
        {
            ar << m_d << m_n << m_b << m_ch;
        }
        else
        {
            m_nSchema = ar.GetObjectSchema();
            ar >> m_d >> m_n >> m_b >> m_ch;
        }
    }

    double m_d = 0;
    ULONGLONG m_n = 0;
    bool m_b = false;
    wchar_t m_ch = 0;
    UINT m_nSchema = 3;

protected:
    void DescribeFields(std::wstring& str, SeenMap&) const override
    {
        str += L"leaf(" + std::to_wstring(m_d) + L"," + std::to_wstring(m_n) + L"," + std::to_wstring(m_b) + L"," +
               std::to_wstring(m_ch) + L",v" + std::to_wstring(m_nSchema) + L") ";
    }
};
IMPLEMENT_SERIAL(CFuzzLeaf, CFuzzItem, VERSIONABLE_SCHEMA | 3)

class CFuzzNode : public CFuzzItem
{
    DECLARE_SERIAL(CFuzzNode)
public:
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

protected:
    void DescribeFields(std::wstring& str, SeenMap& seen) const override
    {
        str += L"node(" + std::to_wstring(m_nValue) + L"," + m_strName.Str() + L")[ ";
        for (const Ref<CFuzzItem>& child : m_aChildren)
            DescribeItem(child.m_p, str, seen);
        str += L"] ";
        DescribeItem(m_leaf.m_p, str, seen);
    }
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

    std::wstring Describe() const
    {
        std::wstring str = std::to_wstring(m_nHeader) + L" " + m_strTitle.Str() + L" ";
        SeenMap seen;
        for (const Ref<CFuzzItem>& root : m_aRoots)
            DescribeItem(root.m_p, str, seen);
        return str + std::to_wstring(m_nCount) + L" " + m_strTail.Str();
    }
};

// The valid archive and the description that loading it must give.
class ValidArchive
{
public:
    ValidArchive()
    {
        m_leafA.m_d = 0.25;
        m_leafA.m_n = 1ull << 40;
        m_leafA.m_b = true;
        m_leafA.m_ch = L'Q';
        m_leafB.m_d = -7.5;
        m_leafB.m_n = 12;
        m_leafB.m_ch = L'\x00FC';
        m_nodeC.m_nValue = 1;
        m_nodeC.m_strName = L"C";
        m_nodeC.m_aChildren = {{&m_leafA, false}, {&m_nodeD, false}};
        m_nodeC.m_leaf.m_p = &m_leafB;
        m_nodeD.m_nValue = -2;
        m_nodeD.m_strName = L"D\x00FCsseldorf";
        m_nodeD.m_aChildren = {{&m_leafB, false}, {&m_nodeC, false}, {nullptr, false}};
        m_nodeD.m_leaf.m_p = &m_leafA;
        m_nodeE.m_nValue = 3;
        m_nodeE.m_strName = CString(L'e', 300);

        m_document.m_nHeader = 0x0BADF00D;
        m_document.m_strTitle = L"fuzz";
        m_document.m_aRoots = {{&m_nodeC, false}, {&m_leafB, false}, {nullptr, false}, {&m_nodeE, false},
                               {&m_nodeD, false}};
        m_document.m_nCount = 70000;
        m_document.m_strTail = L"tail";

        CMemFile file;
        CArchive ar(&file, CArchive::store);
        ar << m_document.m_nHeader << m_document.m_strTitle;
        for (const Ref<CFuzzItem>& root : m_document.m_aRoots)
            ar << root.m_p;
        ar.WriteCount(m_document.m_nCount);
        AfxWriteStringLength(ar, 4, FALSE);
        ar.Write("tail", 4);
        ar.Close();
        const size_t nLength = static_cast<size_t>(file.GetLength());
        BYTE* pData = file.Detach();
        m_bytes.assign(pData, pData + nLength);
        free(pData);
    }

    const Bytes& GetBytes() const { return m_bytes; }
    std::wstring Describe() const { return m_document.Describe(); }

private:
    CFuzzLeaf m_leafA, m_leafB;
    CFuzzNode m_nodeC, m_nodeD, m_nodeE;
    Document m_document;
    Bytes m_bytes;
};

struct LoadResult
{
    int m_nCause = -1;          // the CArchiveException's cause; -1 when the load succeeded
    bool m_bOtherFault = false; // anything other than a CArchiveException was thrown
    bool m_bLeaked = false;
    bool m_bTooBig = false;     // more objects or longer strings than the input could hold
    std::wstring m_strLoaded;
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
            result.m_strLoaded = document.Describe();
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
    EXPECT_FALSE(result.m_bOtherFault);
    EXPECT_FALSE(result.m_bLeaked);
    EXPECT_FALSE(result.m_bTooBig);
    EXPECT_EQ(valid.Describe(), result.m_strLoaded);
    EXPECT_NE(std::wstring::npos, result.m_strLoaded.find(L"#")); // the graph has shared objects and a cycle
    EXPECT_EQ(0, g_nDoubleDeletes);
}

TEST(ArchiveFuzz, EveryPrefixEndsWithEndOfFile)
{
    const ValidArchive valid;
    const Bytes& bytes = valid.GetBytes();
    for (size_t n = 0; n < bytes.size(); ++n)
    {
        const LoadResult result = LoadDamaged(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n)));
        ASSERT_EQ(CArchiveException::endOfFile, result.m_nCause) << "prefix of " << n << " bytes";
        ASSERT_FALSE(result.m_bLeaked) << "prefix of " << n << " bytes";
        ASSERT_FALSE(result.m_bTooBig) << "prefix of " << n << " bytes";
    }
    EXPECT_EQ(0, g_nDoubleDeletes);
}

TEST(ArchiveFuzz, RandomMutationsLoadOrThrowAnArchiveExceptionWithoutLeaksOrHugeAllocations)
{
    const ValidArchive valid;
    const SIZE_T nPeakBefore = PeakWorkingSet();
    std::mt19937 random(20261206);
    std::map<int, int> outcomes;
    for (int nCase = 0; nCase < 20000; ++nCase)
    {
        const Bytes bytes = Mutate(valid.GetBytes(), random);
        const LoadResult result = LoadDamaged(bytes);
        ASSERT_FALSE(result.m_bOtherFault) << "case " << nCase;
        ASSERT_FALSE(result.m_bLeaked) << "case " << nCase;
        ASSERT_FALSE(result.m_bTooBig) << "case " << nCase;
        ASSERT_EQ(0, g_nDoubleDeletes) << "case " << nCase;
        ++outcomes[result.m_nCause];
    }
    // The mutations reach the loaders' different faults as well as archives that still load.
    for (int nCause : {-1, int(CArchiveException::endOfFile), int(CArchiveException::badIndex),
                       int(CArchiveException::badClass), int(CArchiveException::badSchema)})
        EXPECT_GT(outcomes[nCause], 0) << "cause " << nCause;
    EXPECT_LT(PeakWorkingSet() - nPeakBefore, SIZE_T(64) << 20);
}
