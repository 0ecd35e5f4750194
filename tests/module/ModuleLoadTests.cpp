// Loading and unloading extension modules: the module's runtime classes land in its own library object, the
// application's class list comes out of every load untouched, and unloading takes the module out of the chain.
#include "Module.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

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

std::vector<CDynLinkLibrary*> Chain()
{
    std::vector<CDynLinkLibrary*> vecChain;
    for (CDynLinkLibrary* pDLL = AfxGetModuleState()->m_pDynLinkList; pDLL; pDLL = pDLL->m_pNextDLL)
        vecChain.push_back(pDLL);
    return vecChain;
}

CDynLinkLibrary* LibraryOf(HMODULE hModule)
{
    for (CDynLinkLibrary* pDLL : Chain())
        if (pDLL->m_hModule == hModule)
            return pDLL;
    return nullptr;
}

TEST(ExtensionModule, LoadChainsTheModuleClassesAndUnloadTakesThemOut)
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    CRuntimeClass* pAppHead = pState->m_pClassList;
    const std::set<std::string> appClasses = ClassNames(pAppHead);
    ASSERT_EQ(appClasses.count("CHostSideItem"), 1u);

    // The probe module's two classes register from object files linked before and after its entry code; the
    // controls library's archived classes must be found by name while it is loaded.
    const struct
    {
        LPCWSTR lpszModule;
        std::set<std::string> classes;
        bool bOnlyThese;
    } modules[] = {
        {L"TavProbeModule.dll", {"CTavProbeEarly", "CTavProbeLate"}, true},
        {L"TavControls.dll", {"CTavTreeCtrl", "CTavTreeItemData", "CTavCheckItem"}, false},
    };
    for (const auto& module : modules)
    {
        SCOPED_TRACE(module.lpszModule);
        ASSERT_EQ(GetModuleHandleW(module.lpszModule), nullptr) << "this test needs the module not yet loaded";
        const size_t nChain = Chain().size();
        HMODULE hModule = LoadLibraryW(module.lpszModule);
        ASSERT_NE(hModule, nullptr);
        // Stop here on failure: unloading would leave the application's list pointing into the unloaded module.
        ASSERT_EQ(pState->m_pClassList, pAppHead) << "a class of the module went into the application's list";
        EXPECT_EQ(ClassNames(pState->m_pClassList), appClasses);
        EXPECT_EQ(pState->m_pClassInit, nullptr) << "the application's list is still parked";
        EXPECT_EQ(Chain().size(), nChain + 1);
        CDynLinkLibrary* pLibrary = LibraryOf(hModule);
        ASSERT_NE(pLibrary, nullptr);
        EXPECT_EQ(pLibrary->m_hResource, hModule);
        EXPECT_FALSE(pLibrary->m_bSystem);
        const std::set<std::string> moduleClasses = ClassNames(pLibrary->m_pClassList);
        if (module.bOnlyThese)
        {
            EXPECT_EQ(moduleClasses, module.classes);
        }
        for (const std::string& name : module.classes)
        {
            EXPECT_EQ(moduleClasses.count(name), 1u) << name;
            // Archives create a module's objects by class name through the chain.
            CObject* pObject = CRuntimeClass::CreateObject(name.c_str());
            ASSERT_NE(pObject, nullptr) << name;
            EXPECT_EQ(pObject->GetRuntimeClass()->m_lpszClassName, name);
            delete pObject;
        }

        ASSERT_TRUE(FreeLibrary(hModule));
        EXPECT_EQ(GetModuleHandleW(module.lpszModule), nullptr);
        EXPECT_EQ(LibraryOf(hModule), nullptr);
        EXPECT_EQ(Chain().size(), nChain);
        for (const std::string& name : module.classes)
            EXPECT_EQ(CRuntimeClass::FromName(name.c_str()), nullptr) << name;
        EXPECT_EQ(pState->m_pClassList, pAppHead);
    }
}

// What the entry code relies on when start-up fails: the classes registered during the failed load are
// dropped, the application gets its list back, and the detach that follows a refused attach changes nothing.
TEST(ExtensionModule, FailedStartUpGivesTheApplicationItsClassListBack)
{
    static CRuntimeClass classStray = {
        "CStray", sizeof(CObject), 0xFFFF, nullptr, &CObject::GetThisClass, nullptr, nullptr};
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    CRuntimeClass* pAppHead = pState->m_pClassList;
    const size_t nChain = Chain().size();
    AFX_EXTENSION_MODULE record = {};

    AfxBeginExtensionModuleLoad();
    AfxClassInit(&classStray);
    EXPECT_FALSE(AfxInitExtensionModule(record, nullptr));
    EXPECT_EQ(pState->m_pClassList, pAppHead);
    EXPECT_EQ(pState->m_pClassInit, nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("CStray"), nullptr);
    EXPECT_FALSE(record.bInitialized);

    AfxTermExtensionModule(record, FALSE);
    EXPECT_EQ(Chain().size(), nChain);
    EXPECT_EQ(pState->m_pClassList, pAppHead);
}
}
