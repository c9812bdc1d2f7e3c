// Writing the composed capture to an image file through the GDI+ encoders.
#pragma once

#include <windows.h>

#include <string>

// Writes `bitmap` to `path` with the encoder of the path's extension ("image/png", "image/bmp",
// and ".jpg" as "image/jpeg" at quality 100). GDI+ must be started. False when no encoder takes
// the extension or the encoder fails (logged); nothing is shown to the user.
bool Encode(HBITMAP bitmap, const std::wstring& path);
