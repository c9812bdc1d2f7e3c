// CMappingSecurity: who may open the crash block, as the system reports it for a real mapping.
#include "screenshot/diagnostics/CMappingSecurity.h"

#include <aclapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The entries of one list of a new mapping made with `security`, as "<type>:<sid>:<full?>".
std::vector<std::wstring> EntriesOfNewMapping(CMappingSecurity& security,
                                              SECURITY_INFORMATION which) {
  static int serial = 0;
  const std::wstring name = L"lumetta_test_security_" + std::to_wstring(GetCurrentProcessId()) +
                            L"_" + std::to_wstring(++serial);
  std::vector<std::wstring> entries;
  HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, security.Attributes(), PAGE_READWRITE,
                                      0, 4096, name.c_str());
  EXPECT_TRUE(mapping) << GetLastError();
  PACL list = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (mapping && GetSecurityInfo(mapping, SE_KERNEL_OBJECT, which, nullptr, nullptr,
                                 which == DACL_SECURITY_INFORMATION ? &list : nullptr,
                                 which == DACL_SECURITY_INFORMATION ? nullptr : &list,
                                 &descriptor) == ERROR_SUCCESS) {
    for (DWORD i = 0; list && i < list->AceCount; ++i) {
      void* ace = nullptr;
      GetAce(list, i, &ace);
      // Allowed and label entries share one layout: header, mask, then the SID.
      const auto* entry = static_cast<const ACCESS_ALLOWED_ACE*>(ace);
      LPWSTR sid = nullptr;
      ConvertSidToStringSidW(const_cast<DWORD*>(&entry->SidStart), &sid);
      const BYTE type = entry->Header.AceType;
      // Full access as asked for, or as the system maps it for a section.
      const bool full = entry->Mask == GENERIC_ALL || entry->Mask == SECTION_ALL_ACCESS;
      entries.push_back(std::wstring(type == ACCESS_ALLOWED_ACE_TYPE           ? L"allow:"
                                     : type == SYSTEM_MANDATORY_LABEL_ACE_TYPE ? L"label:"
                                                                               : L"other:") +
                        (sid ? sid : L"?") + (full ? L":full" : L""));
      LocalFree(sid);
    }
    LocalFree(descriptor);
  }
  if (mapping) CloseHandle(mapping);
  return entries;
}

using Entries = std::vector<std::wstring>;

TEST(CrashMappingSecurity, BeforeVistaTheDefaultSecurityIsUsed) {
  CMappingSecurity security({false, false});
  EXPECT_EQ(security.Attributes(), nullptr);
}

TEST(CrashMappingSecurity, VistaGivesEveryoneFullAccessAndALowLabel) {
  CMappingSecurity security({true, false});
  ASSERT_NE(security.Attributes(), nullptr);
  EXPECT_EQ(security.Attributes()->nLength, sizeof(SECURITY_ATTRIBUTES));
  EXPECT_FALSE(security.Attributes()->bInheritHandle);
  EXPECT_EQ(EntriesOfNewMapping(security, DACL_SECURITY_INFORMATION),
            Entries{L"allow:S-1-1-0:full"});
  EXPECT_EQ(EntriesOfNewMapping(security, LABEL_SECURITY_INFORMATION),
            Entries{L"label:S-1-16-4096"});
}

TEST(CrashMappingSecurity, Windows8AlsoGivesAllApplicationPackagesFullAccess) {
  CMappingSecurity security({true, true});
  EXPECT_EQ(EntriesOfNewMapping(security, DACL_SECURITY_INFORMATION),
            (Entries{L"allow:S-1-1-0:full", L"allow:S-1-15-2-1:full"}));
  EXPECT_EQ(EntriesOfNewMapping(security, LABEL_SECURITY_INFORMATION),
            Entries{L"label:S-1-16-4096"});
}

}  // namespace
