// The font list's catalogue rules: special and hidden faces, one record per reported face, the
// known-face table under its character-set rule, and row sizes.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "screenshot/ui/font_faces.h"

namespace {

TEST(FontFaces, SymbolFacesShowTheirNameInTheInterfaceFont) {
  EXPECT_EQ(SpecialFaceKind(L"Webdings"), FaceKind::kNameAndSample);
  EXPECT_EQ(SpecialFaceKind(L"Wingdings 3"), FaceKind::kNameAndSample);
  EXPECT_EQ(SpecialFaceKind(L"Marlett"), FaceKind::kNameAndSample);
  EXPECT_EQ(SpecialFaceKind(L"MS Outlook"), FaceKind::kNameOnly);
  EXPECT_EQ(SpecialFaceKind(L"VisualUI"), FaceKind::kNameOnly);
  EXPECT_EQ(SpecialFaceKind(L"Arial"), FaceKind::kNormal);
  EXPECT_EQ(SpecialFaceKind(L"webdings"), FaceKind::kNormal);  // names are exact
  EXPECT_EQ(SpecialFaceKind(L"Wingdings 4"), FaceKind::kNormal);
  EXPECT_EQ(SpecialFaceKind(nullptr), FaceKind::kNormal);
}

TEST(FontFaces, TheMathematicsFaceIsHiddenUnderEitherSpelling) {
  // Its name drawn in it is 100 pixels high: the row would dwarf the list.
  EXPECT_EQ(SpecialFaceKind(L"Cambria Math"), FaceKind::kHidden);
  EXPECT_EQ(SpecialFaceKind(L"Canbria Math"), FaceKind::kHidden);
  EXPECT_EQ(SpecialFaceKind(L"Cambria"), FaceKind::kNormal);
}

TEST(FontFaces, OneRecordPerFaceInOrdinalOrderWithoutVerticalVariants) {
  using Report = std::pair<unsigned char, int>;  // character set, serial number of the report
  std::map<std::wstring, Report> faces;
  const struct {
    const wchar_t* face;
    unsigned char charset;
  } reports[] = {{L"Tahoma", 0},   {L"@宋体", 134}, {L"宋体", 134}, {L"arial", 0},
                 {L"Tahoma", 161}, {L"Arial", 0},   {L"宋体", 1},   {L"@Arial", 0},
                 {L"Zeta", 0},     {L"", 0},        {L"Tahoma", 1}, {L"Tahoma", 204}};
  int serial = 0;
  for (const auto& r : reports)
    AddReportedFace(faces, r.face, r.charset, Report{r.charset, serial++});

  std::vector<std::wstring> names;
  for (const auto& f : faces) names.push_back(f.first);
  // Upper case before lower case, Latin before Chinese; no "@" names, no nameless face.
  EXPECT_EQ(names, (std::vector<std::wstring>{L"Arial", L"Tahoma", L"Zeta", L"arial", L"宋体"}));
  // The first report stays unless a later one is for every character set.
  EXPECT_EQ(faces[L"Arial"].second, 5);
  EXPECT_EQ(faces[L"Tahoma"], (Report{1, 10}));  // not replaced again by the later 204
  EXPECT_EQ(faces[L"宋体"], (Report{1, 6}));
  EXPECT_EQ(faces[L"arial"], (Report{0, 3}));
  EXPECT_TRUE(IsVerticalFace(L"@Arial"));
  EXPECT_FALSE(IsVerticalFace(L"Arial@"));
}

TEST(FontFaces, KnownFacesOnlyForTheCharacterSetTheyWereMeasuredWith) {
  const KnownFaceMetrics* arial = FindKnownFace(L"Arial", 0);
  ASSERT_NE(arial, nullptr);
  EXPECT_EQ(arial->width, 42);
  EXPECT_EQ(arial->height, 21);
  EXPECT_EQ(FindKnownFace(L"Arial", 1), nullptr);
  EXPECT_EQ(FindKnownFace(L"Arial", 134), nullptr);
  EXPECT_EQ(FindKnownFace(L"arial", 0), nullptr);
  // A face measured under two character sets has a row for each.
  const KnownFaceMetrics* song = FindKnownFace(L"宋体", 134);
  ASSERT_NE(song, nullptr);
  EXPECT_EQ(song->width, 36);
  EXPECT_EQ(song->height, 18);
  const KnownFaceMetrics* song_here = FindKnownFace(L"宋体", 0);
  ASSERT_NE(song_here, nullptr);
  EXPECT_NE(song_here, song);
  EXPECT_EQ(FindKnownFace(L"No Such Face", 0), nullptr);
  EXPECT_EQ(FindKnownFace(nullptr, 0), nullptr);
}

TEST(FontFaces, KnownFaceTableRowsAreUsable) {
  std::set<std::pair<std::wstring, int>> seen;
  for (int i = 0; i < kKnownFaceCount; ++i) {
    const KnownFaceMetrics& k = kKnownFaces[i];
    EXPECT_GT(k.width, 0) << i;
    EXPECT_GT(k.height, 0) << i;
    EXPECT_LT(std::wstring(k.face).size(), 32u) << i;           // fits a LOGFONTW face name
    EXPECT_TRUE(seen.insert({k.face, k.charset}).second) << i;  // each face and set once
  }
}

TEST(FontFaces, SpecialKindsMakeRoomForTheNameInTheInterfaceFont) {
  FaceRowSize s = RowSizeFor(FaceKind::kNormal, 120, 21, 60, 13);
  EXPECT_EQ(s.width, 120);
  EXPECT_EQ(s.height, 21);
  EXPECT_EQ(s.extra_width, 0);
  s = RowSizeFor(FaceKind::kNameAndSample, 70, 12, 52, 13);
  EXPECT_EQ(s.width, 70);
  EXPECT_EQ(s.height, 13);  // raised to the interface font's height
  EXPECT_EQ(s.extra_width, 3 * 13 + 52);
  s = RowSizeFor(FaceKind::kNameOnly, 90, 24, 52, 13);
  EXPECT_EQ(s.height, 24);
  EXPECT_EQ(s.extra_width, 91);
}

}  // namespace
