#pragma once
// The class library's collection templates: CArray, a contiguous growable array with bounds-checked
// access, and CMap, a chained hash map whose associations are allocated in blocks.
#include "Object.h"
#include "Exceptions.h"
#include "String.h"

#include <algorithm>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
public:
    CArray() = default;
    virtual ~CArray() = default;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }

    // Sets the element count; new elements are default-constructed. nGrowBy is the allocation step.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        if (nNewSize < 0)
            AfxThrowInvalidArgException();
        if (nGrowBy >= 0)
            m_nGrowBy = nGrowBy;
        Reserve(nNewSize);
        m_data.resize(static_cast<size_t>(nNewSize));
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_data[CheckedIndex(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_data[CheckedIndex(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[CheckedIndex(nIndex)] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE* GetData() const { return m_data.data(); }
    TYPE* GetData() { return m_data.data(); }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        if (nIndex < 0)
            AfxThrowInvalidArgException();
        if (nIndex >= GetSize())
        {
            // The element may live in this array: copy it before the storage moves.
            TYPE copy(newElement);
            SetSize(nIndex + 1);
            m_data[static_cast<size_t>(nIndex)] = std::move(copy);
        }
        else
            m_data[static_cast<size_t>(nIndex)] = newElement;
    }
    INT_PTR Add(ARG_TYPE newElement)
    {
        const INT_PTR nIndex = GetSize();
        SetAtGrow(nIndex, newElement);
        return nIndex;
    }
    INT_PTR Append(const CArray& src)
    {
        const INT_PTR nOldSize = GetSize();
        const std::vector<TYPE> copy(src.m_data);
        Reserve(nOldSize + static_cast<INT_PTR>(copy.size()));
        m_data.insert(m_data.end(), copy.begin(), copy.end());
        return nOldSize;
    }
    void Copy(const CArray& src)
    {
        if (&src != this)
            m_data = src.m_data;
    }

    // Inserts nCount copies at nIndex, which may lie past the end (the gap is default-constructed).
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount <= 0)
            AfxThrowInvalidArgException();
        TYPE copy(newElement);
        if (nIndex > GetSize())
            SetSize(nIndex);
        Reserve(GetSize() + nCount);
        m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), copy);
    }
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
    {
        if (!pNewArray || nStartIndex < 0)
            AfxThrowInvalidArgException();
        const std::vector<TYPE> copy(pNewArray->m_data);
        if (nStartIndex > GetSize())
            SetSize(nStartIndex);
        Reserve(GetSize() + static_cast<INT_PTR>(copy.size()));
        m_data.insert(m_data.begin() + nStartIndex, copy.begin(), copy.end());
    }
    // Removes nCount elements; the later ones move down, keeping their order.
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0 || nCount > GetSize() - nIndex)
            AfxThrowInvalidArgException();
        m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
    }

private:
    size_t CheckedIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= GetSize())
            AfxThrowInvalidArgException();
        return static_cast<size_t>(nIndex);
    }
    // Room for nSize elements, in steps of m_nGrowBy (by half the capacity when it is 0). A size the array
    // cannot hold fails as the class library's memory exception, which callers catch, not as a standard one.
    void Reserve(INT_PTR nSize)
    {
        const size_t nNeeded = static_cast<size_t>(nSize);
        if (nNeeded <= m_data.capacity())
            return;
        if (nNeeded > m_data.max_size())
            AfxThrowMemoryException();
        const size_t nStep = m_nGrowBy > 0 ? static_cast<size_t>(m_nGrowBy) : m_data.capacity() / 2 + 4;
        const size_t nCapacity = std::min(std::max(m_data.capacity() + nStep, nNeeded), m_data.max_size());
        try
        {
            m_data.reserve(nCapacity);
        }
        catch (const std::bad_alloc&)
        {
            AfxThrowMemoryException();
        }
    }

    std::vector<TYPE> m_data;
    INT_PTR m_nGrowBy = 0;
};

class CStringArray : public CArray<CString, LPCWSTR>
{
};
class CPtrArray : public CArray<void*, void*>
{
};
class CDWordArray : public CArray<DWORD, DWORD>
{
};
class CUIntArray : public CArray<UINT, UINT>
{
};

