#include "CommentBlockScan.h"

namespace
{
// Position just past the last occurrence of the marker that lies wholly in the window, or -1.
long LastMarkerEnd(std::wstring_view window, long nWindowStart, const std::wstring& marker)
{
    const size_t nFound = window.rfind(marker);
    return nFound == std::wstring_view::npos ? -1 : nWindowStart + static_cast<long>(nFound + marker.size());
}
} // namespace

// The position is inside when a start marker exists before it and either no end marker follows that start
// marker, or the nearest end marker lies on the position's own line (so that an edit on a line that closes
// a block refreshes the block). Occurrences found in the window are the nearest ones; one outside the
// window can still reach into it by up to its length minus one.
CTavCommentBlockScan::EVerdict CTavCommentBlockScan::Judge(std::wstring_view window, long nWindowStart,
                                                           long& nStartMarkerEnd) const
{
    const long nStart = LastMarkerEnd(window, nWindowStart, m_strStart.Str());
    const long nEnd = LastMarkerEnd(window, nWindowStart, m_strEnd.Str());
    const size_t nBreakIndex = window.rfind(L'\r');
    const long nBreak = nBreakIndex == std::wstring_view::npos ? -1 : nWindowStart + static_cast<long>(nBreakIndex);
    const bool bWhole = nWindowStart == 0;
    nStartMarkerEnd = nStart;

    if (nStart < 0)
    {
        if (bWhole)
            return eOutside;
        // An earlier start marker cannot reach past this end marker, which closes on an earlier line.
        const long nLatestOutsideStart = nWindowStart + static_cast<long>(m_strStart.GetLength()) - 1;
        if (nEnd >= 0 && nEnd > nLatestOutsideStart && nBreak >= 0 && nEnd <= nBreak)
            return eOutside;
        return eNeedMoreText;
    }
    if (nEnd >= 0)
    {
        if (nStart >= nEnd)
            return eInside;
        if (nBreak >= 0 || bWhole)
            return nBreak >= 0 && nEnd > nBreak ? eInside : eOutside;
        return eNeedMoreText;
    }
    if (bWhole)
        return eInside;
    const long nLatestOutsideEnd = nWindowStart + static_cast<long>(m_strEnd.GetLength()) - 1;
    return nStart >= nLatestOutsideEnd ? eInside : eNeedMoreText;
}
