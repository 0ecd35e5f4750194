#pragma once
// Decides whether a position lies inside a block comment from the text that ends at that position.
// The decision looks at the nearest start marker, the nearest end marker and the last line break before
// the position; it can be made from a window of the text that ends at the position, and it says so when the
// window is too short, so that a caller can read backwards only as far as it must.
#include "TavApi.h"

#include "frame/String.h"

#include <string_view>

class TAV_API CTavCommentBlockScan
{
public:
    enum EVerdict
    {
        eOutside,
        eInside,
        eNeedMoreText
    };

    CTavCommentBlockScan(const CString& strStart, const CString& strEnd) : m_strStart(strStart), m_strEnd(strEnd) {}

    // window holds the characters [nWindowStart, nWindowStart + window.size()) and ends at the position.
    // When inside, nStartMarkerEnd receives the position just past the nearest start marker.
    EVerdict Judge(std::wstring_view window, long nWindowStart, long& nStartMarkerEnd) const;

private:
    const CString& m_strStart;
    const CString& m_strEnd;
};
