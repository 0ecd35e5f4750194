#pragma once
// Extension modules: a DLL that shares the application's class-library state chains its runtime classes
// and resources into the application's search lists at load and takes them out at unload.
#include "Object.h"

struct AFX_EXTENSION_MODULE
{
    BOOL bInitialized;
    HMODULE hModule;
    HMODULE hResource;
    CRuntimeClass* pFirstSharedClass;   // the module's own class list, handed to its CDynLinkLibrary
};

// Call from an extension module before its static initialisers run: parks the application's class list so
// that the classes the module registers can be told from the application's.
FRAME_API void AFXAPI AfxBeginExtensionModuleLoad();

// Takes the classes registered since AfxBeginExtensionModuleLoad into the module record and gives the
// application its class list back, whether or not it succeeds. Fails for a null module handle.
FRAME_API BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);

// Removes the module's library objects from the chain (all of them with bAll).
FRAME_API void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

// One extension module's link in the application's resource and class chains. Created with new at load;
// the class library owns it from then on and deletes it in AfxTermExtensionModule.
class FRAME_API CDynLinkLibrary : public CObject
{
    DECLARE_DYNAMIC(CDynLinkLibrary)
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
    virtual ~CDynLinkLibrary();

    HMODULE m_hModule;
    HMODULE m_hResource;
    CRuntimeClass* m_pClassList;
    BOOL m_bSystem;
    CDynLinkLibrary* m_pNextDLL;
};

FRAME_API HINSTANCE AFXAPI AfxGetInstanceHandle();
FRAME_API HINSTANCE AFXAPI AfxGetResourceHandle();
FRAME_API void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);

// The module that holds a resource: the application's resource module first, then the extension modules in
// chain order (non-system before system). Falls back to the application's resource module.
FRAME_API HINSTANCE AFXAPI AfxFindResourceHandle(LPCWSTR lpszName, LPCWSTR lpszType);
