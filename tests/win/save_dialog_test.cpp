// The save dialog driven as a user would (names typed, folders entered, types chosen, OK and the
// overwrite question answered) while its own modal loop runs, and what it answers.
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "screenshot/output/CSnapshotFileDialog.h"
#include "screenshot/output/save_names.h"
#include "screenshot/output/settings_values.h"
#include "support/test_pictures.h"

namespace {

const std::wstring kPlain = L"\u622a\u5c4f\u56fe\u7247";  // 截屏图片
const wchar_t kQuestionCaption[] = L"\u63d0\u793a";       // 提示
constexpr DWORD kStepTimeoutMs = 5000;

struct OwnedSearch {
  HWND owner;
  const wchar_t* title;
  HWND found;
};

BOOL CALLBACK MatchOwned(HWND w, LPARAM lp) {
  auto* s = reinterpret_cast<OwnedSearch*>(lp);
  wchar_t cls[32] = {}, text[64] = {};
  GetClassNameW(w, cls, 32);
  GetWindowTextW(w, text, 64);
  if (!IsWindowVisible(w) || GetWindow(w, GW_OWNER) != s->owner || lstrcmpW(cls, L"#32770") != 0 ||
      (s->title && lstrcmpW(text, s->title) != 0))
    return TRUE;
  s->found = w;
  return FALSE;
}

// A visible dialog of this thread owned by `owner` (with `title`, when given).
HWND FindOwnedDialog(HWND owner, const wchar_t* title = nullptr) {
  OwnedSearch search{owner, title, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), MatchOwned, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring DialogText(HWND dialog, UINT msg) {
  wchar_t text[1024] = {};
  SendMessageW(dialog, msg, 1024, reinterpret_cast<LPARAM>(text));
  return text;
}

std::wstring Folder(HWND dialog) {
  std::wstring f = DialogText(dialog, CDM_GETFOLDERPATH);
  if (!f.empty() && f.back() != L'\\') f += L'\\';
  return f;
}

void TypeName(HWND dialog, const std::wstring& name) {
  const int control = GetDlgItem(dialog, cmb13) ? cmb13 : edt1;
  SendMessageW(dialog, CDM_SETCONTROLTEXT, control, reinterpret_cast<LPARAM>(name.c_str()));
}

BOOL CALLBACK AppendStaticText(HWND w, LPARAM lp) {
  wchar_t cls[32] = {}, text[1024] = {};
  GetClassNameW(w, cls, 32);
  if (lstrcmpiW(cls, L"Static") == 0 && GetWindowTextW(w, text, 1024))
    *reinterpret_cast<std::wstring*>(lp) += text;
  return TRUE;
}

// The texts of a message box's static controls, one after another.
std::wstring StaticTexts(HWND box) {
  std::wstring all;
  EnumChildWindows(box, AppendStaticText, reinterpret_cast<LPARAM>(&all));
  return all;
}

void PressOk(HWND dialog) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

// Chooses the type box's entry whose text starts with `description`, as the user does.
void ChooseType(HWND dialog, const wchar_t* description) {
  HWND combo = GetDlgItem(dialog, cmb1);
  SendMessageW(combo, CB_SETCURSEL,
               SendMessageW(combo, CB_FINDSTRING, -1, reinterpret_cast<LPARAM>(description)), 0);
  // A choice in the list sends both, in this order.
  for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK})
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, code), reinterpret_cast<LPARAM>(combo));
}

std::wstring TypeText(HWND dialog, int index) {
  HWND combo = GetDlgItem(dialog, cmb1);
  wchar_t text[128] = {};
  if (SendMessageW(combo, CB_GETLBTEXTLEN, index, 0) < 128)
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}

