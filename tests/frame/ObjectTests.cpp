// Runtime classes: type checks, creation by name, and the class lists of extension modules.
#include <gtest/gtest.h>

#include "Exceptions.h"
#include "Module.h"
#include "ThrownException.h"

namespace
{
class CShape : public CObject
{
    DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircle : public CShape
{
    DECLARE_DYNCREATE(CCircle)
public:
    int m_nRadius = 7;
};
IMPLEMENT_DYNCREATE(CCircle, CShape)

class CSquare : public CShape
{
    DECLARE_DYNCREATE(CSquare)
};
IMPLEMENT_DYNCREATE(CSquare, CShape)
}

TEST(RuntimeClass, TypeChecksFollowTheBaseChain)
{
    CCircle circle;
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(circle.IsKindOf(RUNTIME_CLASS(CSquare)));
    EXPECT_STREQ("CCircle", circle.GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(RUNTIME_CLASS(CShape), RUNTIME_CLASS(CCircle)->GetBaseClass());
    EXPECT_FALSE(circle.IsSerializable());

    CObject* pObject = &circle;
    EXPECT_EQ(&circle, DYNAMIC_DOWNCAST(CShape, pObject));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CSquare, pObject));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CShape, static_cast<CObject*>(nullptr)));
}

TEST(RuntimeClass, CreatesObjectsOfDynCreateClassesOnly)
{
    CObject* pObject = RUNTIME_CLASS(CCircle)->CreateObject();
    ASSERT_NE(nullptr, pObject);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_EQ(7, static_cast<CCircle*>(pObject)->m_nRadius);
    delete pObject;

    EXPECT_EQ(nullptr, RUNTIME_CLASS(CShape)->CreateObject());
}

TEST(ExtensionModule, ClassesRegisteredDuringLoadGoToTheModuleAndTheApplicationKeepsItsOwn)
{
    static CRuntimeClass classAppOnly = { "CAppOnly", 1, 1, nullptr, &CObject::GetThisClass, nullptr, nullptr };
    static CRuntimeClass classModuleOnly = { "CModuleOnly", 1, 1, nullptr, &CObject::GetThisClass, nullptr, nullptr };
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    CRuntimeClass* pOriginalHead = pState->m_pClassList;
    AfxClassInit(&classAppOnly);

    AfxBeginExtensionModuleLoad();
    EXPECT_EQ(nullptr, pState->m_pClassList);
    AfxClassInit(&classModuleOnly);
    AFX_EXTENSION_MODULE module = {};
    ASSERT_TRUE(AfxInitExtensionModule(module, GetModuleHandleW(nullptr)));
    EXPECT_EQ(&classAppOnly, pState->m_pClassList);
    EXPECT_EQ(&classModuleOnly, module.pFirstSharedClass);

    // Until a library object chains the module in, its classes are not found by name.
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CModuleOnly"));
    CDynLinkLibrary* pLibrary = new CDynLinkLibrary(module);
    EXPECT_EQ(&classModuleOnly, CRuntimeClass::FromName("CModuleOnly"));
    EXPECT_EQ(&classModuleOnly, CRuntimeClass::FromName(L"CModuleOnly"));
    EXPECT_EQ(&classAppOnly, CRuntimeClass::FromName("CAppOnly"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("cmoduleonly"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(L"CModuleOnl\x00e9"));

    AfxTermExtensionModule(module);
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CModuleOnly"));
    for (CDynLinkLibrary* pDLL = pState->m_pDynLinkList; pDLL; pDLL = pDLL->m_pNextDLL)
        EXPECT_NE(pLibrary, pDLL);
    pState->m_pClassList = pOriginalHead;
}

TEST(Exceptions, AreThrownAsPointersWithTheirCause)
{
    EXPECT_EQ("CMemoryException", ThrownBy([] { AfxThrowMemoryException(); }));
    EXPECT_EQ("CInvalidArgException", ThrownBy([] { AfxThrowInvalidArgException(); }));

    // Host code compares causes with the class library's numbers, so they are part of the interface.
    const struct { int nCause; int nNumber; } causes[] = {
        {CArchiveException::none, 0}, {CArchiveException::genericException, 1}, {CArchiveException::generic, 1},
        {CArchiveException::readOnly, 2}, {CArchiveException::endOfFile, 3}, {CArchiveException::writeOnly, 4},
        {CArchiveException::badIndex, 5}, {CArchiveException::badClass, 6}, {CArchiveException::badSchema, 7},
    };
    for (const auto& cause : causes)
    {
        try
        {
            AfxThrowArchiveException(cause.nCause, L"tree.dat");
            FAIL() << "nothing was thrown";
        }
        catch (CException* pException)
        {
            CArchiveException* pArchive = DYNAMIC_DOWNCAST(CArchiveException, pException);
            ASSERT_NE(nullptr, pArchive);
            EXPECT_EQ(cause.nNumber, pArchive->m_cause);
            EXPECT_EQ(CString(L"tree.dat"), pArchive->m_strFileName);
            wchar_t szMessage[128];
            EXPECT_TRUE(pArchive->GetErrorMessage(szMessage, 128));
            EXPECT_NE(L'\0', szMessage[0]);
            pException->Delete();
        }
    }
}
