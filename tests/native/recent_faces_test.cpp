// The recently chosen faces at the top of the font list: what choosing a face does to the list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screenshot/ui/recent_faces.h"

namespace {

struct Face {
  std::wstring name;
  int serial = 0;  // which catalogue entry it was copied from
};

bool Same(const Face& a, const Face& b) { return a.name == b.name; }

class RecentFacesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const wchar_t* names[] = {L"Arial",  L"Courier", L"Georgia", L"Impact",
                              L"Tahoma", L"Times",   L"Verdana", L"宋体"};
    for (const wchar_t* n : names) list.push_back({n, static_cast<int>(list.size())});
    catalogue_size = list.size();
  }
  // Chooses the entry named |name| below the recent section (the catalogue's copy).
  bool ChooseFromCatalogue(const std::wstring& name) {
    for (size_t i = recent; i < list.size(); ++i)
      if (list[i].name == name) return ChooseRecentFace(list, recent, static_cast<int>(i), &Same);
    ADD_FAILURE() << "no such face";
    return false;
  }
  std::vector<std::wstring> Names() const {
    std::vector<std::wstring> n;
    for (const Face& f : list) n.push_back(f.name);
    return n;
  }
  std::vector<std::wstring> Recent() const {
    const std::vector<std::wstring> all = Names();
    return std::vector<std::wstring>(all.begin(), all.begin() + recent);
  }
  // The catalogue below the recent section is never changed by a choice.
  void ExpectCatalogueIntact() const {
    ASSERT_EQ(list.size(), catalogue_size + recent);
    for (size_t i = 0; i < catalogue_size; ++i)
      EXPECT_EQ(list[recent + i].serial, static_cast<int>(i));
  }

  std::vector<Face> list;
  size_t catalogue_size = 0;
  int recent = 0;
};

TEST_F(RecentFacesTest, FirstChoiceCopiesTheFaceToTheTop) {
  EXPECT_TRUE(ChooseFromCatalogue(L"Tahoma"));
  EXPECT_EQ(recent, 1);
  EXPECT_EQ(list.size(), catalogue_size + 1);
  EXPECT_EQ(list[0].name, L"Tahoma");
  ExpectCatalogueIntact();
}

TEST_F(RecentFacesTest, FiveDifferentFacesLeaveTheFourNewestNewestFirst) {
  for (const wchar_t* name : {L"Courier", L"Georgia", L"Impact", L"Tahoma", L"Verdana"})
    ChooseFromCatalogue(name);
  EXPECT_EQ(recent, 4);
  EXPECT_EQ(Recent(), (std::vector<std::wstring>{L"Verdana", L"Tahoma", L"Impact", L"Georgia"}));
  ExpectCatalogueIntact();
  // A sixth pushes out the oldest again.
  ChooseFromCatalogue(L"宋体");
  EXPECT_EQ(Recent(), (std::vector<std::wstring>{L"宋体", L"Verdana", L"Tahoma", L"Impact"}));
  ExpectCatalogueIntact();
}

TEST_F(RecentFacesTest, ChoosingARecentFaceMovesItToTheTopWithoutGrowing) {
  for (const wchar_t* name : {L"Courier", L"Georgia", L"Impact"}) ChooseFromCatalogue(name);
  ASSERT_EQ(Recent(), (std::vector<std::wstring>{L"Impact", L"Georgia", L"Courier"}));
  // From the recent section itself (row 2).
  EXPECT_TRUE(ChooseRecentFace(list, recent, 2, &Same));
  EXPECT_EQ(Recent(), (std::vector<std::wstring>{L"Courier", L"Impact", L"Georgia"}));
  ExpectCatalogueIntact();
  // From the catalogue, a face that is recent already: its recent entry moves up.
  ChooseFromCatalogue(L"Georgia");
  EXPECT_EQ(Recent(), (std::vector<std::wstring>{L"Georgia", L"Courier", L"Impact"}));
  ExpectCatalogueIntact();
  // The same with the recent section full: nothing is pushed out.
  ChooseFromCatalogue(L"Times");
  ChooseFromCatalogue(L"Impact");
  EXPECT_EQ(Recent(), (std::vector<std::wstring>{L"Impact", L"Times", L"Georgia", L"Courier"}));
  ExpectCatalogueIntact();
}

TEST_F(RecentFacesTest, TheFirstRowNeverReorders) {
  const std::vector<std::wstring> before = Names();
  EXPECT_FALSE(ChooseRecentFace(list, recent, 0, &Same));  // no recent faces yet
  EXPECT_EQ(Names(), before);
  EXPECT_EQ(recent, 0);

  ChooseFromCatalogue(L"Impact");
  ChooseFromCatalogue(L"Tahoma");
  const std::vector<std::wstring> with_recent = Names();
  EXPECT_FALSE(ChooseRecentFace(list, recent, 0, &Same));
  EXPECT_EQ(Names(), with_recent);
  EXPECT_EQ(recent, 2);
}

TEST_F(RecentFacesTest, ARecentCopyOfTheFirstCatalogueFaceAtTheSectionsEndIsDropped) {
  ChooseFromCatalogue(L"Courier");
  ChooseFromCatalogue(L"Arial");  // the catalogue's first face
  ASSERT_EQ(Recent(), (std::vector<std::wstring>{L"Arial", L"Courier"}));
  // Courier moves up: the section ends with Arial, right above the catalogue's Arial.
  EXPECT_TRUE(ChooseRecentFace(list, recent, 1, &Same));
  EXPECT_EQ(Recent(), (std::vector<std::wstring>{L"Courier"}));
  ExpectCatalogueIntact();
}

TEST_F(RecentFacesTest, IndicesOutsideTheListChangeNothing) {
  const std::vector<std::wstring> before = Names();
  EXPECT_FALSE(ChooseRecentFace(list, recent, -1, &Same));
  EXPECT_FALSE(ChooseRecentFace(list, recent, static_cast<int>(list.size()), &Same));
  EXPECT_EQ(Names(), before);
  EXPECT_EQ(recent, 0);
}

TEST_F(RecentFacesTest, ForgettingTakesTheCopiesOut) {
  ChooseFromCatalogue(L"Impact");
  ChooseFromCatalogue(L"Tahoma");
  ForgetRecentFaces(list, recent);
  EXPECT_EQ(recent, 0);
  EXPECT_EQ(list.size(), catalogue_size);
  ExpectCatalogueIntact();
}

}  // namespace
