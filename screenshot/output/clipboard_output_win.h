// Clipboard output: the composed capture as a 24-bit CF_DIB, and the notification event that
// tells the program that started the engine (with the QXCreate switch) that a copy is there.
#pragma once

#include <windows.h>

#include "screenshot/base/geometry.h"

// The event a starting program creates before it starts the engine and waits on.
extern const wchar_t kCopyNotificationEvent[];

// Puts the final picture on the clipboard, owned by |owner|, and signals the notification event
// afterwards when |notify| is set and the clipboard took it. Nothing happens for an empty
// picture; a clipboard that another program keeps open is left as it was.
void CopyToClipboard(const PixelView& pixels, HWND owner, bool notify);

// The steps of CopyToClipboard. The pixels (32-bit, any row order, alpha ignored) are packed
// straight into the clipboard's block, with no intermediate copy. True when the clipboard now
// holds them.
bool PutPixelsOnClipboard(const PixelView& pixels, HWND owner);
// The same for a 32-bpp top-down DIB section.
bool PutImageOnClipboard(HBITMAP image, HWND owner);
void SignalCopyNotification();
