// The hotkey file's bytes as text to edit: which encoding the file is in, and back again.
//
// Files the launcher writes itself are GB 936, as they always were. A user may have saved the
// file from an editor in another encoding, though; reading such a file as GB would miss the
// hotkey, and adding GB text to it would leave a file in two encodings. So the file's own form
// is kept: a byte-order mark says UTF-16 (either byte order) or UTF-8; without one, well-formed
// UTF-8 holding any non-ASCII byte is UTF-8 (GB 936 text with Chinese characters practically
// never is), and everything else is GB 936. UTF-16 text is edited as UTF-8 and turned back unit
// for unit, so bytes the editor does not touch come back exactly as they were.
#pragma once

#include <string>

#include "launcher/ini_text.h"

namespace launcher {

enum class IniForm { kGb, kUtf8, kUtf8WithMark, kUtf16Le, kUtf16Be };

struct IniDocument {
  IniForm form = IniForm::kGb;
  std::string text;      // GB 936 bytes for kGb, UTF-8 for every other form; no byte-order mark
  std::string odd_byte;  // a UTF-16 file's last byte when the file has an odd length

  IniCharset charset() const { return form == IniForm::kGb ? IniCharset::kGb : IniCharset::kUtf8; }
};

IniDocument DecodeIniDocument(const std::string& bytes);
// The file's bytes; EncodeIniDocument(DecodeIniDocument(b)) == b for every b.
std::string EncodeIniDocument(const IniDocument& document);

}  // namespace launcher
