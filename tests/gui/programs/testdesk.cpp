// A desktop picture for the GUI tests: a borderless window over the whole virtual screen painted
// with a pattern whose every pixel the tests can compute (see desk_pixel in tests/gui/desktop.py),
// and a few solid child windows at fixed places, so that window highlighting and clicks on child
// windows have known targets.
//
//   testdesk.exe [--children]
#include <windows.h>

#include <cwchar>

namespace {

// Must match desk_pixel() in tests/gui/desktop.py.
inline COLORREF DeskPixel(int x, int y) {
  const int r = (x * 7 + y) & 0xFF;
  const int g = (y * 5 + (x >> 3)) & 0xFF;
  const int b = ((x >> 4) * 16 + (y >> 4) * 8) & 0xFF;
  return RGB(r, g, b);
}

struct Child {
  int x, y, w, h;
  COLORREF colour;
};

// Must match CHILDREN in tests/gui/desktop.py.
const Child kChildren[] = {
    {100, 120, 300, 200, RGB(200, 40, 40)},
    {500, 150, 240, 320, RGB(40, 160, 60)},
    {820, 420, 260, 180, RGB(40, 60, 200)},
};

HBITMAP g_picture = nullptr;

HBITMAP MakePicture(int cx, int cy) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = cx;
  bi.bmiHeader.biHeight = -cy;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bmp) return nullptr;
  auto* px = static_cast<DWORD*>(bits);
  for (int y = 0; y < cy; ++y)
    for (int x = 0; x < cx; ++x) {
      const COLORREF c = DeskPixel(x, y);
      px[y * cx + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
  return bmp;
}

LRESULT CALLBACK DeskProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(wnd, &ps);
      HDC mem = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(mem, g_picture);
      BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
             ps.rcPaint.bottom - ps.rcPaint.top, mem, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
      SelectObject(mem, old);
      DeleteDC(mem);
      EndPaint(wnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

LRESULT CALLBACK ChildProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    const auto colour = static_cast<COLORREF>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    HBRUSH brush = CreateSolidBrush(colour);
    RECT rc;
    GetClientRect(wnd, &rc);
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
    EndPaint(wnd, &ps);
    return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, LPWSTR cmd, int) {
  const bool children = cmd && wcsstr(cmd, L"--children");
  const int vx = GetSystemMetrics(SM_XVIRTUALSCREEN), vy = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int cx = GetSystemMetrics(SM_CXVIRTUALSCREEN), cy = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  g_picture = MakePicture(cx, cy);
  if (!g_picture) return 1;

  WNDCLASSW wc = {};
  wc.lpfnWndProc = DeskProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"LumettaTestDesk";
  RegisterClassW(&wc);
  wc.lpfnWndProc = ChildProc;
  wc.lpszClassName = L"LumettaTestChild";
  RegisterClassW(&wc);

  HWND desk = CreateWindowExW(0, L"LumettaTestDesk", L"Lumetta test desktop", WS_POPUP | WS_VISIBLE,
                              vx, vy, cx, cy, nullptr, nullptr, inst, nullptr);
  if (!desk) return 1;
  if (children) {
    int n = 0;
    for (const Child& c : kChildren) {
      wchar_t title[32];
      swprintf(title, 32, L"child %d", ++n);
      HWND child = CreateWindowExW(0, L"LumettaTestChild", title, WS_CHILD | WS_VISIBLE, c.x, c.y,
                                   c.w, c.h, desk, nullptr, inst, nullptr);
      SetWindowLongPtrW(child, GWLP_USERDATA, static_cast<LONG_PTR>(c.colour));
    }
  }
  UpdateWindow(desk);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  DeleteObject(g_picture);
  return 0;
}
