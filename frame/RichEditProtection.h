#pragma once
// Announcement of edits to protected rich-edit text. Windows' rich edit sends its parent EN_PROTECTED before
// a message changes protected text and drops the message when the parent answers non-zero; a platform whose
// rich edit neither announces nor enforces protection gets the same announcement from here, and a platform
// that announces by itself is left alone, so that no edit is announced twice.
#include "FrameApi.h"

#include <richedit.h>

class FRAME_API CRichEditProtection
{
public:
    // Called with every message before the rich edit window sees it: TRUE when the message would change
    // protected text, the window's event mask asks for EN_PROTECTED and the parent refused the edit.
    static BOOL IsEditRefused(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Whether the platform's rich edit sends EN_PROTECTED itself; found out once per process.
    static BOOL PlatformAnnounces();

private:
    // The message as the rich edit will treat it: keyboard shortcuts stand for the commands they perform.
    struct CPendingEdit
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        CHARRANGE chrg;
    };

    static BOOL DescribeEdit(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, CPendingEdit& edit);
    static BOOL DescribeKeyDown(HWND hWnd, WPARAM wParam, CPendingEdit& edit);
    static BOOL DescribeDeletion(HWND hWnd, BOOL bForward, CPendingEdit& edit);
    static BOOL IsProtected(HWND hWnd, const CHARRANGE& chrg);
    static LRESULT Announce(HWND hWnd, const CPendingEdit& edit);
    static BOOL ProbePlatform();
};
