// Helpers for the tests that look at what the engine's windows draw.
#include "win/support/test_pictures.h"

#include <objidl.h>  // gdiplus.h needs it under WIN32_LEAN_AND_MEAN
#include <gdiplus.h>

#include <algorithm>

#include "screenshot/base/CWindowBase.h"
#include "screenshot/ui/ImageSet.h"
#include "screenshot/ui/LayeredSurface.h"
#include "win/support/test_paths.h"

namespace testpictures {

Image Pixels(const LayeredSurface& s) {
  Image img;
  img.width = s.width();
  img.height = s.height();
  GdiFlush();  // GDI may still be drawing into the section
  for (int y = 0; y < s.height(); ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(s.top_row() + y * s.row_step());
    img.px.insert(img.px.end(), row, row + s.width());
  }
  return img;
}

uint32_t Over(uint32_t src, uint32_t dst) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
    out |= std::min<uint32_t>(255, s + (d * (255 - A(src)) + 127) / 255) << shift;
  }
  return out;
}

Image ReadBitmap(HBITMAP bitmap) {
  Image img;
  DIBSECTION dib = {};
  if (!bitmap || GetObjectW(bitmap, sizeof(dib), &dib) != sizeof(dib)) return img;
  if (dib.dsBm.bmBitsPixel != 32) return img;
  img.width = dib.dsBm.bmWidth;
  img.height = dib.dsBm.bmHeight;
  for (int y = 0; y < img.height; ++y) {
    const int row = dib.dsBmih.biHeight > 0 ? img.height - 1 - y : y;
    const auto* p = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(dib.dsBm.bmBits) +
                                                      row * dib.dsBm.bmWidthBytes);
    img.px.insert(img.px.end(), p, p + img.width);
  }
  return img;
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    if (d > tolerance || d < -tolerance) return false;
  }
  return true;
}

bool ChineseGlyphsAvailable() {
  LOGFONTW lf = {};
  lf.lfHeight = -12;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, L"宋体", LF_FACESIZE);
  HFONT font = CreateFontIndirectW(&lf);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  WORD glyphs[2] = {};
  const DWORD n = GetGlyphIndicesW(dc, L"隐显", 2, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(font);
  return n == 2 && glyphs[0] != 0xFFFF && glyphs[1] != 0xFFFF;
}

std::wstring SavePicture(const Image& img, const wchar_t* name, int scale, int pad) {
  wchar_t dir[MAX_PATH] = {};
  std::wstring folder = L"/tmp";
  if (GetEnvironmentVariableW(L"LUMETTA_ARTIFACTS", dir, MAX_PATH) > 0) folder = dir;
  if (!folder.empty() && folder[0] == L'/') folder = L"Z:" + folder;  // Unix folders under Wine
  std::replace(folder.begin(), folder.end(), L'/', L'\\');
  const std::wstring path = folder + L"\\" + name;

  const int w = (img.width + 2 * pad) * scale, h = (img.height + 2 * pad) * scale;
  std::vector<uint32_t> out(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int ix = x / scale - pad, iy = y / scale - pad;
      uint32_t p = 0xFF3B4A5A;
      if (ix >= 0 && iy >= 0 && ix < img.width && iy < img.height) p = Over(img.at(ix, iy), p);
      out[static_cast<size_t>(y) * w + x] = p;
    }
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return L"";
  bool saved = false;
  {
    UINT count = 0, bytes = 0;
    Gdiplus::GetImageEncodersSize(&count, &bytes);
    std::vector<BYTE> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(count, bytes, codecs);
    for (UINT i = 0; i < count; ++i) {
      if (std::wstring(codecs[i].MimeType) != L"image/png") continue;
      Gdiplus::Bitmap bitmap(w, h, w * 4, PixelFormat32bppARGB,
                             reinterpret_cast<BYTE*>(out.data()));
      saved = bitmap.Save(path.c_str(), &codecs[i].Clsid, nullptr) == Gdiplus::Ok;
    }
  }
  Gdiplus::GdiplusShutdown(token);
  return saved ? path : L"";
}

void Pump(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    const DWORD now = GetTickCount();
    if (static_cast<LONG>(end - now) <= 0) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
  }
}

HINSTANCE EngineModuleTest::engine_ = nullptr;
HINSTANCE EngineModuleTest::previous_ = nullptr;

void EngineModuleTest::SetUpTestSuite() {
  engine_ = LoadLibraryExW(testpaths::BinFile(L"Snapshot.exe").c_str(), nullptr,
                           LOAD_LIBRARY_AS_DATAFILE);
  previous_ = CWindowBase::Module().instance;
  if (!engine_) return;
  CWindowBase::SetModule(engine_);
  SharedImages().Load(engine_);
}

void EngineModuleTest::TearDownTestSuite() {
  CWindowBase::SetModule(previous_);
  if (engine_) FreeLibrary(engine_);
  engine_ = nullptr;
}

void EngineModuleTest::SetUp() { ASSERT_TRUE(engine_) << "Snapshot.exe not found beside the test"; }

}  // namespace testpictures
