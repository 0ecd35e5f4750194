#pragma once
// CObject and its runtime-class records: run-time type checks, dynamic creation by class name, and the
// class lists that archives search when they meet a stored class name.
#include "FrameApi.h"

class CObject;
class CArchive;
class CDumpContext;
class CDynLinkLibrary;
struct AFX_CLASSINIT;

// Schemas carrying this flag accept any stored schema on load and report it through GetObjectSchema.
#define VERSIONABLE_SCHEMA (0x80000000)

struct FRAME_API CRuntimeClass
{
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                                 // 0xFFFF: not serialisable
    CObject* (PASCAL* m_pfnCreateObject)();         // null: not dynamically creatable
    CRuntimeClass* (PASCAL* m_pfnGetBaseClass)();   // a function, so records of other DLLs can be constant
    CRuntimeClass* m_pNextClass;                    // link in the class list it was registered into
    const AFX_CLASSINIT* m_pClassInit;

    CObject* CreateObject();
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
    CRuntimeClass* GetBaseClass() const;
    BOOL IsSerializable() const { return m_wSchema != 0xFFFF; }

    // Look-up by exact, case-sensitive class name in the application's class list and then in the lists of
    // its extension modules.
    static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
    static CRuntimeClass* PASCAL FromName(LPCWSTR lpszClassName);
    static CObject* PASCAL CreateObject(LPCSTR lpszClassName);
    static CObject* PASCAL CreateObject(LPCWSTR lpszClassName);
};

class FRAME_API CObject
{
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject();

    BOOL IsSerializable() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;
    virtual void Dump(CDumpContext& dc) const;

    static CRuntimeClass classCObject;
    static CRuntimeClass* PASCAL _GetBaseClass();
    static CRuntimeClass* PASCAL GetThisClass();

protected:
    CObject() = default;

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name)                                \
public:                                                            \
    static CRuntimeClass class##class_name;                        \
    static CRuntimeClass* PASCAL _GetBaseClass();                  \
    static CRuntimeClass* PASCAL GetThisClass();                   \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name)                              \
    DECLARE_DYNAMIC(class_name)                                    \
    static CObject* PASCAL CreateObject();

// A class with DECLARE_SERIAL is found by name when an archive is read; the file with IMPLEMENT_SERIAL
// includes Archive.h for the extraction operator it defines.
#define DECLARE_SERIAL(class_name)                                 \
    DECLARE_DYNCREATE(class_name)                                  \
    friend CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew, class_init)         \
    CRuntimeClass* PASCAL class_name::_GetBaseClass() { return RUNTIME_CLASS(base_class_name); }  \
    CRuntimeClass class_name::class##class_name = {                                             \
        #class_name, sizeof(class class_name), wSchema, pfnNew,                                  \
        &class_name::_GetBaseClass, nullptr, class_init };                                       \
    CRuntimeClass* PASCAL class_name::GetThisClass() { return &class_name::class##class_name; }  \
    CRuntimeClass* class_name::GetRuntimeClass() const { return &class_name::class##class_name; }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                     \
    CObject* PASCAL class_name::CreateObject() { return new class_name; }   \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject, nullptr)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                     \
    CObject* PASCAL class_name::CreateObject() { return new class_name; }                         \
    extern AFX_CLASSINIT _init_##class_name;                                                       \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject,        \
                           &_init_##class_name)                                                    \
    AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name));                                   \
    CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb)                                    \
    {                                                                                              \
        pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));                 \
        return ar;                                                                                 \
    }

// Registers a serialisable class into the current module state's class list.
FRAME_API void AFXAPI AfxClassInit(CRuntimeClass* pNewClass);

struct FRAME_API AFX_CLASSINIT
{
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass) { AfxClassInit(pNewClass); }
};

// The class-library state that the application and its extension modules share.
struct FRAME_API AFX_MODULE_STATE
{
    CRuntimeClass* m_pClassList = nullptr;     // classes registered by AfxClassInit, newest first
    CRuntimeClass* m_pClassInit = nullptr;     // the application's list, parked while an extension module loads
    CDynLinkLibrary* m_pDynLinkList = nullptr; // extension modules in the order they were chained in
    HINSTANCE m_hCurrentInstanceHandle = nullptr;
    HINSTANCE m_hCurrentResourceHandle = nullptr;
};

FRAME_API AFX_MODULE_STATE* AFXAPI AfxGetModuleState();

FRAME_API CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);

// A checked down-cast: null when the object is not of the class.
#define DYNAMIC_DOWNCAST(class_name, object) \
    (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), (object))))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))
