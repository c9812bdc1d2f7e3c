// CFontComboBox's catalogue: the thread that enumerates, sorts and measures the font families.
#include <algorithm>
#include <atomic>
#include <map>
#include <string>

#include "screenshot/diagnostics/debug_log_win.h"
#include "screenshot/ui/CFontComboBox.h"
#include "screenshot/ui/drop_list_paint_win.h"

// What a list and its catalogue thread share. The thread holds its own reference, so a thread
// that outlives its list still writes only here.
struct FontCatalogJob {
  CFontComboBox::FaceSource source;
  LOGFONTW interface_font = {};  // the thread makes its own font from it
  std::atomic<bool> cancel{false};
  std::atomic<bool> done{false};
  ScopedHandle ready;  // manual reset, signalled when |entries| is complete
  std::vector<FontListEntry> entries;
  int content_width = 0;
};

namespace {

int CALLBACK ReportFace(const LOGFONTW* face, const TEXTMETRICW*, DWORD, LPARAM param) {
  const auto& report = *reinterpret_cast<const CFontComboBox::FaceReporter*>(param);
  return face && report(*face) ? 1 : 0;
}

// Every family the system has, every character set: the stock GUI font with its face cleared.
void EnumerateSystemFaces(HDC dc, const CFontComboBox::FaceReporter& report) {
  LOGFONTW lf = {};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
  lf.lfFaceName[0] = L'\0';
  lf.lfCharSet = DEFAULT_CHARSET;
  ::EnumFontFamiliesExW(dc, &lf, &ReportFace, reinterpret_cast<LPARAM>(&report), 0);
}

SIZE MeasureName(HDC dc, HFONT font, const wchar_t* name) {
  RECT r = {0, 0, 0, 0};
  if (!dc || !font) return SIZE{0, 0};
  ScopedSelectObject select(dc, font);
  ::DrawTextW(dc, name, -1, &r, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// One record per face (ordinal order), then an entry for every face that is not hidden.
std::vector<FontListEntry> CollectFaces(FontCatalogJob& job, HDC dc) {
  std::map<std::wstring, LOGFONTW> faces;
  const CFontComboBox::FaceReporter report = [&](const LOGFONTW& reported) {
    if (job.cancel) return false;
    LOGFONTW lf = reported;
    lf.lfFaceName[LF_FACESIZE - 1] = L'\0';  // a name that fills the field stays bounded
    AddReportedFace(faces, lf.lfFaceName, lf.lfCharSet, lf);
    return true;
  };
  job.source(dc, report);

  std::vector<FontListEntry> entries;
  entries.reserve(faces.size());
  for (const auto& face : faces) {
    const FaceKind kind = SpecialFaceKind(face.first.c_str());
    if (kind == FaceKind::kHidden) continue;
    FontListEntry e;
    e.font = face.second;
    e.font.lfHeight = -18;
    e.font.lfWidth = 9;
    e.kind = kind;
    entries.push_back(e);
  }
  return entries;
}

// Sizes every entry: from the known-face table when it has the face in the same character set,
// else by drawing the name in the face; the special kinds also in the interface font.
void MeasureFaces(FontCatalogJob& job, HDC dc, std::vector<FontListEntry>& entries) {
  ScopedFont interface_font(::CreateFontIndirectW(&job.interface_font));
  int content = 0;
  for (FontListEntry& e : entries) {
    if (job.cancel) break;
    const wchar_t* name = e.font.lfFaceName;
    SIZE own = {0, 0};
    if (const KnownFaceMetrics* known = FindKnownFace(name, e.font.lfCharSet)) {
      own = {known->width, known->height};
    } else {
      ScopedFont font(::CreateFontIndirectW(&e.font));
      own = MeasureName(dc, font.get(), name);  // 0 x 0 when the font cannot be made
    }
    SIZE in_interface = {0, 0};
    if (e.kind == FaceKind::kNameAndSample || e.kind == FaceKind::kNameOnly)
      in_interface = MeasureName(dc, interface_font.get(), name);
    const FaceRowSize size = RowSizeFor(e.kind, own.cx, own.cy, in_interface.cx, in_interface.cy);
    e.width = size.width;
    e.height = size.height;
    e.extra_width = size.extra_width;
    content = std::max(content, e.width + e.extra_width);
  }
  job.content_width = content;
}

void BuildCatalogue(FontCatalogJob& job) {
  ScopedDC dc(NewMemoryDC());
  if (!dc)
    diag::Log(diag::kLogError, L"CreateCompatibleDC [fonts] Failed [%08X]", ::GetLastError());
  std::vector<FontListEntry> entries = CollectFaces(job, dc.get());
  MeasureFaces(job, dc.get(), entries);
  job.entries = std::move(entries);
}

DWORD WINAPI CatalogueThread(void* param) {
  std::unique_ptr<std::shared_ptr<FontCatalogJob>> hold(
      static_cast<std::shared_ptr<FontCatalogJob>*>(param));
  FontCatalogJob& job = **hold;
  BuildCatalogue(job);
  job.done = true;
  ::SetEvent(job.ready.get());
  return 0;
}

}  // namespace

CFontComboBox::CFontComboBox() : CFontComboBox(FaceSource(&EnumerateSystemFaces)) {}

CFontComboBox::CFontComboBox(FaceSource source) : CDropListWindow(L"font list") {
  const LOGFONTW ui = DropListInterfaceFont();
  interface_font_.Reset(::CreateFontIndirectW(&ui));
  StartCatalogue(source ? std::move(source) : FaceSource(&EnumerateSystemFaces));
}

void CFontComboBox::StartCatalogue(FaceSource source) {
  job_ = std::make_shared<FontCatalogJob>();
  job_->source = std::move(source);
  job_->interface_font = DropListInterfaceFont();
  job_->ready.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (job_->ready) {
    auto* hold = new std::shared_ptr<FontCatalogJob>(job_);
    thread_.Reset(::CreateThread(nullptr, 0, &CatalogueThread, hold, 0, nullptr));
    if (thread_) return;
    delete hold;
  }
  // No thread (or no event to wait on): build the catalogue here rather than never.
  diag::Log(diag::kLogError, L"CreateThread [fonts] Failed [%08X]", ::GetLastError());
  BuildCatalogue(*job_);
  job_->done = true;
  if (job_->ready) ::SetEvent(job_->ready.get());
}

CFontComboBox::~CFontComboBox() {
  DestroyPopup();
  if (job_) job_->cancel = true;
  if (thread_ && ::WaitForSingleObject(thread_.get(), kJoinTimeoutMs) != WAIT_OBJECT_0)
    diag::Log(diag::kLogError, L"WaitForSingleObject [fonts] Failed [%08X]", ::GetLastError());
}

bool CFontComboBox::WaitUntilReady(DWORD timeout_ms) { return TakeCatalogue(timeout_ms); }

bool CFontComboBox::TakeCatalogue(DWORD timeout_ms) {
  if (catalogue_taken_) return true;
  if (!job_->done) {
    if (!job_->ready || ::WaitForSingleObject(job_->ready.get(), timeout_ms) != WAIT_OBJECT_0)
      return false;
  }
  // The thread does not touch the entries once they are ready.
  entries_ = std::move(job_->entries);
  content_width_ = job_->content_width;
  catalogue_taken_ = true;
  return true;
}

void CFontComboBox::OnFontSelected(const LOGFONTW&) {}
