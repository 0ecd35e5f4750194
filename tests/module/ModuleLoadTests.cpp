// Loading and unloading extension modules: the module's runtime classes land in its own library object, the
// application's class list comes out of every load untouched, and unloading takes the module out of the chain.
#include "Module.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

// A class of the host application, registered into the application's class list.
class CHostSideItem : public CObject
{
    DECLARE_DYNCREATE(CHostSideItem)
};
IMPLEMENT_DYNCREATE(CHostSideItem, CObject)
static AFX_CLASSINIT s_initHostSideItem(RUNTIME_CLASS(CHostSideItem));

namespace
{
std::set<std::string> ClassNames(const CRuntimeClass* pHead)
{
    std::set<std::string> names;
    for (const CRuntimeClass* pClass = pHead; pClass; pClass = pClass->m_pNextClass)
        names.insert(pClass->m_lpszClassName);
    return names;
}

CDynLinkLibrary* LibraryOf(HMODULE hModule)
{
    for (CDynLinkLibrary* pDLL = AfxGetModuleState()->m_pDynLinkList; pDLL; pDLL = pDLL->m_pNextDLL)
        if (pDLL->m_hModule == hModule)
            return pDLL;
    return nullptr;
}

size_t ChainLength()
{
    size_t nLength = 0;
    for (CDynLinkLibrary* pDLL = AfxGetModuleState()->m_pDynLinkList; pDLL; pDLL = pDLL->m_pNextDLL)
        ++nLength;
    return nLength;
}

TEST(ExtensionModule, LoadChainsTheModuleClassesAndLeavesTheApplicationListAlone)
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    CRuntimeClass* pAppHead = pState->m_pClassList;
    const std::set<std::string> appClasses = ClassNames(pAppHead);
    ASSERT_EQ(appClasses.count("CHostSideItem"), 1u);

    // The probe module's two classes register from object files linked before and after its entry code.
    HMODULE hProbe = LoadLibraryW(L"TavProbeModule.dll");
    ASSERT_NE(hProbe, nullptr);
    // Stop here on failure: unloading would leave the application's list pointing into the unloaded module.
    ASSERT_EQ(pState->m_pClassList, pAppHead) << "a class of the module went into the application's list";
    EXPECT_EQ(ClassNames(pState->m_pClassList), appClasses);
    EXPECT_EQ(pState->m_pClassInit, nullptr) << "the application's list is still parked";
    CDynLinkLibrary* pLibrary = LibraryOf(hProbe);
    ASSERT_NE(pLibrary, nullptr);
    EXPECT_EQ(pLibrary->m_hResource, hProbe);
    EXPECT_FALSE(pLibrary->m_bSystem);
    EXPECT_EQ(ClassNames(pLibrary->m_pClassList), (std::set<std::string>{"CTavProbeEarly", "CTavProbeLate"}));

    // Archives create a module's objects by class name through the chain.
    CObject* pObject = CRuntimeClass::CreateObject("CTavProbeLate");
    ASSERT_NE(pObject, nullptr);
    EXPECT_STREQ(pObject->GetRuntimeClass()->m_lpszClassName, "CTavProbeLate");
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CObject)));
    delete pObject;

    ASSERT_TRUE(FreeLibrary(hProbe));
    EXPECT_EQ(GetModuleHandleW(L"TavProbeModule.dll"), nullptr);
    EXPECT_EQ(LibraryOf(hProbe), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("CTavProbeLate"), nullptr);
    EXPECT_EQ(pState->m_pClassList, pAppHead);
}

TEST(ExtensionModule, ControlsLibraryJoinsTheChainAtLoadAndLeavesItAtUnload)
{
    ASSERT_EQ(GetModuleHandleW(L"TavControls.dll"), nullptr)
        << "this test needs a program that does not import TavControls.dll";
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    CRuntimeClass* pAppHead = pState->m_pClassList;
    const size_t nChain = ChainLength();

    HMODULE hControls = LoadLibraryW(L"TavControls.dll");
    ASSERT_NE(hControls, nullptr);
    EXPECT_EQ(ChainLength(), nChain + 1);
    CDynLinkLibrary* pLibrary = LibraryOf(hControls);
    ASSERT_NE(pLibrary, nullptr);
    EXPECT_EQ(pLibrary->m_hResource, hControls);
    EXPECT_FALSE(pLibrary->m_bSystem);
    EXPECT_EQ(pState->m_pClassList, pAppHead);
    const std::set<std::string> moduleClasses = ClassNames(pLibrary->m_pClassList);
    for (const char* pszArchivedClass : {"CTavTreeCtrl", "CTavTreeItemData"})
    {
        EXPECT_EQ(moduleClasses.count(pszArchivedClass), 1u) << pszArchivedClass;
        EXPECT_NE(CRuntimeClass::FromName(pszArchivedClass), nullptr) << pszArchivedClass;
    }
    for (const std::string& name : moduleClasses)
        EXPECT_EQ(ClassNames(pAppHead).count(name), 0u) << name << " landed in the application's list";

    ASSERT_TRUE(FreeLibrary(hControls));
    EXPECT_EQ(GetModuleHandleW(L"TavControls.dll"), nullptr);
    EXPECT_EQ(LibraryOf(hControls), nullptr);
    EXPECT_EQ(ChainLength(), nChain);
    EXPECT_EQ(pState->m_pClassList, pAppHead);
}

// What the entry code relies on when start-up fails: the classes registered during the failed load are
// dropped, the application gets its list back, and the detach that follows a refused attach changes nothing.
TEST(ExtensionModule, FailedStartUpGivesTheApplicationItsClassListBack)
{
    static CRuntimeClass classStray = {
        "CStray", sizeof(CObject), 0xFFFF, nullptr, &CObject::GetThisClass, nullptr, nullptr};
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    CRuntimeClass* pAppHead = pState->m_pClassList;
    const size_t nChain = ChainLength();
    AFX_EXTENSION_MODULE record = {};

    AfxBeginExtensionModuleLoad();
    AfxClassInit(&classStray);
    EXPECT_FALSE(AfxInitExtensionModule(record, nullptr));
    EXPECT_EQ(pState->m_pClassList, pAppHead);
    EXPECT_EQ(pState->m_pClassInit, nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("CStray"), nullptr);
    EXPECT_FALSE(record.bInitialized);

    AfxTermExtensionModule(record, FALSE);
    EXPECT_EQ(ChainLength(), nChain);
    EXPECT_EQ(pState->m_pClassList, pAppHead);
}
}
