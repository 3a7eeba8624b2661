// The window contract on real windows: the product's Win32 platform, the
// dialogs of the .rc, and what a user does as the messages the controls
// send and receive for it. Names are read through the accessibility
// interface and tips from the tip control, as other programs read them.
#include "contract/ContractPlatform.h"
#include "platform/win32/Win32Ui.h"
#include "platform/win32/Win32Window.h"
#include "win32/support/RecordingDialog.h"

#include <commctrl.h>
// After the platform's headers, which keep the Windows macros from renaming
// its methods.
#include <oleacc.h>

namespace contract {
namespace {

using win32_test::Handle;
using win32_test::HandleWaitingMessages;

HWND Control(platform::Window& w, int id) {
  return id == platform::kWholeWindow ? Handle(w) : GetDlgItem(Handle(w), id);
}

// Ctrl down or up, as the thread's keyboard state says.
void HoldControl(bool held) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = held ? 0x80 : 0;
  SetKeyboardState(keys);
}

class Win32Contract : public ContractPlatform {
 public:
  Win32Contract() {
    (void)CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ui_.InitCommonControls();
  }
  ~Win32Contract() override { CoUninitialize(); }
  platform::Ui& Ui() override { return ui_; }

  void Click(platform::Window& w, int id) override { SendMessageW(Control(w, id), BM_CLICK, 0, 0); }
  // The list sets its selection and tells its dialog.
  void Select(platform::Window& w, int id, int index) override {
    SendMessageW(Control(w, id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(Handle(w), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Control(w, id)));
  }
  void SlideToEnd(platform::Window& w, int id, bool end) override {
    SendMessageW(Control(w, id), WM_KEYDOWN, end ? VK_END : VK_HOME, 0);
  }
  // Queued as the system queues a key, with the caret at the end of a field.
  void PressKey(platform::Window& w, int focusId, int key) override {
    HandleWaitingMessages();
    SetFocus(Control(w, focusId));
    HWND focus = GetFocus();
    const int end = GetWindowTextLengthW(focus);
    if (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
      SendMessageW(focus, EM_SETSEL, static_cast<WPARAM>(end), end);
    }
    win32_test::PressKey(focus, static_cast<WPARAM>(key));
  }
  void MoveToDpi(platform::Window& w, int dpi) override {
    win32_test::MoveToDpi(Handle(w), w.Dpi(), dpi);
  }
  void ListKey(platform::Window& w, int id, int key, bool control) override {
    HoldControl(control);
    SendMessageW(Control(w, id), WM_KEYDOWN, static_cast<WPARAM>(key), 0);
    SendMessageW(Control(w, id), WM_KEYUP, static_cast<WPARAM>(key), 0);
    HoldControl(false);
  }
  // The drag begins as the list view reports it and ends with the button
  // released over the top of the item it goes before (the bottom of the
  // last item for the end); the contract's items lie one under the other.
  void ListDrag(platform::Window& w, int id, int item, int place) override {
    HWND list = Control(w, id);
    NMLISTVIEW begin{};
    begin.hdr = NMHDR{list, static_cast<UINT_PTR>(id), static_cast<UINT>(LVN_BEGINDRAG)};
    begin.iItem = item;
    SendMessageW(Handle(w), WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&begin));
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    const RECT bounds = win32_test::ItemBounds(list, place < count ? place : count - 1);
    const int x = (bounds.left + bounds.right) / 2;
    const LPARAM point = MAKELPARAM(x, place < count ? bounds.top + 2 : bounds.bottom - 3);
    SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, point);
    SendMessageW(list, WM_LBUTTONUP, 0, point);
  }

  // The children in Tab's order (their z-order) that have WS_TABSTOP.
  std::vector<int> TabStops(platform::Window& w) override {
    std::vector<int> stops;
    for (HWND child = GetWindow(Handle(w), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      if (GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) stops.push_back(GetDlgCtrlID(child));
    }
    return stops;
  }
  std::u16string AccessibleName(platform::Window& w, int id) override {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(Control(w, id), static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object)))) {
      return u"(no accessible object)";
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    const std::wstring text =
        SUCCEEDED(object->get_accName(self, &name)) && name != nullptr ? name : L"";
    SysFreeString(name);
    object->Release();
    return std::u16string(text.begin(), text.end());
  }
  std::u16string ToolTip(platform::Window& w, int id) override {
    HWND tips = static_cast<win32::Win32Window&>(w).ToolTipControl();
    wchar_t text[80] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = Handle(w);
    tool.uId = reinterpret_cast<UINT_PTR>(Control(w, id));
    tool.lpszText = text;
    if (tips != nullptr) SendMessageW(tips, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    return std::u16string(text, text + lstrlenW(text));
  }
  // The mouse moving over the window asks it for the pointer.
  bool ShowsWaitCursor(platform::Window& w) override {
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    SendMessageW(Handle(w), WM_SETCURSOR, reinterpret_cast<WPARAM>(Handle(w)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor() == LoadCursorW(nullptr, IDC_WAIT);
  }

 private:
  win32::Win32Ui ui_{GetModuleHandleW(nullptr)};
};

}  // namespace

std::unique_ptr<ContractPlatform> MakeContractPlatform() {
  return std::make_unique<Win32Contract>();
}

}  // namespace contract
