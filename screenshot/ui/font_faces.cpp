// The font list's catalogue rules: special faces, the known-face lookup and row sizes.
#include "screenshot/ui/font_faces.h"

#include <algorithm>
#include <cwchar>

namespace {

struct SpecialFace {
  const wchar_t* face;
  FaceKind kind;
};

constexpr FaceKind kSample = FaceKind::kNameAndSample;
constexpr FaceKind kName = FaceKind::kNameOnly;

const SpecialFace kSpecialFaces[] = {
    {L"Bookshelf Symbol 7", kSample},
    {L"Gigi", kSample},
    {L"Jokerman", kSample},
    {L"Juice ITC", kSample},
    {L"Marlett", kSample},
    {L"MS Outlook", kName},
    {L"MS Reference Specialty", kName},
    {L"MT Extra", kSample},
    {L"Old English Text MT", kSample},
    {L"Palace Script MT", kSample},
    {L"Parchment", kSample},
    {L"Script", kSample},
    {L"Sylfaen", kSample},
    {L"VisualUI", kName},
    {L"Vivaldi", kSample},
    {L"Vladimir Script", kSample},
    {L"Webdings", kSample},
    {L"Wingdings", kSample},
    {L"Wingdings 2", kSample},
    {L"Wingdings 3", kSample},
    // The mathematics face: its name drawn in it is about 100 pixels high (see the known-face
    // table), a row taller than the whole list is meant to be. The misspelt entry is kept as
    // well, for any face that really is called so.
    {L"Canbria Math", FaceKind::kHidden},
    {L"Cambria Math", FaceKind::kHidden},
};

}  // namespace

FaceKind SpecialFaceKind(const wchar_t* face) {
  if (!face) return FaceKind::kNormal;
  for (const SpecialFace& s : kSpecialFaces)
    if (std::wcscmp(s.face, face) == 0) return s.kind;
  return FaceKind::kNormal;
}

const KnownFaceMetrics* FindKnownFace(const wchar_t* face, unsigned char charset) {
  if (!face) return nullptr;
  for (int i = 0; i < kKnownFaceCount; ++i)
    if (kKnownFaces[i].charset == charset && std::wcscmp(kKnownFaces[i].face, face) == 0)
      return &kKnownFaces[i];
  return nullptr;
}

FaceRowSize RowSizeFor(FaceKind kind, int width, int height, int interface_width,
                       int interface_height) {
  FaceRowSize s{width, height, 0};
  if (kind == FaceKind::kNameAndSample || kind == FaceKind::kNameOnly) {
    s.extra_width = 3 * interface_height + interface_width;
    s.height = std::max(height, interface_height);
  }
  return s;
}
