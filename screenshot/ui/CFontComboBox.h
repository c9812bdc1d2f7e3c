// CFontComboBox: the text bar's drop list of every installed font family, each name drawn in its
// own face, with up to four recently chosen faces kept at the top.
//
// The catalogue is built by a thread of its own that starts when the object is constructed: it
// enumerates the font families, leaves out vertical variants ("@") and hidden faces, sorts them
// by name and measures each name (the known-face table spares most of that), then signals a
// manual-reset ready event. The first Open waits for it, so a list constructed with the text bar
// opens at once. The popup (a layered tool window owned by the owner window) is made on the
// first Open, hidden by Hide and destroyed with its owner; a new popup starts without recent
// faces. While shown the list is a message filter that hides it on any press meant for another
// window of the thread (it registers after its owner bar, whose own filter thus sees a press on
// the bar's button first).
//
// Rows are in-place buttons (ids 1000 + row); a click on a row hides the list, moves the face to
// the recent section and calls OnFontSelected. The wheel, the scroll bar's arrows (with
// auto-repeat), track and thumb scroll the rows.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "screenshot/base/ScopedWin.h"
#include "screenshot/base/geometry.h"
#include "screenshot/base/message_map.h"
#include "screenshot/ui/CDropListWindow.h"
#include "screenshot/ui/font_faces.h"

class LayeredSurface;
struct FontCatalogJob;

// One row of the font list.
struct FontListEntry {
  int width = 0;        // the name drawn in its own face, pixels
  int height = 0;       // that drawing's height (at least the interface font's, kinds 1 and 2)
  LOGFONTW font = {};   // the face as enumerated, height -18 and width 9
  int extra_width = 0;  // kinds 1 and 2: room of the name in the interface font
  FaceKind kind = FaceKind::kNormal;
};

class CFontComboBox : public CDropListWindow<CFontComboBox> {
 public:
  // Takes every face the system reports (one call per face and character set, as
  // EnumFontFamiliesExW reports them); false asks the source to stop.
  using FaceReporter = std::function<bool(const LOGFONTW& face)>;
  // Reports the faces to list, given the thread's measuring device context.
  using FaceSource = std::function<void(HDC dc, const FaceReporter& report)>;

  // How long destruction waits for a catalogue thread that is still running.
  static constexpr DWORD kJoinTimeoutMs = 30000;

  // Starts building the catalogue of the system's fonts at once.
  CFontComboBox();
  // The same from |source| instead of the system's enumeration (a test's own faces).
  explicit CFontComboBox(FaceSource source);
  // Destroys the popup, asks the thread to stop and waits up to 30 s for it. A thread stuck
  // longer is left to finish on its own: it owns what it works on, and it is never killed (that
  // could leave a lock of the process held for ever).
  ~CFontComboBox() override;

  // Shows the list below |anchor| (the font button, screen coordinates) with the first entry
  // named exactly |face| selected (the selection stays when none is). Waits for the catalogue on
  // the first call. False when the popup cannot be made.
  bool Open(const RECT& anchor, const wchar_t* face);

  // Slot 6: a face was chosen; |font| is its entry's LOGFONTW (height -18, width 9). The list is
  // hidden already; the owner applies the face (the text bar: OnFontFaceChanged).
  virtual void OnFontSelected(const LOGFONTW& font);

  // Waits up to |timeout_ms| for the catalogue; true once it is there.
  bool WaitUntilReady(DWORD timeout_ms);

  // ---- state, as the owner and the tests see it ----
  // The entries in display order (empty before the catalogue is ready).
  const std::vector<FontListEntry>& entries() const { return entries_; }
  int recent_count() const { return recent_count_; }
  int content_width() const { return content_width_; }
  Size window_size() const { return window_size_; }
  // Row |r| in client coordinates (empty when there is no such row).
  Rect row_rect(int r) const;
  bool scroll_bar_visible() const;
  Rect scroll_bar_rect() const { return scroll_rect_; }
  // Composes the list as it is presented.
  bool Compose(LayeredSurface& surface);

  BEGIN_MSG_MAP(CFontComboBox)
  MESSAGE_HANDLER(WM_COMMAND, OnCommand)
  MESSAGE_HANDLER(WM_LBUTTONDBLCLK, OnDoubleClick)
  CHAIN_MSG_MAP(CDropListWindow)
  END_MSG_MAP()

 private:
  friend class CDropListWindow<CFontComboBox>;  // calls OnScrolled

  void StartCatalogue(FaceSource source);
  // Takes the thread's entries once they are ready (waiting up to |timeout_ms|).
  bool TakeCatalogue(DWORD timeout_ms);
  bool CreatePopup();
  // Sizes the list and the scroll bar for the entries.
  void LayoutList();
  // Rebuilds the row buttons from the first visible entry.
  void LayoutRows();
  void OnScrolled() { LayoutRows(); }
  void Choose(int row);

  LRESULT OnCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  // The window class reports a quick second click as a double click: on a row it is a press.
  LRESULT OnDoubleClick(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

  std::shared_ptr<FontCatalogJob> job_;  // shared with the catalogue thread
  ScopedHandle thread_;
  bool catalogue_taken_ = false;
  ScopedFont interface_font_;

  std::vector<FontListEntry> entries_;
  int recent_count_ = 0;
  int content_width_ = 0;
  Size window_size_;
  Rect items_;
  Rect scroll_rect_;
};
