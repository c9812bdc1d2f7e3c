// CMappingSecurity: the security of the crash hand-off's mapping.
#include "screenshot/diagnostics/CMappingSecurity.h"

#include <aclapi.h>
#include <sddl.h>
#include <versionhelpers.h>

#include "screenshot/diagnostics/debug_log_win.h"

CMappingSecurity::Platform CMappingSecurity::CurrentPlatform() {
  return {IsWindowsVistaOrGreater(), IsWindows8OrGreater()};
}

CMappingSecurity::CMappingSecurity(Platform platform) {
  attributes_.nLength = sizeof(attributes_);
  attributes_.lpSecurityDescriptor = &descriptor_;
  attributes_.bInheritHandle = FALSE;
  if (!platform.vista_or_later) return;

  if (!InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION)) {
    diag::Log(diag::kLogError, L"InitializeSecurityDescriptor Failed[%08X]", GetLastError());
    return;
  }
  usable_ = true;
  if (!SetAccessList(platform.windows8_or_later)) {
    // Without the explicit list, a null one still lets every reader in.
    if (!SetSecurityDescriptorDacl(&descriptor_, TRUE, nullptr, FALSE)) {
      diag::Log(diag::kLogError, L"SetSecurityDescriptorDacl Failed[%08X]", GetLastError());
    }
  }
  SetLowIntegrityLabel();
}

CMappingSecurity::~CMappingSecurity() {
  if (everyone_) FreeSid(everyone_);
  if (all_packages_) FreeSid(all_packages_);
  if (access_list_) LocalFree(access_list_);
  if (label_source_) LocalFree(label_source_);
}

bool CMappingSecurity::SetAccessList(bool with_packages) {
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone_)) {
    everyone_ = nullptr;
    diag::Log(diag::kLogError, L"AllocateAndInitializeSid failed! EveryoneSID[%08X]",
              GetLastError());
    return false;
  }
  EXPLICIT_ACCESSW entries[2] = {};
  ULONG count = 0;
  auto grant_all = [&](PSID sid, TRUSTEE_TYPE type) {
    EXPLICIT_ACCESSW& e = entries[count++];
    e.grfAccessPermissions = GENERIC_ALL;
    e.grfAccessMode = SET_ACCESS;
    e.grfInheritance = NO_INHERITANCE;
    e.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    e.Trustee.TrusteeType = type;
    e.Trustee.ptstrName = static_cast<LPWSTR>(sid);
  };
  grant_all(everyone_, TRUSTEE_IS_WELL_KNOWN_GROUP);

  if (with_packages) {
    SID_IDENTIFIER_AUTHORITY packages = SECURITY_APP_PACKAGE_AUTHORITY;
    if (!AllocateAndInitializeSid(
            &packages, SECURITY_BUILTIN_APP_PACKAGE_RID_COUNT, SECURITY_APP_PACKAGE_BASE_RID,
            SECURITY_BUILTIN_PACKAGE_ANY_PACKAGE, 0, 0, 0, 0, 0, 0, &all_packages_)) {
      all_packages_ = nullptr;
      diag::Log(diag::kLogError, L"AllocateAndInitializeSid failed! AllPackages[%08X]",
                GetLastError());
      return false;
    }
    grant_all(all_packages_, TRUSTEE_IS_WELL_KNOWN_GROUP);
  }

  // SetEntriesInAcl answers the error itself rather than through GetLastError.
  const DWORD error = SetEntriesInAclW(count, entries, nullptr, &access_list_);
  if (error != ERROR_SUCCESS) {
    access_list_ = nullptr;
    diag::Log(diag::kLogError, L"SetEntriesInAcl[%08X]", error);
    return false;
  }
  if (!SetSecurityDescriptorDacl(&descriptor_, TRUE, access_list_, FALSE)) {
    diag::Log(diag::kLogError, L"SetSecurityDescriptorDacl[%08X]", GetLastError());
    return false;
  }
  return true;
}

void CMappingSecurity::SetLowIntegrityLabel() {
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(L"S:(ML;;;;;LW)", SDDL_REVISION_1,
                                                            &label_source_, nullptr)) {
    label_source_ = nullptr;
    diag::Log(diag::kLogError, L"ConvertStringSecurityDescriptorToSecurityDescriptorW Failed[%08X]",
              GetLastError());
    return;
  }
  BOOL present = FALSE, defaulted = FALSE;
  PACL label = nullptr;
  if (!GetSecurityDescriptorSacl(label_source_, &present, &label, &defaulted)) {
    diag::Log(diag::kLogError, L"GetSecurityDescriptorSacl Failed[%08X]", GetLastError());
    return;
  }
  if (!SetSecurityDescriptorSacl(&descriptor_, present, label, defaulted)) {
    diag::Log(diag::kLogError, L"SetSecurityDescriptorSacl Failed[%08X]", GetLastError());
  }
}
