// The engine's process-wide settings store: where the settings file lives, loading and saving it.
//
// The file is "<data folder>\Plugin\Screenshot\Config.ini", the data folder being the host input
// method's per-user folder. The store is read once at start-up and written once at exit; in
// between, the bars change it in memory through the accessors of SettingsValues.
#pragma once

#include <string>

#include "screenshot/output/settings_values.h"

class SettingsStore : public SettingsValues {
 public:
  // The engine's store; the first call locates the data folder and creates the folders.
  static SettingsStore& Instance();

  // A store in the host's data folder (LocateDataFolder). The engine uses Instance(); separate
  // stores exist for tests and tools.
  SettingsStore();
  // A store in the given data folder. A folder that is not fully qualified, or too long for the
  // file path to fit 260 characters, leaves the store without a file: Load gives the defaults
  // and Save writes nothing.
  explicit SettingsStore(const std::wstring& data_folder);
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  // Reads every field from the file; missing keys (or a missing or unreadable file) give the
  // defaults. Values are kept as read; see SettingsValues for the checked getters.
  void Load();
  // Writes the keys the engine owns into the file, all in one replacement of the file, keeping
  // everything else in it. When Load could not read a file that was there (another program held
  // it), the values in memory are defaults rather than the user's, so only what changed since
  // Load is written. Returns false, the file left as it was, when it could not be written.
  bool Save();

  const std::wstring& data_folder() const { return data_folder_; }
  // Empty when the store has no usable file path.
  const std::wstring& file_path() const { return file_path_; }

  // The host's data folder: the string value "AppData" of HKCU\Software\Corvane\CorvanePinyin
  // (64-bit view) when it is a usable folder, otherwise the roaming application-data folder (or
  // %APPDATA%) with "\Corvane\CorvanePinyin" appended. Empty when none of these is usable.
  static std::wstring LocateDataFolder();
  // data_folder with "\Plugin\Screenshot\Config.ini" appended; empty when data_folder is not
  // fully qualified or the result would not fit 260 characters.
  static std::wstring SettingsFilePath(const std::wstring& data_folder);
  // Face name of the system menu font, the default text face; empty if the system won't say.
  static std::wstring MenuFontFaceName();

 private:
  // Creates the data folder and the file's folder where missing; a failure is logged.
  void CreateFolders() const;

  std::wstring data_folder_;
  std::wstring file_path_;
  // Whether Load saw what the file holds (true also when there was no file, or no Load).
  bool loaded_file_ = true;
  // The values as Load left them.
  SettingsValues loaded_;
};
