// The annotation board's text object, the drawing of laid-out cells and of the text box's
// backdrop and frame.
#include "screenshot/board/CScrawlBoard_text.h"

#include <algorithm>
#include <string>

#include "screenshot/base/ScopedWin.h"
#include "screenshot/base/top_down_dib_win.h"
#include "screenshot/board/CInplaceEditBox.h"

// ---- measuring and painting --------------------------------------------------------------------

int LineHeightOf(HFONT font) {
  ScopedDC dc(::CreateCompatibleDC(nullptr));
  ScopedSelectObject selected(dc.get(), font);
  RECT r = {0, 0, 0, 0};
  ::DrawTextW(dc.get(), L"ABC", 3, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  return r.bottom - r.top;
}

void MeasureCells(HFONT font, std::vector<TextCell>& cells) {
  ScopedDC dc(::CreateCompatibleDC(nullptr));
  ScopedSelectObject selected(dc.get(), font);
  for (TextCell& c : cells) {
    if (c.code == kLineBreak) {
      // A line break takes no width; its height is the line's.
      RECT r = {0, 0, 0, 0};
      ::DrawTextW(dc.get(), L"A", 1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
      c.advance = 0;
      c.height = r.bottom - r.top;
      continue;
    }
    const wchar_t ch = static_cast<wchar_t>(c.code);
    RECT r = {0, 0, 0, 0};
    ::DrawTextW(dc.get(), &ch, 1, &r,
                DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | DT_EXPANDTABS);
    c.advance = r.right - r.left;
    c.height = r.bottom - r.top;
  }
}

namespace {

// White-on-black text of `cells` as laid out, into a fresh picture of `size`.
void RenderWhiteText(HDC dc, HFONT font, const TextLayout& layout,
                     const std::vector<TextCell>& cells) {
  ScopedSelectObject selected(dc, font);
  ::SetTextColor(dc, RGB(255, 255, 255));
  ::SetBkMode(dc, TRANSPARENT);
  for (const TextLine& line : layout.lines) {
    std::wstring text;
    for (int i = line.begin; i < line.end; ++i)
      if (cells[i].code != kLineBreak) text.push_back(static_cast<wchar_t>(cells[i].code));
    RECT r = {0, line.bottom - layout.pitch, line.width + layout.pitch, line.bottom};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP | DT_EXPANDTABS);
  }
}

}  // namespace

TextLayout PaintTextCells(const PixelView& target, const Rect& rect, HFONT font, COLORREF color,
                          std::vector<TextCell> cells) {
  const int line_height = LineHeightOf(font);
  MeasureCells(font, cells);
  TextLayout layout = LayOutText(cells, rect.Width(), rect.Height(), line_height);
  const Rect clip = Intersection(rect, target.Bounds());
  if (clip.IsEmpty() || layout.lines.empty()) return layout;
  PixelView glyphs;
  ScopedBitmap picture(CreateTopDownDib(rect.Width(), rect.Height(), &glyphs));
  if (!picture) return layout;
  {
    ScopedDC dc(::CreateCompatibleDC(nullptr));
    ScopedSelectObject selected(dc.get(), picture.get());
    RenderWhiteText(dc.get(), font, layout, cells);
    ::GdiFlush();
  }
  // The red byte is the glyph's coverage: the colour at that alpha, over what is there.
  const uint32_t r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
  for (int y = clip.top; y < clip.bottom; ++y) {
    const uint32_t* src = glyphs.Row(y - rect.top);
    uint32_t* dst = target.Row(y);
    for (int x = clip.left; x < clip.right; ++x) {
      const uint32_t a = (src[x - rect.left] >> 16) & 0xFF;
      if (!a) continue;
      const uint32_t d = dst[x];
      auto mix = [a](uint32_t c, uint32_t under) { return (c * a + under * (255 - a)) / 255; };
      dst[x] = mix(255, d >> 24) << 24 | mix(r, (d >> 16) & 0xFF) << 16 |
               mix(g, (d >> 8) & 0xFF) << 8 | mix(b, d & 0xFF);
    }
  }
  return layout;
}

void FillBoxBackdrop(const PixelView& target, const Rect& r, COLORREF color) {
  const Rect clip = Intersection(r, target.Bounds());
  const uint32_t px = 0xF0000000u | ((GetRValue(color) * 240u) >> 8) << 16 |
                      ((GetGValue(color) * 240u) >> 8) << 8 | ((GetBValue(color) * 240u) >> 8);
  for (int y = clip.top; y < clip.bottom; ++y)
    std::fill(target.Row(y) + clip.left, target.Row(y) + clip.right, px);
}

void PaintBoxFrame(BoardLayer& layer, const HBITMAP frames[5], const Rect& r) {
  if (!layer.ok()) return;
  layer.Flush();
  ScopedDC dst(::CreateCompatibleDC(nullptr));
  ScopedDC src(::CreateCompatibleDC(nullptr));
  ScopedSelectObject dst_selected(dst.get(), layer.bitmap());
  const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  auto put = [&](HBITMAP bm, int x, int y, int w, int h) {
    if (!bm || w <= 0 || h <= 0) return;
    ScopedSelectObject s(src.get(), bm);
    ::AlphaBlend(dst.get(), x, y, w, h, src.get(), 0, 0, w, h, blend);
  };
  const int right = r.right - 1, bottom = r.bottom - 1;
  // Tiles centred on the edge lines, the last piece cropped.
  for (int y = r.top; y < bottom; y += 13) {
    put(frames[4], r.left - 1, y, 3, std::min(13, bottom - y));
    put(frames[4], right - 1, y, 3, std::min(13, bottom - y));
  }
  for (int x = r.left; x < right; x += 13) {
    put(frames[3], x, r.top - 1, std::min(13, right - x), 3);
    put(frames[3], x, bottom - 1, std::min(13, right - x), 3);
  }
  const int cx = (r.left + right) / 2, cy = (r.top + bottom) / 2;
  for (const Point& p : {Point{cx, r.top}, Point{cx, bottom}, Point{r.left, cy}, Point{right, cy}})
    put(frames[1], p.x - 4, p.y - 4, 9, 9);
  for (const Point& p :
       {Point{r.left, r.top}, Point{right, r.top}, Point{r.left, bottom}, Point{right, bottom}})
    put(frames[0], p.x - 5, p.y - 5, 11, 11);
  put(frames[2], cx - 5, r.top - 28, 11, 28);
  ::GdiFlush();
}

// ---- the text object ---------------------------------------------------------------------------

CScrawlBoard::CObjectText::CObjectText(ObjectList& list, TextObjectContent content)
    : CObjectBase(list, kObjectText), content_(std::move(content)) {
  rect = content_.rect;
}

void CScrawlBoard::CObjectText::SetContent(TextObjectContent c) {
  content_ = std::move(c);
  rect = content_.rect;
  hit_mask.Clear();
}

void CScrawlBoard::CObjectText::Place(Point position, const Rect& r, Size box) {
  content_.position = position;
  content_.rect = r;
  content_.box_size = box;
  rect = r;
  hit_mask.Clear();
}

namespace {

// The object's font, made for one drawing.
ScopedFont FontOf(const TextObjectContent& c) { return ScopedFont(::CreateFontIndirectW(&c.font)); }

}  // namespace

void CScrawlBoard::CObjectText::Draw(CScrawlBoard*, BoardLayer& layer) {
  ScopedFont font = FontOf(content_);
  layer.Flush();
  PaintTextCells(layer.pixels(), rect, font.get(), content_.color, content_.cells);
}

void CScrawlBoard::CObjectText::DrawHover(CScrawlBoard* board, BoardLayer& layer) {
  // The glyphs in the inverted colour on a translucent backdrop that sets them off, framed.
  const COLORREF inverted = content_.color ^ 0xFFFFFF;
  const bool dark =
      GetRValue(inverted) <= 0x80 && GetGValue(inverted) <= 0x80 && GetBValue(inverted) <= 0x80;
  const Rect clip = Intersection(rect, layer.pixels().Bounds());
  layer.Flush();
  const uint32_t backdrop = dark ? 0xA0A0A0A0u : 0xA0000000u;
  for (int y = clip.top; y < clip.bottom; ++y)
    std::fill(layer.pixels().Row(y) + clip.left, layer.pixels().Row(y) + clip.right, backdrop);
  PaintRectangle(layer, Rect{rect.left - 1, rect.top - 1, rect.right, rect.bottom},
                 StrokeStyle{3, 0, 0xFF000000});
  layer.Flush();
  ScopedFont font = FontOf(content_);
  PaintTextCells(layer.pixels(), rect, font.get(), inverted, content_.cells);
  (void)board;
}

void CScrawlBoard::CObjectText::DrawSelected(CScrawlBoard* board, BoardLayer& layer) {
  if (board->editing_.get() == this && board->IsTextEditing()) {
    board->text_box_->Redraw();
    return;
  }
  layer.Flush();
  FillBoxBackdrop(layer.pixels(), Grown(rect, 8, 6, 8, 8), content_.second);
  PaintBoxFrame(layer, board->TextFrames(), rect);
  Draw(board, layer);
}

int CScrawlBoard::CObjectText::HitTestBody(int x, int y, int wide) {
  return MaskHit(rect, Point{x, y}, wide != 0) ? 1 : 0;
}

void CScrawlBoard::CObjectText::RenderHitMask(HDC dc, const Rect& box) {
  ScopedFont font = FontOf(content_);
  std::vector<TextCell> cells = content_.cells;
  MeasureCells(font.get(), cells);
  const TextLayout layout = LayOutText(cells, box.Width(), box.Height(), LineHeightOf(font.get()));
  RenderWhiteText(dc, font.get(), layout, cells);
}
