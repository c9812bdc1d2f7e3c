// Encode: the composed capture written through the GDI+ image encoders.
#include "screenshot/output/image_file_win.h"

#include <objidl.h>  // gdiplus.h needs it under WIN32_LEAN_AND_MEAN
#include <gdiplus.h>
#include <shlwapi.h>

#include <memory>
#include <vector>

#include "screenshot/diagnostics/debug_log_win.h"

namespace {

// The class of the first encoder of `mime` (compared without regard to case).
bool FindEncoder(const std::wstring& mime, CLSID* clsid) {
  UINT count = 0, bytes = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
  std::vector<BYTE> buffer(bytes);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (codecs[i].MimeType && ::lstrcmpiW(codecs[i].MimeType, mime.c_str()) == 0) {
      *clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

}  // namespace

bool Encode(HBITMAP bitmap, const std::wstring& path) {
  if (!bitmap || path.empty()) return false;
  const wchar_t* dot = ::PathFindExtensionW(path.c_str());
  std::wstring mime = std::wstring(L"image/") + (*dot ? dot + 1 : dot);
  const bool jpeg = ::lstrcmpiW(mime.c_str(), L"image/jpg") == 0;
  if (jpeg) mime = L"image/jpeg";
  CLSID clsid = {};
  if (!FindEncoder(mime, &clsid)) {
    diag::Log(diag::kLogError, L"Encoder [%s] not found", mime.c_str());
    return false;
  }
  // Without a palette: the composed image is 32-bit and its fourth byte is no transparency.
  Gdiplus::Bitmap image(bitmap, nullptr);
  if (image.GetLastStatus() != Gdiplus::Ok) return false;
  ULONG quality = 100;
  Gdiplus::EncoderParameters parameters = {};
  parameters.Count = 1;
  parameters.Parameter[0].Guid = Gdiplus::EncoderQuality;
  parameters.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
  parameters.Parameter[0].NumberOfValues = 1;
  parameters.Parameter[0].Value = &quality;
  const Gdiplus::Status status = image.Save(path.c_str(), &clsid, jpeg ? &parameters : nullptr);
  if (status != Gdiplus::Ok) {
    diag::Log(diag::kLogError, L"Save [%s] Failed [%08X]", path.c_str(), status);
    return false;
  }
  return true;
}