// Hashing and comparison of map keys; overloads for string keys hash the characters.
template <class ARG_KEY>
inline UINT AFXAPI HashKey(ARG_KEY key)
{
    ULONGLONG value;
    if constexpr (std::is_pointer_v<ARG_KEY>)
        value = reinterpret_cast<ULONG_PTR>(key);
    else
        value = static_cast<ULONGLONG>(key);
    return static_cast<UINT>(value ^ (value >> 32) ^ (value >> 4));
}
template <>
inline UINT AFXAPI HashKey<LPCWSTR>(LPCWSTR key)
{
    UINT nHash = 0;
    for (; key && *key; ++key)
        nHash = (nHash << 5) + nHash + *key;
    return nHash;
}
template <>
inline UINT AFXAPI HashKey<const CString&>(const CString& key)
{
    return HashKey<LPCWSTR>(key);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject
{
public:
    explicit CMap(INT_PTR nBlockSize = 10) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
    virtual ~CMap() { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    UINT GetHashTableSize() const { return static_cast<UINT>(m_buckets.size()); }

    // Sizes the hash table; takes effect on an empty map only, as rehashing would move associations.
    void InitHashTable(UINT nHashSize)
    {
        if (m_nCount == 0 && nHashSize > 0)
            m_buckets.assign(nHashSize, nullptr);
    }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        const CAssoc* pAssoc = Find(key);
        if (!pAssoc)
            return FALSE;
        rValue = pAssoc->value;
        return TRUE;
    }
    VALUE& operator[](ARG_KEY key)
    {
        if (CAssoc* pAssoc = Find(key))
            return pAssoc->value;
        if (m_buckets.empty())
            m_buckets.assign(s_nDefaultHashSize, nullptr);
        CAssoc* pAssoc = NewAssoc(key);
        CAssoc*& pHead = m_buckets[pAssoc->nHashValue % m_buckets.size()];
        pAssoc->pNext = pHead;
        pHead = pAssoc;
        return pAssoc->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

    BOOL RemoveKey(ARG_KEY key)
    {
        if (m_buckets.empty())
            return FALSE;
        for (CAssoc** ppAssoc = &m_buckets[HashKey<ARG_KEY>(key) % m_buckets.size()]; *ppAssoc;
             ppAssoc = &(*ppAssoc)->pNext)
        {
            if ((*ppAssoc)->key == key)
            {
                CAssoc* pAssoc = *ppAssoc;
                *ppAssoc = pAssoc->pNext;
                FreeAssoc(pAssoc);
                return TRUE;
            }
        }
        return FALSE;
    }
    void RemoveAll()
    {
        for (CAssoc*& pHead : m_buckets)
            while (pHead)
            {
                CAssoc* pNext = pHead->pNext;
                FreeAssoc(pHead);
                pHead = pNext;
            }
        for (void* pBlock : m_blocks)
            ::operator delete(pBlock);
        m_blocks.clear();
        m_pFreeList = nullptr;
    }

    POSITION GetStartPosition() const
    {
        return m_nCount ? reinterpret_cast<POSITION>(const_cast<CAssoc*>(FirstFrom(0))) : nullptr;
    }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        const CAssoc* pAssoc = reinterpret_cast<const CAssoc*>(rNextPosition);
        if (!pAssoc)
            AfxThrowInvalidArgException();
        rKey = pAssoc->key;
        rValue = pAssoc->value;
        const CAssoc* pNext = pAssoc->pNext ? pAssoc->pNext : FirstFrom(pAssoc->nHashValue % m_buckets.size() + 1);
        rNextPosition = reinterpret_cast<POSITION>(const_cast<CAssoc*>(pNext));
    }

private:
    struct CAssoc
    {
        CAssoc* pNext;
        UINT nHashValue;
        KEY key;
        VALUE value;
    };
    struct CFreeSlot
    {
        CFreeSlot* pNext;
    };
    static_assert(sizeof(CAssoc) >= sizeof(CFreeSlot), "a free slot must fit in an association");
    static constexpr UINT s_nDefaultHashSize = 17;

    const CAssoc* FirstFrom(size_t nBucket) const
    {
        for (; nBucket < m_buckets.size(); ++nBucket)
            if (m_buckets[nBucket])
                return m_buckets[nBucket];
        return nullptr;
    }
    CAssoc* Find(ARG_KEY key) const
    {
        if (m_buckets.empty())
            return nullptr;
        for (CAssoc* pAssoc = m_buckets[HashKey<ARG_KEY>(key) % m_buckets.size()]; pAssoc; pAssoc = pAssoc->pNext)
            if (pAssoc->key == key)
                return pAssoc;
        return nullptr;
    }
    // Associations come from blocks of m_nBlockSize and return to a free list; blocks go with RemoveAll.
    CAssoc* NewAssoc(ARG_KEY key)
    {
        if (!m_pFreeList)
        {
            char* pBlock = static_cast<char*>(::operator new(sizeof(CAssoc) * static_cast<size_t>(m_nBlockSize)));
            m_blocks.push_back(pBlock);
            for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i)
                m_pFreeList = new (pBlock + sizeof(CAssoc) * static_cast<size_t>(i)) CFreeSlot{ m_pFreeList };
        }
        void* pSlot = m_pFreeList;
        m_pFreeList = m_pFreeList->pNext;
        CAssoc* pAssoc = new (pSlot) CAssoc{ nullptr, HashKey<ARG_KEY>(key), KEY(key), VALUE() };
        ++m_nCount;
        return pAssoc;
    }
    void FreeAssoc(CAssoc* pAssoc)
    {
        pAssoc->~CAssoc();
        m_pFreeList = new (pAssoc) CFreeSlot{ m_pFreeList };
        --m_nCount;
    }

    std::vector<CAssoc*> m_buckets;
    std::vector<void*> m_blocks;
    CFreeSlot* m_pFreeList = nullptr;
    INT_PTR m_nCount = 0;
    INT_PTR m_nBlockSize;
};

class CMapStringToString : public CMap<CString, LPCWSTR, CString, LPCWSTR>
{
public:
    explicit CMapStringToString(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapStringToPtr : public CMap<CString, LPCWSTR, void*, void*>
{
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
