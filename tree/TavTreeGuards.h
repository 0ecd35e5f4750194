#pragma once
// Small helpers that the tree's source files share.
#include <windows.h>
#include <commctrl.h>

// Restores a flag to the value it had when the guard was made.
class CFlagGuard
{
public:
    CFlagGuard(BOOL& bFlag, BOOL bValue) : m_bFlag(bFlag), m_bSaved(bFlag) { m_bFlag = bValue; }
    ~CFlagGuard() { m_bFlag = m_bSaved; }
    CFlagGuard(const CFlagGuard&) = delete;
    CFlagGuard& operator=(const CFlagGuard&) = delete;

private:
    BOOL& m_bFlag;
    BOOL m_bSaved;
};

// The parent an insertion names; null for the root level.
inline HTREEITEM InsertedParent(const TVINSERTSTRUCTW& insert)
{
    return insert.hParent == TVI_ROOT ? nullptr : insert.hParent;
}
