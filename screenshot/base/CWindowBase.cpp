// CWindowBase: a C++ object attached to a real Win32 window by subclassing.
#include "screenshot/base/CWindowBase.h"

namespace {

// The property that links a window to its object.
const wchar_t kObjectProp[] = L"CORVANEJP_IME_HANDWRITING_PROP_NAME";

ModuleRecord g_module;

}  // namespace

CWindowBase::CWindowBase() : module_(&g_module) {}

CWindowBase::~CWindowBase() = default;

int CWindowBase::FilterMessage(MSG*) { return 0; }

LRESULT CWindowBase::DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == WM_NCDESTROY) return 0;
  return ::CallWindowProcW(prev_proc_, m_hWnd, uMsg, wParam, lParam);
}

void CWindowBase::OnFinalMessage(HWND) {}

BOOL CWindowBase::Attach(HWND hWnd) {
  final_message_pending_ = 0;
  in_dispatch_ = 0;
  m_hWnd = hWnd;
  ::SetPropW(hWnd, kObjectProp, this);
  prev_proc_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticWindowProc)));
  return TRUE;
}

void CWindowBase::SetModule(HINSTANCE instance) {
  g_module.instance = instance;
  g_module.resource_instance = instance;
}

const ModuleRecord& CWindowBase::Module() { return g_module; }

CWindowBase* CWindowBase::FromHandle(HWND hWnd) {
  return static_cast<CWindowBase*>(::GetPropW(hWnd, kObjectProp));
}

LRESULT CALLBACK CWindowBase::StaticWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  CWindowBase* self = FromHandle(hWnd);
  if (!self) return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);

  const BYTE outer_in_dispatch = self->in_dispatch_;
  self->in_dispatch_ = 1;
  LRESULT result = 0;
  if (uMsg == WM_NCDESTROY) {
    self->final_message_pending_ = 1;
    LRESULT ignored = 0;
    self->ProcessWindowMessage(hWnd, uMsg, wParam, lParam, ignored, 0);
    const WNDPROC prev = self->prev_proc_;
    result = ::CallWindowProcW(prev, hWnd, uMsg, wParam, lParam);
    // Unsubclass unless someone subclassed on top of us meanwhile.
    if (::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&StaticWindowProc))
      ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(prev));
  } else if (!self->ProcessWindowMessage(hWnd, uMsg, wParam, lParam, result, 0)) {
    result = self->DefWindowProc(uMsg, wParam, lParam);
  }
  self->in_dispatch_ = outer_in_dispatch;

  // The final message is delivered when the outermost dispatch of the window returns, so that a
  // handler that destroyed its own window never runs on with a deleted object.
  if (self->final_message_pending_ && !outer_in_dispatch) {
    self->final_message_pending_ = 0;
    self->m_hWnd = nullptr;
    ::RemovePropW(hWnd, kObjectProp);
    self->OnFinalMessage(hWnd);
  }
  return result;
}
