#pragma once
// Common ground of the class layer: the platform headers and the export macro of TavFrame.dll.
#include <windows.h>
#include <commctrl.h>
#include <cstddef>

#ifdef TAV_BUILDING_FRAME
#define FRAME_API __declspec(dllexport)
#else
#define FRAME_API __declspec(dllimport)
#endif

#ifndef AFXAPI
#define AFXAPI
#endif

#include <cassert>

// Diagnostics in the class-library manner: ASSERT vanishes from release builds, VERIFY keeps its expression.
#ifndef ASSERT
#define ASSERT(f) assert(f)
#endif
#ifndef VERIFY
#ifdef NDEBUG
#define VERIFY(f) ((void)(f))
#else
#define VERIFY(f) assert(f)
#endif
#endif

// The class library's iteration cookie for maps and lists.
struct __POSITION {};
typedef __POSITION* POSITION;

// The class library lets callers ask a null object for its handle (pWnd->GetSafeHwnd() with pWnd null). C++
// assumes `this` is never null and would fold such a test away; passing the pointer through an empty asm
// statement hides its origin from the optimiser, so the test stays.
template <class T>
inline const T* AfxNullableThis(const T* pThis)
{
    asm("" : "+r"(pThis));
    return pThis;
}
