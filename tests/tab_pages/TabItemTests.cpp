// Page records and the page list: shallow copies, ownership of pages and pictures, equality, the searches
// for enabled pages and index checks.
#include "TavTabPages.h"
#include "Dialog.h"
#include "Gdi.h"
#include "frame/ThrownException.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
// Pages and pictures that note their destruction, so the tests can see what was freed and in what order.
std::vector<std::string> s_destroyed;

template <class TBase>
class CLogged : public TBase
{
public:
    explicit CLogged(std::string strName) : m_strName(std::move(strName)) {}
    ~CLogged() override { s_destroyed.push_back(m_strName); }

private:
    std::string m_strName;
};
using CLoggedPage = CLogged<CDialog>;
using CLoggedPicture = CLogged<CBitmap>;

class TabItems : public ::testing::Test
{
protected:
    void SetUp() override { s_destroyed.clear(); }
};

CTavTabItem OwningRecord(CDialog* pPage, CBitmap* pPicture)
{
    CTavTabItem item;
    item.m_pPage = pPage;
    item.m_bDeletePage = TRUE;
    item.m_pPicture = pPicture;
    item.m_bDeletePicture = TRUE;
    return item;
}

void ExpectDefaults(const CTavTabItem& item)
{
    EXPECT_EQ(item.m_pPage, nullptr);
    EXPECT_FALSE(item.m_bDeletePage);
    EXPECT_FALSE(item.m_bDeletePicture);
    EXPECT_FALSE(item.m_bDisabled);
    EXPECT_TRUE(item.m_strCaption.IsEmpty());
    EXPECT_TRUE(item.m_strDescription.IsEmpty());
    EXPECT_EQ(item.m_nImageIndex, -1);
    EXPECT_EQ(item.m_pPicture, nullptr);
    EXPECT_EQ(item.m_crMask, 0x00C0C0C0u);
}

// A list whose pages are enabled ('E') or disabled ('D') as the pattern says.
std::unique_ptr<CTavTabItemList> PagesLike(const char* pszPattern)
{
    auto pList = std::make_unique<CTavTabItemList>();
    for (const char* p = pszPattern; *p; ++p)
    {
        CTavTabItem item;
        item.m_bDisabled = *p == 'D';
        pList->Add(item);
    }
    return pList;
}

// A record owning both objects, with every other field away from its default.
CTavTabItem FilledRecord(CDialog* pPage, CBitmap* pPicture)
{
    CTavTabItem item = OwningRecord(pPage, pPicture);
    item.m_bDisabled = TRUE;
    item.m_strCaption = L"Caption";
    item.m_strDescription = L"Tip";
    item.m_nImageIndex = 7;
    item.m_crMask = RGB(255, 0, 255);
    return item;
}

TEST_F(TabItems, CopiesShareThePageAndPictureAndInitRestoresTheDefaultsFreeingNothing)
{
    ExpectDefaults(CTavTabItem());
    CLoggedPage page("page");
    CLoggedPicture picture("picture");
    CTavTabItem original = FilledRecord(&page, &picture);
    original.m_bDeletePicture = FALSE;

    CTavTabItem constructed(original);
    CTavTabItem assigned;
    assigned = original;
    CTavTabItem copied;
    copied.Copy(original);
    for (CTavTabItem* pCopy : {&constructed, &assigned, &copied})
    {
        EXPECT_TRUE(*pCopy == original);   // the same page and picture, and equal in every shown field
        EXPECT_TRUE(pCopy->m_bDeletePage);
        EXPECT_FALSE(pCopy->m_bDeletePicture);
    }
    CTavTabItem reset = FilledRecord(&page, &picture);
    reset.Init();
    ExpectDefaults(reset);
    EXPECT_TRUE(s_destroyed.empty());
}

