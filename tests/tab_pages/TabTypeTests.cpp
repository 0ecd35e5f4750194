// The classes' identities: runtime classes, the order of the virtual operations they add, and their
// message maps in order.
#include "TabTestSupport.h"

#include <cstring>

namespace
{
// The vtable slot a pointer to a virtual member function names (the ABI stores 1 + the slot's byte offset).
template <class PMF>
std::ptrdiff_t SlotOf(PMF pmf)
{
    std::ptrdiff_t nEncoded = 0;
    std::memcpy(&nEncoded, &pmf, sizeof(nEncoded));
    return (nEncoded - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

// Reads a control's own message-map entries.
template <class Ctrl>
struct MapReader : Ctrl
{
    static std::vector<std::pair<UINT, UINT>> OwnEntries()
    {
        std::vector<std::pair<UINT, UINT>> entries;
        for (const AFX_MSGMAP_ENTRY* pEntry = Ctrl::GetThisMessageMap()->lpEntries; pEntry->nSig != AfxSig_end; ++pEntry)
            entries.emplace_back(pEntry->nMessage, pEntry->nCode);
        return entries;
    }
    static const AFX_MSGMAP* OwnMap() { return Ctrl::GetThisMessageMap(); }
    static const AFX_MSGMAP* BaseMap() { return Ctrl::GetThisMessageMap()->pfnGetBaseMap(); }
};

struct SlotReader : CTavTabCtrl
{
    static std::vector<std::ptrdiff_t> AddedSlots()
    {
        return {SlotOf(&CTabCtrl::DrawItem), SlotOf(&CTavTabCtrl::OnOK), SlotOf(&CTavTabCtrl::OnCancel),
                SlotOf(&SlotReader::OnDrawPicture), SlotOf(&SlotReader::OnDrawLabel),
                SlotOf(&SlotReader::InitializeControl)};
    }
};
}

TEST(TabTypes, RuntimeClassesNameTheirBasesAndAreNotCreatable)
{
    const struct { CRuntimeClass* pClass; const char* pszName; CRuntimeClass* pBase; } classes[] = {
        {RUNTIME_CLASS(CTavTabCtrl), "CTavTabCtrl", RUNTIME_CLASS(CTabCtrl)},
        {RUNTIME_CLASS(CTavNewTabCtrl), "CTavNewTabCtrl", RUNTIME_CLASS(CTabWindow)},
    };
    for (const auto& c : classes)
    {
        EXPECT_STREQ(c.pClass->m_lpszClassName, c.pszName);
        EXPECT_EQ(c.pClass->GetBaseClass(), c.pBase);
        EXPECT_EQ(c.pClass->m_pfnCreateObject, nullptr);
    }
    CTavTabCtrl tabs;
    CTavNewTabCtrl newTabs;
    EXPECT_TRUE(tabs.IsKindOf(RUNTIME_CLASS(CTabCtrl)));
    EXPECT_TRUE(newTabs.IsKindOf(RUNTIME_CLASS(CTabWindow)));
    EXPECT_FALSE(newTabs.IsKindOf(RUNTIME_CLASS(CTabCtrl)));
}

TEST(TabTypes, AddedVirtualOperationsFollowTheBaseInOrder)
{
    const std::vector<std::ptrdiff_t> slots = SlotReader::AddedSlots();
    for (size_t i = 1; i < slots.size(); ++i)
        EXPECT_EQ(slots[i], slots[0] + static_cast<std::ptrdiff_t>(i)) << "slot " << i;
    EXPECT_EQ(SlotOf(&CTavNewTabCtrl::OnCancel), SlotOf(&CTavNewTabCtrl::OnOK) + 1);
    EXPECT_EQ(SlotOf(&CTavNewTabCtrl::InitializeControl), SlotOf(&CTavNewTabCtrl::OnOK) + 2);
}

TEST(TabTypes, MessageMapsListTheirEntriesInOrder)
{
    const UINT nReflectedNotify = WM_REFLECT_BASE + WM_NOTIFY;
    EXPECT_EQ(MapReader<CTavTabCtrl>::OwnEntries(),
              (std::vector<std::pair<UINT, UINT>>{{nReflectedNotify, static_cast<UINT>(TCN_SELCHANGE)},
                                                  {nReflectedNotify, static_cast<UINT>(TCN_SELCHANGING)},
                                                  {WM_DRAWITEM, 0}, {WM_CREATE, 0}, {WM_SIZE, 0}, {WM_SETFOCUS, 0}}));
    EXPECT_EQ(MapReader<CTavNewTabCtrl>::OwnEntries(), (std::vector<std::pair<UINT, UINT>>{{WM_SIZE, 0}}));
    EXPECT_EQ(MapReader<CTavNewTabCtrl>::BaseMap(), MapReader<CTabWindow>::OwnMap());
}
