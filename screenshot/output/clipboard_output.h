// Clipboard output: the composed capture as a 24-bit CF_DIB, and the notification event that
// tells the program that started the engine (with the QXCreate switch) that a copy is there.
#pragma once

#include <windows.h>

class CScreenSnapshotTool;

// The event a starting program creates before it starts the engine and waits on.
extern const wchar_t kCopyNotificationEvent[];

// Puts the capture's composed image on the clipboard, owned by |owner|; signals the notification
// event afterwards when the engine was asked to. Nothing happens with no selection or no
// composed image; a clipboard that another program keeps open is left as it was.
void CopyToClipboard(const CScreenSnapshotTool& tool, HWND owner);

// The steps of CopyToClipboard, for callers with a picture of their own. |image| is a 32-bpp
// DIB section. True when the clipboard now holds it.
bool PutImageOnClipboard(HBITMAP image, HWND owner);
void SignalCopyNotification();
