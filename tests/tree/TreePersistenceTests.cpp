#include "TreeTestHost.h"
#include "Archive.h"
#include "Exceptions.h"
#include "File.h"
#include "kit/Input.h"
#include "kit/Pump.h"
#include <functional>
#include <sstream>

namespace
{
std::vector<BYTE> Bytes(std::initializer_list<int> values)
{
    return std::vector<BYTE>(values.begin(), values.end());
}

void Append(std::vector<BYTE>& vecBytes, const std::vector<BYTE>& vecMore)
{
    vecBytes.insert(vecBytes.end(), vecMore.begin(), vecMore.end());
}

std::vector<BYTE> ReadAll(CMemFile& file)
{
    std::vector<BYTE> vecBytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(vecBytes.data(), static_cast<UINT>(vecBytes.size()));
    return vecBytes;
}
}

class TreePersistence : public TreeTest
{
protected:
    std::vector<BYTE> Save()
    {
        CMemFile file;
        CArchive ar(&file, CArchive::store);
        m_tree.Serialize(ar);
        ar.Close();
        return ReadAll(file);
    }

    // Loads the bytes; the cause of the archive exception, or -1 when loading succeeded.
    int Load(const std::vector<BYTE>& vecBytes)
    {
        CMemFile file;
        file.Write(vecBytes.data(), static_cast<UINT>(vecBytes.size()));
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        try
        {
            m_tree.Serialize(ar);
        }
        catch (CArchiveException* pException)
        {
            const int nCause = pException->m_cause;
            pException->Delete();
            return nCause;
        }
        return -1;
    }

    // Everything an archive keeps of each item, one line per item in walk order.
    std::wstring Describe(bool bWithIDs = true) const
    {
        std::wostringstream out;
        for (HTREEITEM hItem : AllItems())
        {
            int nImage = 0, nSelImage = 0;
            m_tree.GetItemImage(hItem, nImage, nSelImage);
            HTREEITEM hParent = m_tree.GetParentItem(hItem);
            out << static_cast<LPCWSTR>(m_tree.GetItemText(hItem)) << L" under "
                << (hParent != nullptr ? static_cast<LPCWSTR>(m_tree.GetItemText(hParent)) : L"-") << L" image "
                << nImage << L"/" << nSelImage << L" state " << m_tree.GetItemState(hItem, TVIS_SELECTED | TVIS_EXPANDED)
                << L" ID " << (bWithIDs ? m_tree.GetItemID(hItem) : 0);
            if (const CTavTreeItemData* pData = m_tree.GetObjectW(hItem))
            {
                out << L" " << pData->GetRuntimeClass()->m_lpszClassName << L" children " << pData->m_bCanHaveChildren;
                if (const CCountedObject* pObject = dynamic_cast<const CCountedObject*>(pData->m_pObject))
                    out << L" object " << pObject->m_nSerial << (pData->m_bDeleteObject ? L" owned" : L" shared");
            }
            out << L"\n";
        }
        return out.str();
    }

    // The tree's own items hold exactly the live counted data, every host object they hold is alive, and no
    // host object was deleted twice.
    void ExpectBalancedCounters() const
    {
        int nCountedData = 0;
        for (HTREEITEM hItem : AllItems())
            if (const CTavTreeItemData* pData = m_tree.GetObjectW(hItem))
            {
                nCountedData += dynamic_cast<const CCountedItemData*>(pData) != nullptr ? 1 : 0;
                if (pData->m_pObject != nullptr)
                {
                    EXPECT_EQ(1u, CCountedObject::s_setLive.count(static_cast<const CCountedObject*>(pData->m_pObject)));
                }
            }
        EXPECT_EQ(nCountedData, CCountedItemData::s_nLive);
        EXPECT_EQ(0, CCountedObject::s_nDoubleDeletions);
    }

    // Three levels with pictures, states, a shared and an owned host object, and a subtree whose empty first
    // child keeps it out of the archive.
    void BuildThreeLevels()
    {
        CClientDC screenDC(nullptr);
        CBitmap* pBitmap = new CBitmap;
        pBitmap->CreateCompatibleBitmap(&screenDC, 16, 16);
        HTREEITEM hA = InsertCounted(nullptr, 1, L"A");
        HTREEITEM hA1 = InsertCounted(hA, 11, L"a1");
        HTREEITEM hA11 = InsertCounted(hA1, 111, L"a11");
        InsertCounted(hA1, 112, L"a12");
        HTREEITEM hB = m_tree.InsertItem(nullptr, L"B", 2, FALSE);
        HTREEITEM hE = InsertCounted(nullptr, 3, L"E");
        InsertCounted(hE, 31, L"");
        InsertCounted(hE, 32, L"hidden");
        m_tree.SetItemPicture(hA1, pBitmap, TRUE, RGB(255, 0, 255));
        GiveOwnedObject(hA11);
        m_tree.CopyItem(hA11, hB);
        m_tree.Expand(hA, TVE_EXPAND);
        m_tree.Expand(hA1, TVE_EXPAND);
        m_tree.SetItemState(hA11, TVIS_SELECTED, TVIS_SELECTED);
        m_tree.SetItemState(hB, TVIS_SELECTED, TVIS_SELECTED);
    }
};

