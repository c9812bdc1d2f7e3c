// CSnapshotFileDialog: the save dialog of a capture. Centred and topmost, it proposes a name,
// keeps the extension in step with the chosen type and asks before replacing a file.
#pragma once

#include <windows.h>

#include <string>

#include "screenshot/output/CFileDialog.h"
#include "screenshot/output/settings_values.h"

class CSnapshotFileDialog : public CFileDialog {
 public:
  // The command sent to the hook window after a folder change; the name suggestion runs then,
  // when the dialog has finished changing folder.
  static constexpr UINT kSuggestNameCommand = 1000;
  // The dialog's file-name field.
  static constexpr int kFileNameControl = 1148;

  // A save dialog with no filter, extension or name yet (the caller sets ofn() before DoModal).
  CSnapshotFileDialog();

  // The save command's use of the dialog, owned by `owner`: the types of ImageTypeList with the
  // settings' save type first and preselected, a name of up to 2048 characters. On OK answers
  // the completed path and makes the chosen type the settings' save type; on Cancel answers an
  // empty path and changes nothing.
  static std::wstring AskSavePath(HWND owner, SettingsValues& settings);

  // CDN_INITDONE, CDN_FOLDERCHANGE, CDN_TYPECHANGE, CDN_FILEOK and the suggestion command.
  BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD dwMsgMapID) override;

  // The confirmed name with a listed extension: as entered, or with the chosen type's extension
  // appended (ImageTypeList's rule). Meaningful after DoModal answered IDOK.
  std::wstring CompletedPath() const;

 private:
  void OnInitDone();
  void SuggestName();
  void OnTypeChange(const OFNOTIFYW& notify);
  // Whether the dialog may close with the path confirmed: asks before replacing a file.
  bool ConfirmOverwrite(const OFNOTIFYW& notify);
  // Answers "Yes" to replacing `path`, or `path` is no existing file.
  bool MayReplace(const std::wstring& path);
  // The dialog's current folder (ending in a backslash) or file name, however long.
  std::wstring CurrentFolder() const;
  std::wstring CurrentName() const;
  void SetName(const std::wstring& name);

  bool first_folder_change_ = true;
};

// Whether `path` names an existing file or folder (the shell knows its attributes).
bool ShellPathExists(const std::wstring& path);
