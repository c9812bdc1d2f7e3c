// The least a capture tool can do before the user sees the frozen, dimmed screen: copy the
// virtual screen (layered windows included) into a 32-bpp DIB, dim it in one pass, and show it
// as one full-screen layered window. Start-up of the capture engine is measured against this
// program. It stays up until Esc (a hot key, as in the engine).
#include <windows.h>

#include <cstdint>

namespace {

const int kHotKeyEsc = 1;

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int cx = GetSystemMetrics(SM_CXVIRTUALSCREEN), cy = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = cx;
  bi.bmiHeader.biHeight = -cy;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP picture = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!picture) return 1;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(mem, picture);
  BitBlt(mem, 0, 0, cx, cy, screen, x, y, SRCCOPY | CAPTUREBLT);
  GdiFlush();
  // Black at alpha 0x60 over each pixel, made opaque: what the engine's dim layer shows.
  auto* px = static_cast<uint32_t*>(bits);
  const size_t count = static_cast<size_t>(cx) * cy;
  for (size_t i = 0; i < count; ++i) {
    const uint32_t p = px[i];
    const uint32_t b = (p & 0xFF) * 159 / 255, g = ((p >> 8) & 0xFF) * 159 / 255,
                   r = ((p >> 16) & 0xFF) * 159 / 255;
    px[i] = 0xFF000000 | (r << 16) | (g << 8) | b;
  }
  HWND window = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
                                L"static", nullptr, WS_POPUP | WS_VISIBLE, x, y, cx, cy, nullptr,
                                nullptr, instance, nullptr);
  if (!window) return 1;
  POINT dst = {x, y}, src = {0, 0};
  SIZE size = {cx, cy};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  UpdateLayeredWindow(window, screen, &dst, &size, mem, &src, 0, &blend, ULW_ALPHA);
  ReleaseDC(nullptr, screen);
  RegisterHotKey(window, kHotKeyEsc, 0, VK_ESCAPE);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_HOTKEY && msg.wParam == kHotKeyEsc) break;
    DispatchMessageW(&msg);
  }
  UnregisterHotKey(window, kHotKeyEsc);
  DestroyWindow(window);
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(picture);
  return 0;
}