TEST_F(TreePersistence, OneItemIsWrittenByteForByteInBothModes)
{
    const std::vector<BYTE> vecText = Bytes({ 0xFF, 0xFE, 0xFF, 0x01, 0x41, 0x00 });
    std::vector<BYTE> vecPlain = Bytes({ 0, 0, 0, 0, 1, 0, 0, 0 });
    Append(vecPlain, vecText);
    vecPlain.resize(vecPlain.size() + 6 * 4, 0);
    ASSERT_EQ(38u, vecPlain.size());

    std::vector<BYTE> vecData = Bytes({ 0, 0, 0, 0, 1, 0, 0, 0 });
    Append(vecData, vecText);
    Append(vecData, Bytes({ 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0x00, 0x00, 0x10, 0x00 }));
    for (char ch : std::string("CTavTreeItemData"))
        vecData.push_back(static_cast<BYTE>(ch));
    Append(vecData, Bytes({ 7, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0 }));
    vecData.resize(vecData.size() + 3 * 4, 0);

    for (BOOL bDataObjects : { FALSE, TRUE })
    {
        m_tree.DeleteAllItems();
        m_tree.SetCreateDataObjects(bDataObjects);
        m_tree.SetImageList(nullptr, TVSIL_NORMAL);
        m_tree.InsertItem(nullptr, L"A", 7);
        EXPECT_EQ(bDataObjects ? vecData : vecPlain, Save());
    }
}

TEST_F(TreePersistence, ThreeLevelsComeBackInBothModesWithoutTheHiddenSubtree)
{
    for (BOOL bDataObjects : { TRUE, FALSE })
    {
        SCOPED_TRACE(bDataObjects ? "data objects" : "plain");
        m_tree.DeleteAllItems();
        m_tree.SetCreateDataObjects(bDataObjects);
        BuildThreeLevels();
        const int nImages = m_tree.m_pImageList->GetImageCount();
        const std::vector<BYTE> vecSaved = Save();
        // The archive leaves out what the walk does not reach: the children of E.
        HTREEITEM hE = m_tree.FindItem(3);
        while (HTREEITEM hChild = m_tree.GetChildItem(hE))
            m_tree.DeleteItemWithChildren(hChild);
        const std::wstring strExpected = Describe(bDataObjects != FALSE);
        m_tree.SelectItem(m_tree.GetRootItem());
        m_tree.SetFocus();
        kit::KeyDown(VK_SHIFT);
        ASSERT_EQ(-1, Load(vecSaved));
        EXPECT_EQ(nullptr, m_tree.m_hShiftAnchor) << "loading forgets the anchor";
        kit::KeyUp(VK_SHIFT);
        EXPECT_EQ(strExpected, Describe());   // plain archives carry no IDs
        EXPECT_EQ(nImages, m_tree.m_pImageList->GetImageCount());
        EXPECT_EQ(L"a11 B", SelectedTexts());
        ExpectBalancedCounters();
    }
}

TEST_F(TreePersistence, APlainTreeReadingItemDataKeepsTheIDsAndReleasesTheObjects)
{
    BuildThreeLevels();
    const std::vector<BYTE> vecSaved = Save();
    m_tree.DeleteAllItems();
    m_tree.SetCreateDataObjects(FALSE);
    ASSERT_EQ(-1, Load(vecSaved));
    EXPECT_EQ(0, CCountedItemData::s_nLive);
    EXPECT_NE(nullptr, m_tree.FindItem(111));
    EXPECT_EQ(L"a11", m_tree.GetText(111));
    ExpectBalancedCounters();
}

// Archives written by other writers: keys that are 32-bit handle values, narrow strings.
TEST_F(TreePersistence, AnArchiveWithHandleKeysAndNarrowStringsLoads)
{
    const std::vector<BYTE> vecBytes = Bytes({
        0, 0, 0, 0,
        0x78, 0x56, 0x34, 0x12, 1, 'X', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0,
        0xF0, 0xDE, 0xBC, 0x9A, 2, 'Y', 'y', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x78, 0x56, 0x34, 0x12, 0, 0, 0, 0,
        0, 0, 0, 0 });
    ASSERT_EQ(-1, Load(vecBytes));
    HTREEITEM hX = m_tree.GetRootItem();
    EXPECT_EQ(L"X", m_tree.GetItemText(hX));
    EXPECT_EQ(L"Yy", m_tree.GetItemText(m_tree.GetChildItem(hX)));
    EXPECT_TRUE(m_tree.IsItemSelected(hX));
}