// A temporary folder with its files, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    path_ = std::wstring(base) + L"lumetta_save_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
            std::to_wstring(++count_) + L"\\";
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TempFolder() {
    for (const std::wstring& f : made_) DeleteFileW(f.c_str()) || RemoveDirectoryW(f.c_str());
    RemoveDirectoryW(path_.c_str());
  }
  const std::wstring& path() const { return path_; }
  std::wstring File(const std::wstring& name, const char* content = "x") {
    const std::wstring full = path_ + name;
    HANDLE h = CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, content, static_cast<DWORD>(strlen(content)), &written, nullptr);
    CloseHandle(h);
    made_.insert(made_.begin(), full);
    return full;
  }
  std::wstring Subfolder(const std::wstring& name) {
    const std::wstring full = path_ + name;
    CreateDirectoryW(full.c_str(), nullptr);
    made_.push_back(full);
    return full + L"\\";
  }
  void Forget(const std::wstring& full) { made_.insert(made_.begin(), full); }

 private:
  std::wstring path_;
  std::vector<std::wstring> made_;
  static inline int count_ = 0;
};

// Runs the save command's dialog with a script played on a thread timer, step by step: a step
// answers true when it is done (it may wait for the dialog to show something first). A step that
// is not done within kStepTimeoutMs fails the test and closes the dialog.
class SaveDialogTest : public testpictures::EngineModuleTest {
 protected:
  using Step = std::function<bool(HWND dialog)>;

  void SetUp() override {
    EngineModuleTest::SetUp();
    ImageTypeList& types = ImageTypeList::Instance();
    types.Add(L"Png files", L".png");
    types.Add(L"Jpg files", L".jpg");
    types.Add(L"Bmp files", L".bmp");
    owner_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"static", nullptr, WS_POPUP | WS_VISIBLE, 0, 0, 0,
                             0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  void TearDown() override { DestroyWindow(owner_); }

  void Then(const char* what, Step step) { steps_.push_back({what, std::move(step)}); }
  // Waits until the name field reads `name`.
  void ThenNameIs(const char* what, const std::wstring& name) {
    Then(what, [name](HWND d) { return DialogText(d, CDM_GETSPEC) == name; });
  }
  // Enters `folder` through the name field, as a user typing a path, and waits until the dialog
  // shows it.
  void ThenEnter(const std::wstring& folder) {
    Then("type the folder", [folder](HWND d) {
      TypeName(d, folder);
      PressOk(d);
      return true;
    });
    Then("folder entered",
         [folder](HWND d) { return lstrcmpiW(Folder(d).c_str(), folder.c_str()) == 0; });
  }

  std::wstring Run() {
    current_ = this;
    step_ = 0;
    step_start_ = GetTickCount();
    const UINT_PTR timer = SetTimer(nullptr, 0, 15, &Tick);
    const std::wstring path = CSnapshotFileDialog::AskSavePath(owner_, settings_);
    KillTimer(nullptr, timer);
    current_ = nullptr;
    EXPECT_EQ(failed_, "") << "step not done in time";
    EXPECT_EQ(step_, steps_.size()) << "the dialog closed before the script ended";
    steps_.clear();
    return path;
  }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    SaveDialogTest* self = current_;
    if (!self || self->in_step_ || self->step_ > self->steps_.size()) return;
    HWND dialog = FindOwnedDialog(self->owner_);
    if (GetTickCount() - self->step_start_ > kStepTimeoutMs) {
      self->failed_ = self->step_ < self->steps_.size() ? self->steps_[self->step_].first
                                                        : "the dialog to close";
      self->step_ = self->steps_.size() + 1;
      if (HWND box = dialog ? FindOwnedDialog(dialog, kQuestionCaption) : nullptr)
        PostMessageW(box, WM_COMMAND, IDNO, 0);
      if (dialog) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    if (!dialog || self->step_ == self->steps_.size()) return;
    self->in_step_ = true;  // a step may run a modal loop of its own
    const bool done = self->steps_[self->step_].second(dialog);
    self->in_step_ = false;
    if (done) {
      ++self->step_;
      self->step_start_ = GetTickCount();
    }
  }

  // The overwrite question, once it shows: its text, then answered.
  void ThenQuestion(const char* what, std::wstring* text, int answer, bool closes = false) {
    Then(what, [text, answer](HWND d) {
      HWND box = FindOwnedDialog(d, kQuestionCaption);
      if (!box) return false;
      *text = StaticTexts(box);
      PostMessageW(box, WM_COMMAND, answer, 0);
      return true;
    });
    if (closes) return;  // "Yes" closes the dialog with it
    Then("question closed", [](HWND d) { return FindOwnedDialog(d, kQuestionCaption) == nullptr; });
  }

  HWND owner_ = nullptr;
  SettingsValues settings_;
  std::vector<std::pair<std::string, Step>> steps_;
  size_t step_ = 0;
  DWORD step_start_ = 0;
  bool in_step_ = false;
  std::string failed_;
  static inline SaveDialogTest* current_ = nullptr;
};

}  // namespace

