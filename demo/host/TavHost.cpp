// TavHost: a minimal host application. It loads TavControls.dll the way an application loads an extension
// module at run time, lists the runtime classes the module registered and the resources the application now
// finds through its resource chain, and unloads the module again.
#include "Module.h"

#include <cstdio>

namespace
{
struct ResourceEntry
{
    LPCWSTR lpszType;
    const char* pszType;
    UINT nID;
    const char* pszRole;
};

const ResourceEntry kResources[] = {
    {RT_GROUP_CURSOR, "cursor", 31508, "several items dragged"},
    {RT_GROUP_CURSOR, "cursor", 31509, "one item dragged"},
    {RT_GROUP_CURSOR, "cursor", 31510, "drop refused"},
    {RT_BITMAP, "bitmap", 30000, "check-box images"},
    {RT_MANIFEST, "manifest", 2, "loader settings"},
};

CDynLinkLibrary* LibraryOf(HMODULE hModule)
{
    for (CDynLinkLibrary* pDLL = AfxGetModuleState()->m_pDynLinkList; pDLL; pDLL = pDLL->m_pNextDLL)
        if (pDLL->m_hModule == hModule)
            return pDLL;
    return nullptr;
}

void PrintClasses(const CDynLinkLibrary& library)
{
    std::printf("Runtime classes registered by the module:\n");
    int nCount = 0;
    for (const CRuntimeClass* pClass = library.m_pClassList; pClass; pClass = pClass->m_pNextClass, ++nCount)
    {
        const CRuntimeClass* pBase = pClass->GetBaseClass();
        std::printf("  %-24s base %-20s ", pClass->m_lpszClassName, pBase ? pBase->m_lpszClassName : "-");
        if (pClass->IsSerializable())
            std::printf("schema %u%s\n", pClass->m_wSchema & ~VERSIONABLE_SCHEMA,
                        pClass->m_wSchema & VERSIONABLE_SCHEMA ? ", versionable" : "");
        else
            std::printf("not serialisable\n");
    }
    if (nCount == 0)
        std::printf("  (none)\n");
}

// Resources are looked up the way the controls do: by ID through the chain, application first.
void PrintResources(HMODULE hControls)
{
    std::printf("Resources found through the chain:\n");
    for (const ResourceEntry& entry : kResources)
    {
        HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCEW(entry.nID), entry.lpszType);
        HRSRC hRes = FindResourceW(hInst, MAKEINTRESOURCEW(entry.nID), entry.lpszType);
        const char* pszWhere = !hRes ? "missing" : hInst == hControls ? "TavControls.dll" : "elsewhere";
        std::printf("  %-8s %5u  %-22s %4lu bytes  in %s\n", entry.pszType, entry.nID, entry.pszRole,
                    hRes ? SizeofResource(hInst, hRes) : 0UL, pszWhere);
    }
}
}

int wmain()
{
    HMODULE hControls = LoadLibraryW(L"TavControls.dll");
    if (!hControls)
    {
        std::printf("TavControls.dll did not load (error %lu)\n", GetLastError());
        return 1;
    }
    const CDynLinkLibrary* pLibrary = LibraryOf(hControls);
    if (!pLibrary)
    {
        std::printf("TavControls.dll loaded but did not join the resource and class chain\n");
        FreeLibrary(hControls);
        return 1;
    }
    std::printf("TavControls.dll loaded at %p\n", static_cast<void*>(hControls));
    PrintClasses(*pLibrary);
    PrintResources(hControls);

    FreeLibrary(hControls);
    const bool bLeftChain = LibraryOf(hControls) == nullptr;
    std::printf("TavControls.dll unloaded; %s\n", bLeftChain ? "it left the chain" : "it is STILL in the chain");
    return bLeftChain ? 0 : 1;
}