TEST_F(TreePersistence, EveryTruncationFailsAsAnArchiveFaultAndLeavesAUsableTree)
{
    BuildThreeLevels();
    const std::vector<BYTE> vecWithImages = Save();
    m_tree.SetImageList(nullptr, TVSIL_NORMAL);
    const std::vector<BYTE> vecWithout = Save();
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 370, 100, 390), &m_wndHost, 200));
    edit.SetFocus();
    for (const std::vector<BYTE>* pSaved : { &vecWithout, &vecWithImages })
    {
        // Every prefix of the records; the image list in steps (the records after it are the same).
        const size_t nImageListEnd = pSaved->size() - (vecWithout.size() - 4);
        const size_t nEnd = pSaved == &vecWithout ? pSaved->size() : nImageListEnd;
        for (size_t nLength = 0; nLength < nEnd; nLength += pSaved == &vecWithout ? 1 : 61)
        {
            SCOPED_TRACE(nLength);
            const std::vector<BYTE> vecPrefix(pSaved->begin(), pSaved->begin() + static_cast<ptrdiff_t>(nLength));
            ASSERT_EQ(CArchiveException::endOfFile, Load(vecPrefix));
            EXPECT_EQ(edit.m_hWnd, ::GetFocus()) << "the focus goes back";
            for (const auto& first : FirstItemsByWalk())
                ASSERT_EQ(first.second, m_tree.FindItem(first.first)) << "the items read so far are indexed";
            ExpectBalancedCounters();
        }
    }
    HTREEITEM hItem = InsertCounted(m_tree.GetRootItem(), 77, L"new");
    EXPECT_EQ(hItem, m_tree.FindItem(77));
    m_tree.DeleteAllItems();
    EXPECT_EQ(0, CCountedItemData::s_nLive);
}

// Archives that make one object stand in two places are refused before the second place joins the tree.
TEST_F(TreePersistence, HostileObjectSharingIsRefusedWithoutDeletingWhatAnItemHolds)
{
    struct Case { LPCWSTR lpszCase; std::function<void(CCountedItemData&, CCountedItemData&, CCountedObject*)> make;
                  bool bSecondData; bool bRefused; };
    const Case cases[] = {
        { L"item data in two items", [](CCountedItemData&, CCountedItemData&, CCountedObject*) {}, false, true },
        { L"item data also a host object",
          [](CCountedItemData& d1, CCountedItemData& d2, CCountedObject*) { d1.m_pObject = &d2; d1.m_bDeleteObject = TRUE; }, true, true },
        { L"item data owning itself",
          [](CCountedItemData&, CCountedItemData& d2, CCountedObject*) { d2.m_pObject = &d2; d2.m_bDeleteObject = TRUE; }, true, true },
        { L"a host object owned twice",
          [](CCountedItemData& d1, CCountedItemData& d2, CCountedObject* p) {
              d1.m_pObject = d2.m_pObject = p; d1.m_bDeleteObject = d2.m_bDeleteObject = TRUE; }, true, true },
        { L"a host object owned once and shared",
          [](CCountedItemData& d1, CCountedItemData& d2, CCountedObject* p) {
              d1.m_pObject = d2.m_pObject = p; d1.m_bDeleteObject = TRUE; }, true, false },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.lpszCase);
        std::vector<BYTE> vecBytes;
        {
            CCountedObject object;
            CCountedItemData data1, data2;
            data1.m_lItemID = 1;
            data2.m_lItemID = 2;
            c.make(data1, data2, &object);
            CMemFile file;
            CArchive ar(&file, CArchive::store);
            ar << 0;
            const struct { long lKey; CTavTreeItemData* pData; } records[] = {
                { 1, &data1 }, { 2, c.bSecondData ? &data2 : &data1 } };
            for (const auto& record : records)
            {
                ar << record.lKey << CString(L"item") << 0 << 0 << 1;
                ar.WriteObject(record.pData);
                ar << 0L << 0u;
            }
            ar << 0;
            ar.Close();
            vecBytes = ReadAll(file);
            for (CCountedItemData* pData : { &data1, &data2 })
            {
                pData->m_pObject = nullptr;
                pData->m_bDeleteObject = FALSE;
            }
        }
        CCountedItemData::s_nLive = 0;
        EXPECT_EQ(c.bRefused ? CArchiveException::badIndex : -1, Load(vecBytes));
        EXPECT_EQ(c.bRefused ? 1u : 2u, m_tree.GetCount());
        EXPECT_EQ(1, m_tree.GetItemID(m_tree.GetRootItem()));
        m_tree.DeleteAllItems();
        EXPECT_EQ(0, CCountedItemData::s_nLive);
        ExpectBalancedCounters();
    }
}
