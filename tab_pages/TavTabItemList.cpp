#include "TavTabItemList.h"

#include <algorithm>

CTavTabItemList::CTavTabItemList() = default;

CTavTabItemList::~CTavTabItemList()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        CTavTabItem& item = GetAt(i);
        item.DestroyPage();
        item.DestroyBitmap();
        DisownCopiesAfter(i);
    }
}

// A record added twice leaves two records owning one page or picture; once freed through the first of them,
// the later ones must not free it again.
void CTavTabItemList::DisownCopiesAfter(INT_PTR nIndex)
{
    const CTavTabItem& freed = GetAt(nIndex);
    for (INT_PTR i = nIndex + 1; i < GetSize(); ++i)
    {
        CTavTabItem& later = GetAt(i);
        if (freed.m_bDeletePage && later.m_pPage == freed.m_pPage)
            later.m_bDeletePage = FALSE;
        if (freed.m_bDeletePicture && later.m_pPicture == freed.m_pPicture)
            later.m_bDeletePicture = FALSE;
    }
}

long CTavTabItemList::GetNextEnabledTab(long nPage, int bWrap)
{
    const long long nLast = GetSize() - 1;
    long nFound = FirstEnabledUpward(nPage + 1LL, nLast);
    if (nFound == -1 && bWrap)
        nFound = FirstEnabledUpward(0, nPage - 1LL);
    return nFound;
}

long CTavTabItemList::GetPrevEnabledTab(long nPage, int bWrap)
{
    const long long nLast = GetSize() - 1;
    long nFound = FirstEnabledDownward(nPage - 1LL, 0);
    if (nFound == -1 && bWrap)
        nFound = FirstEnabledDownward(nLast, nPage + 1LL);
    return nFound;
}

long CTavTabItemList::GetPageIndex(CDialog* pPage)
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        if (GetAt(i).m_pPage == pPage)
            return static_cast<long>(i);
    return -1;
}

BOOL CTavTabItemList::IsPageDisabled(long nPage)
{
    return GetAt(nPage).m_bDisabled;
}

// The searches run from a page index the caller chose, which may lie anywhere; the bounds are clamped to the
// list (in 64 bits, so that one past any long is representable) and only records inside it are examined.
long CTavTabItemList::FirstEnabledUpward(long long nFrom, long long nTo)
{
    nFrom = std::max(nFrom, 0LL);
    nTo = std::min(nTo, static_cast<long long>(GetSize()) - 1);
    for (long long i = nFrom; i <= nTo; ++i)
        if (!GetAt(static_cast<INT_PTR>(i)).m_bDisabled)
            return static_cast<long>(i);
    return -1;
}

long CTavTabItemList::FirstEnabledDownward(long long nFrom, long long nTo)
{
    nFrom = std::min(nFrom, static_cast<long long>(GetSize()) - 1);
    nTo = std::max(nTo, 0LL);
    for (long long i = nFrom; i >= nTo; --i)
        if (!GetAt(static_cast<INT_PTR>(i)).m_bDisabled)
            return static_cast<long>(i);
    return -1;
}
