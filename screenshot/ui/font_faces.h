// The font list's catalogue rules: which faces it leaves out, which it draws in a special way,
// how the reports of a font enumeration become one record per face, which faces it need not
// measure, and how a row's size follows from its measurements.
#pragma once

#include <map>
#include <string>

// How a face's row is drawn.
enum class FaceKind {
  kNormal = 0,         // the name in its own face
  kNameAndSample = 1,  // the name in the interface font, then again in its own face
  kNameOnly = 2,       // the name in the interface font only (the face has no letters)
  kHidden = 3,         // not listed
};

// The kind of |face| (exact, case-sensitive name): symbol and decorative faces whose own glyphs
// do not spell their name are drawn with it in the interface font, and a few faces are hidden;
// every other face is kNormal.
FaceKind SpecialFaceKind(const wchar_t* face);

// A vertical variant ("@" before the family name), which the list never shows.
inline bool IsVerticalFace(const wchar_t* face) { return face && face[0] == L'@'; }

// The character-set byte of a report that stands for every character set of the face.
constexpr unsigned char kAnyCharset = 1;

// Keeps one report per face, in ordinal order of the names: the first report of a face is kept,
// and a later one replaces it only when it is for every character set. Vertical variants and
// nameless faces are skipped.
template <typename Record>
void AddReportedFace(std::map<std::wstring, Record>& faces, const wchar_t* face,
                     unsigned char charset, const Record& record) {
  if (!face || !face[0] || IsVerticalFace(face)) return;
  const auto inserted = faces.emplace(face, record);
  if (!inserted.second && charset == kAnyCharset) inserted.first->second = record;
}

// One row of the known-face table: the extent of the face's name drawn in that face at height
// -18 and width 9, for the character set it was enumerated with.
struct KnownFaceMetrics {
  const wchar_t* face;
  unsigned char charset;
  int width;
  int height;
};

extern const KnownFaceMetrics kKnownFaces[];
extern const int kKnownFaceCount;

// The table's row for |face| enumerated with |charset|, or null: a face measured with another
// character set may be drawn with other glyphs, so its size is not taken from the table.
const KnownFaceMetrics* FindKnownFace(const wchar_t* face, unsigned char charset);

// A row's size: the name's extent in its own face, and for the kinds that show the name in the
// interface font first (|interface_width| x |interface_height|) the room that takes, 3 x height
// + width, with the row raised to the interface font's height where that is taller.
struct FaceRowSize {
  int width = 0;
  int height = 0;
  int extra_width = 0;
};
FaceRowSize RowSizeFor(FaceKind kind, int width, int height, int interface_width,
                       int interface_height);