TEST_F(TabItems, EqualityComparesWhatTheTabShowsButNotOwnership)
{
    CLoggedPage page("page"), otherPage("other page");
    CLoggedPicture picture("picture"), otherPicture("other picture");
    CTavTabItem owning = FilledRecord(&page, &picture);
    CTavTabItem base(owning);
    base.m_bDeletePage = base.m_bDeletePicture = FALSE;
    EXPECT_TRUE(owning == base);
    EXPECT_TRUE(base == owning);

    const std::vector<std::function<void(CTavTabItem&)>> changes = {
        [&](CTavTabItem& item) { item.m_pPage = &otherPage; },
        [](CTavTabItem& item) { item.m_strCaption = L"caption"; },
        [](CTavTabItem& item) { item.m_strDescription = L"tip"; },
        [](CTavTabItem& item) { item.m_nImageIndex = 3; },
        [&](CTavTabItem& item) { item.m_pPicture = &otherPicture; },
        [](CTavTabItem& item) { item.m_bDisabled = FALSE; },
        [](CTavTabItem& item) { item.m_crMask = RGB(192, 192, 193); },
    };
    for (size_t i = 0; i < changes.size(); ++i)
    {
        CTavTabItem changed(base);
        changes[i](changed);
        EXPECT_FALSE(changed == base) << "change " << i;
    }
}

TEST_F(TabItems, RecordsFreeOnlyWhenAskedAndOnlyWhatTheyOwn)
{
    auto page = std::make_unique<CLoggedPage>("page");
    auto picture = std::make_unique<CLoggedPicture>("picture");
    {
        CTavTabItem owning = OwningRecord(page.get(), picture.get());
        CTavTabItem copy(owning);
    }
    EXPECT_TRUE(s_destroyed.empty()) << "destroying records freed something";

    CTavTabItem borrowing;
    borrowing.m_pPage = page.get();
    borrowing.m_pPicture = picture.get();
    borrowing.DestroyPage();
    borrowing.DestroyBitmap();
    EXPECT_TRUE(s_destroyed.empty()) << "a record without the flags freed the host's objects";

    CTavTabItem owning = OwningRecord(page.release(), picture.release());
    owning.DestroyBitmap();
    EXPECT_EQ(s_destroyed, std::vector<std::string>{"picture"});
    owning.DestroyPage();
    EXPECT_EQ(s_destroyed, (std::vector<std::string>{"picture", "page"}));
    EXPECT_TRUE(owning.m_bDeletePage);
    EXPECT_NE(owning.m_pPage, nullptr) << "the caller overwrites the pointer, not DestroyPage";
}

TEST_F(TabItems, DestroyingTheListFreesOwnedObjectsOncePageFirstInIndexOrder)
{
    CLoggedPage* pBorrowedPage = new CLoggedPage("B page");
    CLoggedPicture* pBorrowedPicture = new CLoggedPicture("C picture");
    auto pList = std::make_unique<CTavTabItemList>();
    CTavTabItem both = OwningRecord(new CLoggedPage("A page"), new CLoggedPicture("A picture"));
    pList->Add(both);
    CTavTabItem pictureOnly = OwningRecord(pBorrowedPage, new CLoggedPicture("B picture"));
    pictureOnly.m_bDeletePage = FALSE;
    pList->Add(pictureOnly);
    CTavTabItem pageOnly = OwningRecord(new CLoggedPage("C page"), pBorrowedPicture);
    pageOnly.m_bDeletePicture = FALSE;
    pList->Add(pageOnly);
    CTavTabItem empty;
    pList->Add(empty);
    pList->Add(both);   // a second owner of the same objects frees nothing more
    EXPECT_TRUE(s_destroyed.empty()) << "adding copies freed something";

    pList.reset();
    EXPECT_EQ(s_destroyed, (std::vector<std::string>{"A page", "A picture", "B picture", "C page"}));
    delete pBorrowedPage;
    delete pBorrowedPicture;
}

TEST_F(TabItems, PageIndexIsTheLowestIndexAndRemovingAnOwningRecordFreesNothing)
{
    CLoggedPage page("page"), other("other");
    auto pRemoved = std::make_unique<CLoggedPage>("removed");
    CTavTabItemList list;
    EXPECT_EQ(list.GetPageIndex(&page), -1) << "empty list";
    for (CLoggedPage* pPage : {pRemoved.get(), &other, &page, &other, &page})
    {
        CTavTabItem item;
        item.m_pPage = pPage;
        list.Add(item);
    }
    list.GetAt(0).m_bDeletePage = TRUE;
    list.RemoveAt(0, 1);
    EXPECT_TRUE(s_destroyed.empty());
    ASSERT_EQ(list.GetSize(), 4);
    EXPECT_EQ(list.GetPageIndex(&page), 1);
    EXPECT_EQ(list.GetPageIndex(&other), 0);
    EXPECT_EQ(list.GetPageIndex(pRemoved.get()), -1);
}

