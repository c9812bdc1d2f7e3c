// How choosing a face in the font list updates the recently chosen faces kept at its top.
//
// The list holds up to four recent entries (copies of chosen faces) before the full,
// alphabetical catalogue. Choosing the first entry changes nothing; the first choice copies the
// face to the top; choosing a recent entry, or a face that already has one, moves that recent
// entry to the top; any other face is copied to the top, the oldest of four recent entries
// making room for it. Afterwards a recent entry that repeats the first catalogue entry just below
// it is dropped from the end of the recent section.
#pragma once

#include <algorithm>
#include <vector>

// Up to this many recent entries.
constexpr int kMaxRecentFaces = 4;

// Applies the choice of |entries|[|index|] with |recent_count| recent entries at the top.
// |same_face|(a, b) tells whether two entries name the same face. Returns true when the list
// changed length or order (the owner then updates its scroll range), false when nothing moved
// (index 0) or the index was not in the list.
template <typename Entry, typename SameFace>
bool ChooseRecentFace(std::vector<Entry>& entries, int& recent_count, int index,
                      SameFace same_face) {
  const int count = static_cast<int>(entries.size());
  if (index <= 0 || index >= count) return false;
  recent_count = std::clamp(recent_count, 0, std::min(kMaxRecentFaces, count));
  const auto begin = entries.begin();
  if (recent_count == 0) {
    const Entry chosen = entries[index];
    entries.insert(begin, chosen);
    recent_count = 1;
    return true;
  }
  if (index < recent_count) {
    std::rotate(begin, begin + index, begin + index + 1);
  } else {
    int same = -1;
    for (int k = 0; k < recent_count && same < 0; ++k)
      if (same_face(entries[k], entries[index])) same = k;
    if (same >= 0) {
      std::rotate(begin, begin + same, begin + same + 1);
    } else if (recent_count == kMaxRecentFaces) {
      const Entry chosen = entries[index];
      std::move_backward(begin, begin + kMaxRecentFaces - 1, begin + kMaxRecentFaces);
      entries[0] = chosen;
    } else {
      const Entry chosen = entries[index];
      entries.insert(begin, chosen);
      ++recent_count;
    }
  }
  while (recent_count > 0 && recent_count < static_cast<int>(entries.size()) &&
         same_face(entries[recent_count - 1], entries[recent_count])) {
    entries.erase(entries.begin() + (recent_count - 1));
    --recent_count;
  }
  return true;
}

// Takes the recent section out again (a new popup starts without recent faces): the first
// |recent_count| entries are copies and go; |recent_count| becomes 0.
template <typename Entry>
void ForgetRecentFaces(std::vector<Entry>& entries, int& recent_count) {
  const int n = std::clamp(recent_count, 0, static_cast<int>(entries.size()));
  entries.erase(entries.begin(), entries.begin() + n);
  recent_count = 0;
}
