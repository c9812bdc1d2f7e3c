// CMappingSecurity: the security of the crash hand-off's mapping, which a report program running
// at low integrity, or inside an app container, must be able to open.
#pragma once

#include <windows.h>

class CMappingSecurity {
 public:
  // Which parts the running system supports.
  struct Platform {
    bool vista_or_later;     // access lists and integrity labels
    bool windows8_or_later;  // app packages
  };
  static Platform CurrentPlatform();

  // Builds the descriptor for `platform`: full access for Everyone (and for all application
  // packages from Windows 8 on) and a low-integrity label. Each failing step is logged; what could
  // be built is still used.
  explicit CMappingSecurity(Platform platform = CurrentPlatform());
  ~CMappingSecurity();
  CMappingSecurity(const CMappingSecurity&) = delete;
  CMappingSecurity& operator=(const CMappingSecurity&) = delete;

  // For CreateFileMapping; null means the default security (before Vista, or when even the
  // descriptor could not be initialised).
  SECURITY_ATTRIBUTES* Attributes() { return usable_ ? &attributes_ : nullptr; }

 private:
  bool SetAccessList(bool with_packages);
  void SetLowIntegrityLabel();

  SECURITY_DESCRIPTOR descriptor_;
  SECURITY_ATTRIBUTES attributes_;
  PSID everyone_ = nullptr;
  PSID all_packages_ = nullptr;
  PACL access_list_ = nullptr;
  PSECURITY_DESCRIPTOR label_source_ = nullptr;  // owns the label's SACL, which we point at
  bool usable_ = false;
};
