// Entry point of the extension module: chains the DLL's runtime classes and resources into the application's
// class-library state at load and takes them out again at unload.
#include "Module.h"

namespace
{
AFX_EXTENSION_MODULE s_extensionModule = {};

// Runtime classes register themselves from static initialisers (AfxClassInit) into the current class list.
// The application's list has to be parked before the first of them runs, so that AfxInitExtensionModule
// can take exactly the classes of this module. Priority 101 is the earliest a program may ask for: the
// linker sorts prioritised constructors ahead of all default-priority ones of the DLL, whatever the order
// of the object files, so this runs before any class of the module registers.
struct CClassListParking
{
    CClassListParking() { AfxBeginExtensionModuleLoad(); }
};
CClassListParking s_classListParking __attribute__((init_priority(101)));

BOOL AttachModule(HINSTANCE hInstance)
{
    // Whether it succeeds or not, AfxInitExtensionModule gives the application its class list back.
    if (!AfxInitExtensionModule(s_extensionModule, hInstance))
        return FALSE;
    // The class library owns the library object from here on and deletes it at termination.
    new CDynLinkLibrary(s_extensionModule);
    return TRUE;
}

void DetachModule()
{
    AfxTermExtensionModule(s_extensionModule, FALSE);
}
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    switch (dwReason)
    {
    case DLL_PROCESS_ATTACH:
        return AttachModule(hInstance);
    case DLL_PROCESS_DETACH:
        DetachModule();
        return TRUE;
    default:
        return TRUE;
    }
}
