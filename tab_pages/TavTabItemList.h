#pragma once
// The ordered page list of the tab controls, one record per tab in tab order, with the searches that skip
// disabled pages. The list has no persistent form.
#include "TavTabItem.h"
#include "frame/Collections.h"

/// The ordered page list of the tab controls, one record per tab in tab order.
class TAV_API CTavTabItemList : public CArray<CTavTabItem, CTavTabItem&>
{
public:
    /// An empty list.
    CTavTabItemList();
    /// Deletes every page and picture the records own, each record's page before its picture, each object once.
    virtual ~CTavTabItemList();

    /// The first enabled page after nPage (-1: from the start), continuing from page 0 when bWrap is set.
    /// nPage itself is never returned; -1 when there is none.
    long GetNextEnabledTab(long nPage, int bWrap);
    /// The mirror image: the first enabled page before nPage, continuing from the last page when bWrap is set.
    long GetPrevEnabledTab(long nPage, int bWrap);
    /// The lowest index whose record holds pPage; -1 for none.
    long GetPageIndex(CDialog* pPage);
    /// Whether the page is disabled; an index outside the list raises CInvalidArgException.
    BOOL IsPageDisabled(long nPage);

private:
    void DisownCopiesAfter(INT_PTR nIndex);
    /// The first enabled page among nFrom, nFrom + 1, ..., nTo (or downward), counting only pages in the list.
    long FirstEnabledUpward(long long nFrom, long long nTo);
    long FirstEnabledDownward(long long nFrom, long long nTo);
};
