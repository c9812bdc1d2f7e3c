// Clipboard output: the final picture into the clipboard's block, and the copy notification.
#include "screenshot/output/clipboard_output_win.h"

#include "screenshot/base/top_down_dib_win.h"
#include "screenshot/diagnostics/debug_log_win.h"
#include "screenshot/output/clipboard_dib.h"

const wchar_t kCopyNotificationEvent[] = L"QXSNAPEVENT_{37D8B288-229F-4e33-90D7-84C45C5B7542}";

namespace {

// Clipboard viewers and managers open the clipboard for a moment after every change; such a
// moment must not cost the user the capture. A program that keeps it open longer wins.
bool OpenClipboardPatiently(HWND owner) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (::OpenClipboard(owner)) return true;
    ::Sleep(25);
  }
  diag::Log(diag::kLogError, L"OpenClipboard Failed [%08X]", ::GetLastError());
  return false;
}

}  // namespace

bool PutImageOnClipboard(HBITMAP image, HWND owner) {
  ::GdiFlush();
  PixelView pixels;
  if (!ViewOfTopDownDib(image, &pixels)) return false;
  return PutPixelsOnClipboard(pixels, owner);
}

bool PutPixelsOnClipboard(const PixelView& pixels, HWND owner) {
  const size_t bytes = DibBlockBytes(pixels.width, pixels.height);
  if (!bytes) return false;
  // The clipboard takes movable global memory and owns it once SetClipboardData succeeds.
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!block) {
    diag::Log(diag::kLogError, L"GlobalAlloc [%u] Failed [%08X]", static_cast<unsigned>(bytes),
              ::GetLastError());
    return false;
  }
  auto* out = static_cast<uint8_t*>(::GlobalLock(block));
  const bool packed = out && PackDib24(pixels, out);
  if (out) ::GlobalUnlock(block);
  if (!packed || !OpenClipboardPatiently(owner)) {
    ::GlobalFree(block);
    return false;
  }
  ::EmptyClipboard();
  const bool placed = ::SetClipboardData(CF_DIB, block) != nullptr;
  if (!placed) {
    diag::Log(diag::kLogError, L"SetClipboardData [CF_DIB] Failed [%08X]", ::GetLastError());
    ::GlobalFree(block);
  }
  ::CloseClipboard();
  return placed;
}

void SignalCopyNotification() {
  // Manual reset, not signalled: the starting program holds the event and sees it stay set.
  if (HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, kCopyNotificationEvent)) {
    ::SetEvent(event);
    ::CloseHandle(event);
  }
}

void CopyToClipboard(const PixelView& pixels, HWND owner, bool notify) {
  if (!pixels.top_row || pixels.width <= 0 || pixels.height <= 0) return;
  // Nothing is signalled unless the clipboard really holds the capture.
  if (PutPixelsOnClipboard(pixels, owner) && notify) SignalCopyNotification();
}
