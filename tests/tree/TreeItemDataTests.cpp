#include "TreeTestObjects.h"
#include "Archive.h"
#include "DumpContext.h"
#include "File.h"
#include <gtest/gtest.h>
#include <memory>

TEST(TreeItemData, DefaultsAndConstructorArguments)
{
    CTavTreeItemData empty;
    EXPECT_EQ(-1, empty.m_lItemID);
    EXPECT_FALSE(empty.m_bCanHaveChildren);
    EXPECT_EQ(nullptr, empty.m_pObject);
    EXPECT_FALSE(empty.m_bDeleteObject);

    CObject* pObject = new CCountedObject;
    CTavTreeItemData data(42, TRUE, pObject, TRUE);
    EXPECT_EQ(42, data.m_lItemID);
    EXPECT_TRUE(data.m_bCanHaveChildren);
    EXPECT_EQ(pObject, data.m_pObject);
    EXPECT_TRUE(data.m_bDeleteObject);
}

TEST(TreeItemData, DeletesOnlyAnOwnedObjectAndOnlyOnce)
{
    CCountedObject::Reset();
    CCountedObject* pOwned = new CCountedObject;
    const int nOwned = pOwned->m_nSerial;
    CCountedObject notOwned;
    {
        CTavTreeItemData owner(1, FALSE, pOwned, TRUE);
        CTavTreeItemData borrower(2, FALSE, &notOwned, FALSE);
    }
    EXPECT_EQ(1, CCountedObject::s_mapDeletions[nOwned]);
    EXPECT_EQ(0, CCountedObject::s_mapDeletions[notOwned.m_nSerial]);
}

TEST(TreeItemData, CopyKeepsTheObjectButNotItsOwnership)
{
    CCountedObject::Reset();
    CCountedObject* pObject = new CCountedObject;
    const int nSerial = pObject->m_nSerial;
    auto pSource = std::make_unique<CTavTreeItemData>(9, TRUE, pObject, TRUE);
    std::unique_ptr<CTavTreeItemData> pCopy(pSource->Copy());
    EXPECT_EQ(RUNTIME_CLASS(CTavTreeItemData), pCopy->GetRuntimeClass());
    EXPECT_EQ(9, pCopy->m_lItemID);
    EXPECT_TRUE(pCopy->m_bCanHaveChildren);
    EXPECT_EQ(pObject, pCopy->m_pObject);
    EXPECT_FALSE(pCopy->m_bDeleteObject);
    pCopy.reset();
    EXPECT_EQ(0, CCountedObject::s_mapDeletions[nSerial]);
    pSource.reset();
    EXPECT_EQ(1, CCountedObject::s_mapDeletions[nSerial]);
}

TEST(TreeItemData, DumpWritesFourLabelledLines)
{
    CString strOut;
    CDumpContext dc(&strOut);
    CTavTreeItemData data(7, TRUE, nullptr, FALSE);
    data.Dump(dc);
    dc.Flush();
    EXPECT_STREQ(L"\tItemID:          7\n"
                 L"\tCanHaveChildren: 1\n"
                 L"\tObject:          NULL"
                 L"\tDeleteObject:    0\n",
                 static_cast<LPCWSTR>(strOut));
}

TEST(TreeItemData, SerializesItsFourFieldsWithTheHostObject)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CTavTreeItemData data(-5, TRUE, new CCountedObject, TRUE);
        ar.WriteObject(&data);
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    std::unique_ptr<CObject> pLoaded(ar.ReadObject(RUNTIME_CLASS(CTavTreeItemData)));
    CTavTreeItemData* pData = DYNAMIC_DOWNCAST(CTavTreeItemData, pLoaded.get());
    ASSERT_NE(nullptr, pData);
    EXPECT_EQ(-5, pData->m_lItemID);
    EXPECT_TRUE(pData->m_bCanHaveChildren);
    EXPECT_TRUE(pData->m_bDeleteObject);
    EXPECT_NE(nullptr, DYNAMIC_DOWNCAST(CCountedObject, pData->m_pObject));
}
