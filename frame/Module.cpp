#include "Module.h"

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CObject)

void AFXAPI AfxBeginExtensionModuleLoad()
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    pState->m_pClassInit = pState->m_pClassList;
    pState->m_pClassList = nullptr;
}

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    CRuntimeClass* pModuleClasses = pState->m_pClassList;
    pState->m_pClassList = pState->m_pClassInit;
    pState->m_pClassInit = nullptr;

    if (!hModule)
        return FALSE;
    if (state.bInitialized)
        return TRUE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.pFirstSharedClass = pModuleClasses;
    state.bInitialized = TRUE;
    return TRUE;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll)
{
    if (!state.bInitialized)
        return;
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    CDynLinkLibrary* pDLL = pState->m_pDynLinkList;
    while (pDLL)
    {
        CDynLinkLibrary* pNext = pDLL->m_pNextDLL;
        if (bAll || pDLL->m_hModule == state.hModule)
            delete pDLL;
        pDLL = pNext;
    }
    state.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_pClassList(state.pFirstSharedClass),
      m_bSystem(bSystem), m_pNextDLL(nullptr)
{
    CDynLinkLibrary** ppLink = &AfxGetModuleState()->m_pDynLinkList;
    while (*ppLink)
        ppLink = &(*ppLink)->m_pNextDLL;
    *ppLink = this;
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    for (CDynLinkLibrary** ppLink = &AfxGetModuleState()->m_pDynLinkList; *ppLink; ppLink = &(*ppLink)->m_pNextDLL)
    {
        if (*ppLink == this)
        {
            *ppLink = m_pNextDLL;
            break;
        }
    }
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    if (!pState->m_hCurrentInstanceHandle)
        pState->m_hCurrentInstanceHandle = GetModuleHandleW(nullptr);
    return pState->m_hCurrentInstanceHandle;
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    return pState->m_hCurrentResourceHandle ? pState->m_hCurrentResourceHandle : AfxGetInstanceHandle();
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource)
{
    AfxGetModuleState()->m_hCurrentResourceHandle = hInstResource;
}

static HINSTANCE FindInChain(LPCWSTR lpszName, LPCWSTR lpszType, BOOL bSystem)
{
    for (CDynLinkLibrary* pDLL = AfxGetModuleState()->m_pDynLinkList; pDLL; pDLL = pDLL->m_pNextDLL)
        if (!pDLL->m_bSystem == !bSystem && pDLL->m_hResource &&
            FindResourceW(pDLL->m_hResource, lpszName, lpszType))
            return pDLL->m_hResource;
    return nullptr;
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCWSTR lpszName, LPCWSTR lpszType)
{
    HINSTANCE hApp = AfxGetResourceHandle();
    if (FindResourceW(hApp, lpszName, lpszType))
        return hApp;
    if (HINSTANCE hInst = FindInChain(lpszName, lpszType, FALSE))
        return hInst;
    if (HINSTANCE hInst = FindInChain(lpszName, lpszType, TRUE))
        return hInst;
    return hApp;
}
