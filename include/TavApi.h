#pragma once
// Export macro of TavControls.dll: the library's classes are exported with all their members.
#ifdef TAV_BUILDING_CONTROLS
#define TAV_API __declspec(dllexport)
#else
#define TAV_API __declspec(dllimport)
#endif
