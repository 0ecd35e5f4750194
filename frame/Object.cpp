#include "Object.h"
#include "Module.h"

#include <cstring>
#include <string>

CRuntimeClass CObject::classCObject = {
    "CObject", sizeof(CObject), 0xFFFF, nullptr, &CObject::_GetBaseClass, nullptr, nullptr };

CRuntimeClass* PASCAL CObject::_GetBaseClass() { return nullptr; }
CRuntimeClass* PASCAL CObject::GetThisClass() { return &CObject::classCObject; }
CRuntimeClass* CObject::GetRuntimeClass() const { return &CObject::classCObject; }

CObject::~CObject() = default;

BOOL CObject::IsSerializable() const { return GetRuntimeClass()->IsSerializable(); }

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

void CObject::Serialize(CArchive&) {}
void CObject::AssertValid() const {}

CObject* CRuntimeClass::CreateObject()
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

CRuntimeClass* CRuntimeClass::GetBaseClass() const
{
    return m_pfnGetBaseClass ? m_pfnGetBaseClass() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* pClass = this; pClass; pClass = pClass->GetBaseClass())
        if (pClass == pBaseClass)
            return TRUE;
    return FALSE;
}

static CRuntimeClass* FindInList(CRuntimeClass* pHead, LPCSTR lpszClassName)
{
    for (CRuntimeClass* pClass = pHead; pClass; pClass = pClass->m_pNextClass)
        if (std::strcmp(pClass->m_lpszClassName, lpszClassName) == 0)
            return pClass;
    return nullptr;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (!lpszClassName)
        return nullptr;
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    if (CRuntimeClass* pClass = FindInList(pState->m_pClassList, lpszClassName))
        return pClass;
    for (CDynLinkLibrary* pDLL = pState->m_pDynLinkList; pDLL; pDLL = pDLL->m_pNextDLL)
        if (CRuntimeClass* pClass = FindInList(pDLL->m_pClassList, lpszClassName))
            return pClass;
    return nullptr;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCWSTR lpszClassName)
{
    if (!lpszClassName)
        return nullptr;
    // Class names are plain ASCII identifiers; anything else cannot name a class.
    std::string strName;
    for (LPCWSTR p = lpszClassName; *p; ++p)
    {
        if (*p > 0x7F)
            return nullptr;
        strName.push_back(static_cast<char>(*p));
    }
    return FromName(strName.c_str());
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass ? pClass->CreateObject() : nullptr;
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCWSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass ? pClass->CreateObject() : nullptr;
}

void AFXAPI AfxClassInit(CRuntimeClass* pNewClass)
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    pNewClass->m_pNextClass = pState->m_pClassList;
    pState->m_pClassList = pNewClass;
}

AFX_MODULE_STATE* AFXAPI AfxGetModuleState()
{
    static AFX_MODULE_STATE s_state;
    return &s_state;
}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    return pObject && pObject->IsKindOf(pClass) ? pObject : nullptr;
}