TEST_F(SaveDialogTest, StoredTypeComesFirstTheFirstNameIsTimestampedAndCancelKeepsSettings) {
  settings_.SetSaveType(L".bmp");
  std::wstring first_name;
  Then("timestamped name", [&](HWND d) {
    first_name = DialogText(d, CDM_GETSPEC);
    return first_name.rfind(L"CorvaneZezozoz_", 0) == 0;
  });
  std::wstring types[3];
  LRESULT chosen = -1;
  RECT box = {};
  Then("cancel", [&](HWND d) {
    for (int i = 0; i < 3; ++i) types[i] = TypeText(d, i);
    chosen = SendMessageW(GetDlgItem(d, cmb1), CB_GETCURSEL, 0, 0);
    GetWindowRect(d, &box);
    PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    return true;
  });
  EXPECT_EQ(Run(), L"");
  EXPECT_EQ(types[0], L"Bmp files (*.bmp)");
  EXPECT_EQ(types[1], L"Png files (*.png)");
  EXPECT_EQ(types[2], L"Jpg files (*.jpg)");
  EXPECT_EQ(chosen, 0);
  EXPECT_EQ(settings_.GetSaveType(), L".bmp");
  // Centred on the virtual screen (within a pixel of rounding).
  const int cx = GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN) / 2;
  const int cy = GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN) / 2;
  EXPECT_NEAR((box.left + box.right) / 2, cx, 1);
  EXPECT_NEAR((box.top + box.bottom) / 2, cy, 1);
  // Year-month-day_hour-minute-second, no leading zeros, no extension.
  int y = 0, mo = 0, da = 0, h = 0, mi = 0, se = 0;
  ASSERT_EQ(
      swscanf(first_name.c_str(), L"CorvaneZezozoz_%d-%d-%d_%d-%d-%d", &y, &mo, &da, &h, &mi, &se),
      6);
  EXPECT_EQ(first_name, save_names::TimestampName(y, mo, da, h, mi, se));
  SYSTEMTIME now = {};
  GetLocalTime(&now);
  EXPECT_EQ(y, now.wYear);
  EXPECT_EQ(mo, now.wMonth);
}

TEST_F(SaveDialogTest, FolderChangesProposeFreeNamesAndKeepTypedOnes) {
  TempFolder a;
  a.File(kPlain + L".png");
  const std::wstring sub = a.Subfolder(L"sub");
  Then("first name", [](HWND d) { return !DialogText(d, CDM_GETSPEC).empty(); });
  ThenEnter(a.path());
  ThenNameIs("numbered past the taken name", kPlain + L" (1)");
  ThenEnter(sub);
  ThenNameIs("the plain name in a free folder", kPlain);
  Then("type a name and go up", [](HWND d) {
    TypeName(d, L"report");
    PostMessageW(d, WM_COMMAND, 0xA001, 0);  // the tool bar's up-one-level button
    return true;
  });
  Then("back in the first folder",
       [&](HWND d) { return lstrcmpiW(Folder(d).c_str(), a.path().c_str()) == 0; });
  std::wstring kept;
  Then("typed name kept; a suggestion with a capital extension", [&](HWND d) {
    kept = DialogText(d, CDM_GETSPEC);
    TypeName(d, kPlain + L".PNG");
    // Into the subfolder by the list, the name field untouched: the list has it selected...
    PostMessageW(d, WM_COMMAND, 0xA001, 0);
    return true;
  });
  std::wstring parent = a.path().substr(0, a.path().size() - 1);
  parent = parent.substr(0, parent.find_last_of(L'\\') + 1);
  Then("in the parent folder",
       [&](HWND d) { return lstrcmpiW(Folder(d).c_str(), parent.c_str()) == 0; });
  std::wstring in_parent;
  Then("cancel", [&](HWND d) {
    in_parent = DialogText(d, CDM_GETSPEC);
    PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    return true;
  });
  EXPECT_EQ(Run(), L"");
  EXPECT_EQ(kept, L"report");
  EXPECT_EQ(in_parent, kPlain);
}

