#include "TreeTestHost.h"
#include "Archive.h"
#include "File.h"
#include <memory>

TEST(TreeItemData, CopiesShareTheObjectAndOnlyTheOwnerDeletesIt)
{
    CCountedObject::s_mapDeletions.clear();
    const CTavTreeItemData empty;
    EXPECT_EQ(-1, empty.m_lItemID);
    EXPECT_EQ(nullptr, empty.m_pObject);
    EXPECT_FALSE(empty.m_bDeleteObject);

    CCountedObject* pObject = new CCountedObject;
    CCountedObject borrowed;
    auto pSource = std::make_unique<CTavTreeItemData>(9, TRUE, pObject, TRUE);
    std::unique_ptr<CTavTreeItemData> pCopy(pSource->Copy());
    EXPECT_EQ(RUNTIME_CLASS(CTavTreeItemData), pCopy->GetRuntimeClass());
    EXPECT_EQ(9, pCopy->m_lItemID);
    EXPECT_TRUE(pCopy->m_bCanHaveChildren);
    EXPECT_EQ(pObject, pCopy->m_pObject);
    EXPECT_FALSE(pCopy->m_bDeleteObject);
    pCopy.reset();
    { const CTavTreeItemData borrower(2, FALSE, &borrowed, FALSE); }
    EXPECT_EQ(0, CCountedObject::s_mapDeletions[pObject->m_nSerial]);
    const int nSerial = pObject->m_nSerial;
    pSource.reset();
    EXPECT_EQ(1, CCountedObject::s_mapDeletions[nSerial]);
    EXPECT_EQ(0, CCountedObject::s_mapDeletions[borrowed.m_nSerial]);
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