TEST_F(TabItems, IndicesOutsideTheListRaiseTheInvalidArgumentException)
{
    EXPECT_EQ("CInvalidArgException", ThrownBy([] { PagesLike("")->IsPageDisabled(0); })) << "empty list";
    auto pList = PagesLike("DE");
    CTavTabItemList& list = *pList;
    EXPECT_TRUE(list.IsPageDisabled(0));
    EXPECT_FALSE(list.IsPageDisabled(1));
    EXPECT_EQ("CInvalidArgException", ThrownBy([&] { list.IsPageDisabled(2); }));
    EXPECT_EQ("CInvalidArgException", ThrownBy([&] { list.IsPageDisabled(-1); }));
    EXPECT_EQ("CInvalidArgException", ThrownBy([&] { list.IsPageDisabled(LONG_MIN); }));
    EXPECT_EQ("CInvalidArgException", ThrownBy([&] { list.GetAt(2); }));
    EXPECT_EQ("CInvalidArgException", ThrownBy([&] { list[-1]; }));
    EXPECT_EQ("CInvalidArgException", ThrownBy([&] { list.RemoveAt(2, 1); }));
    EXPECT_EQ(list.GetSize(), 2) << "a failed removal changed the list";
}

struct SearchCase
{
    const char* pszPages;
    long nPage;
    int bWrap;
    long nNext;
    long nPrev;
};

const SearchCase kSearchCases[] = {
    // The examples of enabled pages behind the current one, with and without wrapping.
    {"EEEDD", 2, 0, -1, 1}, {"EEEDD", 2, 1, 0, 1},
    {"DEEDD", 2, 1, 1, 1},
    {"DDEDD", 2, 0, -1, -1}, {"DDEDD", 2, 1, -1, -1},
    // The current page is never the answer, even when it is the only enabled one.
    {"EDDD", 0, 1, -1, -1}, {"DDDE", 3, 1, -1, -1},
    {"EDE", 0, 1, 2, 2}, {"EDE", 2, 1, 0, 0},
    // No current page.
    {"DEDED", -1, 0, 1, -1}, {"DEDED", -1, 1, 1, 3},
    // All disabled, and no pages at all.
    {"DDDD", -1, 0, -1, -1}, {"DDDD", -1, 1, -1, -1}, {"DDDD", 0, 1, -1, -1},
    {"DDDD", 2, 1, -1, -1}, {"DDDD", 3, 0, -1, -1},
    {"", -1, 1, -1, -1}, {"", 0, 1, -1, -1},
    // Start indices below -1: the pages of the list that lie after (or, wrapping, before) the start.
    {"DEE", -5, 0, 1, -1}, {"DEE", -5, 1, 1, 2}, {"EED", LONG_MIN, 1, 0, 1},
    // Start indices at or beyond the count.
    {"EDE", 3, 0, -1, 2}, {"EDE", 3, 1, 0, 2}, {"EDE", 9, 1, 0, 2},
    {"EDE", LONG_MAX, 0, -1, 2}, {"EDE", LONG_MAX, 1, 0, 2},
};

TEST_F(TabItems, EnabledPageSearchesExamineOnlyPagesOfTheList)
{
    for (const SearchCase& c : kSearchCases)
    {
        auto pList = PagesLike(c.pszPages);
        EXPECT_EQ(pList->GetNextEnabledTab(c.nPage, c.bWrap), c.nNext)
            << "next of " << c.nPage << " in \"" << c.pszPages << "\", wrap " << c.bWrap;
        EXPECT_EQ(pList->GetPrevEnabledTab(c.nPage, c.bWrap), c.nPrev)
            << "previous of " << c.nPage << " in \"" << c.pszPages << "\", wrap " << c.bWrap;
    }
}
}
