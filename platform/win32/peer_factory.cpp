// The one place that maps a framework kind to its native window class.
// Adding a kind: its class in a file of its own, and its case here.
#include <memory>
#include <utility>

#include "platform/win32/application_window.h"
#include "platform/win32/button.h"
#include "platform/win32/check_button.h"
#include "platform/win32/combo_box.h"
#include "platform/win32/custom_control.h"
#include "platform/win32/edit.h"
#include "platform/win32/form.h"
#include "platform/win32/group_box.h"
#include "platform/win32/header.h"
#include "platform/win32/label.h"
#include "platform/win32/list_box.h"
#include "platform/win32/page_control.h"
#include "platform/win32/panel.h"
#include "platform/win32/scroll_box.h"
#include "platform/win32/tab_sheet.h"
#include "platform/win32/win32_windows.h"

namespace platform::win32 {

namespace {

template <class Kind, class... Extra>
std::unique_ptr<WindowPeer> Make(Win32Windows& windows, const PeerParams& params, PeerEvents& events,
                                 Extra&&... extra) {
  auto peer = std::make_unique<Kind>(windows, params, events, std::forward<Extra>(extra)...);
  if (!peer->Create(params)) return nullptr;
  return peer;
}

}  // namespace

std::unique_ptr<WindowPeer> Win32Windows::CreatePeer(const PeerParams& params, PeerEvents& events) {
  switch (params.kind) {
    case PeerKind::kApplicationWindow:
      return Make<Win32ApplicationWindow>(*this, params, events);
    case PeerKind::kForm:
      return Make<Win32Form>(*this, params, events);
    case PeerKind::kButton:
      return Make<Win32Button>(*this, params, events);
    case PeerKind::kCheckBox:
      return Make<Win32CheckButton>(*this, params, events, DWORD{BS_CHECKBOX});
    case PeerKind::kRadioButton:
      return Make<Win32CheckButton>(*this, params, events, DWORD{BS_RADIOBUTTON});
    case PeerKind::kGroupBox:
      return Make<Win32GroupBox>(*this, params, events);
    case PeerKind::kEdit:
      return Make<Win32Edit>(*this, params, events);
    case PeerKind::kLabel:
      return Make<Win32Label>(*this, params, events);
    case PeerKind::kPanel:
      return Make<Win32Panel>(*this, params, events);
    case PeerKind::kPageControl:
      return Make<Win32PageControl>(*this, params, events);
    case PeerKind::kTabSheet:
      return Make<Win32TabSheet>(*this, params, events);
    case PeerKind::kScrollBox:
      return Make<Win32ScrollBox>(*this, params, events);
    case PeerKind::kHeader:
      return Make<Win32Header>(*this, params, events);
    case PeerKind::kListBox:
      return Make<Win32ListBox>(*this, params, events);
    case PeerKind::kComboBox:
      return Make<Win32ComboBox>(*this, params, events);
    case PeerKind::kCustom:
      return Make<Win32CustomControl>(*this, params, events);
  }
  return nullptr;  // a kind this platform does not know
}

}  // namespace platform::win32
