// The drag that every drag-step benchmark replays: gestures of 20 pointer moves each, 1 to 4
// pixels per move, on a selection of about 800 x 600 in the middle of the screen; about 60% of
// the gestures move the selection, the rest pull one of the eight grips. Each step is made by the
// same drag rules as the capture window, so the benchmarks time the rectangles a user makes.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "screenshot/base/geometry.h"
#include "screenshot/capture/selection_geometry.h"

struct DragScriptStep {
  Rect rect;
  bool is_move;
};

inline Rect DragScriptStart(int cx, int cy) {
  return Rect{(cx - 800) / 2, (cy - 600) / 2, (cx + 800) / 2, (cy + 600) / 2};
}

// `steps` rectangles, each different from the one before, starting from DragScriptStart.
inline std::vector<DragScriptStep> MakeDragScript(int cx, int cy, int steps, uint32_t seed) {
  std::mt19937 rng(seed);
  const SelectionHit grips[] = {HitLeft,    HitRight,    HitTop,        HitBottom,
                                HitTopLeft, HitTopRight, HitBottomLeft, HitBottomRight};
  Rect sel = DragScriptStart(cx, cy);
  std::vector<DragScriptStep> script;
  while (static_cast<int>(script.size()) < steps) {
    const bool move = rng() % 10 < 6;
    const SelectionHit mode = move ? HitMove : grips[rng() % 8];
    const Point press{(sel.left + sel.right) / 2, (sel.top + sel.bottom) / 2};
    const int sx = static_cast<int>(rng() % 9) - 4, sy = static_cast<int>(rng() % 9) - 4;
    Point cur = press;
    const Rect start = sel;
    for (int i = 0; i < 20 && static_cast<int>(script.size()) < steps; ++i) {
      cur.x += sx == 0 ? 1 : sx;
      cur.y += sy;
      const Rect n = DragStep(mode, start, press, cur, cx, cy);
      if (n.IsEmpty() || n == sel) continue;
      script.push_back(DragScriptStep{n, move});
      sel = n;
    }
    // Keep the selection near 800 x 600 and away from degenerate sizes.
    if (sel.Width() < 600 || sel.Width() > 1000 || sel.Height() < 450 || sel.Height() > 750) {
      sel = DragScriptStart(cx, cy);
      script.push_back(DragScriptStep{sel, false});
    }
  }
  return script;
}