TEST_F(SaveDialogTest, TypeChangeSwitchesTheExtensionAndOkCompletesAndStoresTheType) {
  TempFolder t;
  Then("first name", [](HWND d) { return !DialogText(d, CDM_GETSPEC).empty(); });
  Then("shot.png to JPEG", [](HWND d) {
    TypeName(d, L"shot.png");
    ChooseType(d, L"Jpg files");
    return true;
  });
  ThenNameIs("switched", L"shot.jpg");
  std::wstring plain_after;
  Then("shot to BMP", [](HWND d) {
    TypeName(d, L"shot");
    ChooseType(d, L"Bmp files");
    return true;
  });
  Then("confirm", [&](HWND d) {
    plain_after = DialogText(d, CDM_GETSPEC);
    TypeName(d, t.path() + L"shot");
    PressOk(d);
    return true;
  });
  const std::wstring path = Run();
  EXPECT_EQ(plain_after, L"shot");
  EXPECT_EQ(path, t.path() + L"shot.bmp");
  EXPECT_EQ(settings_.GetSaveType(), L".bmp");

  // A listed extension stays, whatever the type; the type chosen is still what is stored.
  Then("first name", [](HWND d) { return !DialogText(d, CDM_GETSPEC).empty(); });
  Then("confirm SHOT.PNG", [&](HWND d) {
    ChooseType(d, L"Jpg files");
    TypeName(d, t.path() + L"SHOT.PNG");
    PressOk(d);
    return true;
  });
  EXPECT_EQ(Run(), t.path() + L"SHOT.PNG");
  EXPECT_EQ(settings_.GetSaveType(), L".jpg");
}

TEST_F(SaveDialogTest, ReplacingAFileIsAskedAboutAlsoForTheCompletedName) {
  TempFolder t;
  const std::wstring x = t.File(L"x.png"), y = t.File(L"y.png");
  std::wstring first_question, second_question, third_question, field_after_no;
  Then("first name", [](HWND d) { return !DialogText(d, CDM_GETSPEC).empty(); });
  Then("confirm an existing name", [&](HWND d) {
    TypeName(d, x);
    PressOk(d);
    return true;
  });
  ThenQuestion("asked about x.png", &first_question, IDNO);
  Then("still open with the name", [&](HWND d) {
    field_after_no = DialogText(d, CDM_GETSPEC);
    TypeName(d, t.path() + L"y");  // PNG is chosen: y.png would be replaced
    PressOk(d);
    return true;
  });
  ThenQuestion("asked about y.png", &second_question, IDNO);
  Then("confirm x.png again", [&](HWND d) {
    TypeName(d, x);
    PressOk(d);
    return true;
  });
  ThenQuestion("asked again", &third_question, IDYES, true);
  EXPECT_EQ(Run(), x);
  EXPECT_EQ(first_question.rfind(L"\u201c" + x + L"\u201d", 0), 0u) << first_question.size();
  EXPECT_EQ(second_question.rfind(L"\u201c" + y + L"\u201d", 0), 0u) << second_question.size();
  EXPECT_NE(field_after_no.find(L"x.png"), std::wstring::npos);
  EXPECT_EQ(settings_.GetSaveType(), L".png");
}
