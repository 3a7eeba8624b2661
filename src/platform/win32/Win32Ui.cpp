#include "platform/win32/Win32Ui.h"

#include <commctrl.h>

#include "platform/win32/Win32Window.h"

namespace win32 {
namespace {

constexpr UINT kRunTasks = WM_APP + 1;
const wchar_t kTaskWindowClass[] = L"PrismelTaskWindow";

// The UI thread's busy scopes, and the message boxes open inside them.
int g_busyDepth = 0;
int g_messageBoxesWhileBusy = 0;
HCURSOR g_cursorBeforeBusy = nullptr;

HCURSOR WaitCursor() { return LoadCursorW(nullptr, IDC_WAIT); }

HWND HandleOf(platform::Window* window) {
  return window != nullptr ? static_cast<Win32Window*>(window)->Handle() : nullptr;
}

}  // namespace

Win32Ui::Win32Ui(HINSTANCE instance) : instance_(instance) {
  // Tasks posted from other threads run in a message-only window: thread
  // messages would be lost inside a dialog's modal loop.
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &Win32Ui::TaskWindowProc;
  windowClass.hInstance = instance_;
  windowClass.lpszClassName = kTaskWindowClass;
  RegisterClassW(&windowClass);
  taskWindow_ = CreateWindowExW(0, kTaskWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                instance_, nullptr);
  SetWindowLongPtrW(taskWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32Ui::~Win32Ui() {
  if (taskWindow_ != nullptr) DestroyWindow(taskWindow_);
}

void Win32Ui::InitCommonControls() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_WIN95_CLASSES;
  InitCommonControlsEx(&controls);
}

int Win32Ui::RunModal(int templateId, platform::DialogHandler& handler, platform::Window* owner) {
  Win32Window window(handler);
  const INT_PTR result =
      DialogBoxParamW(instance_, MAKEINTRESOURCEW(templateId), HandleOf(owner), &Win32Window::Proc,
                      reinterpret_cast<LPARAM>(&window));
  return static_cast<int>(result);
}

std::unique_ptr<platform::Window> Win32Ui::CreateModeless(int templateId,
                                                          platform::DialogHandler& handler,
                                                          platform::Window* parent) {
  auto window = std::make_unique<Win32Window>(handler);
  HWND hwnd = CreateDialogParamW(instance_, MAKEINTRESOURCEW(templateId), HandleOf(parent),
                                 &Win32Window::Proc, reinterpret_cast<LPARAM>(window.get()));
  if (hwnd == nullptr) return nullptr;
  return window;
}

std::u16string Win32Ui::LoadString(int stringId) {
  const wchar_t* text = nullptr;
  const int length = LoadStringW(instance_, static_cast<UINT>(stringId),
                                 reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || text == nullptr) return {};
  return std::u16string(reinterpret_cast<const char16_t*>(text), static_cast<size_t>(length));
}

bool ShowsWaitCursor() { return g_busyDepth > 0 && g_messageBoxesWhileBusy == 0; }

// A message box waits for the user: meanwhile the pointer is the arrow, and
// the wait cursor comes back after it while the work goes on.
void Win32Ui::ShowMessageBox(platform::Window* owner, const std::u16string& text) {
  const bool busy = g_busyDepth > 0;
  if (busy) {
    ++g_messageBoxesWhileBusy;
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  }
  MessageBoxW(HandleOf(owner), reinterpret_cast<const wchar_t*>(text.c_str()), L"", MB_OK);
  if (busy) {
    --g_messageBoxesWhileBusy;
    if (g_busyDepth > 0) SetCursor(WaitCursor());
  }
}

// The work runs on the UI thread, which handles no message meanwhile: the
// cursor is set here, and the windows keep it while the mouse moves over
// them (WM_SETCURSOR, Win32Window).
void Win32Ui::BeginBusy() {
  if (g_busyDepth++ == 0) g_cursorBeforeBusy = SetCursor(WaitCursor());
}

void Win32Ui::EndBusy() {
  if (g_busyDepth == 0 || --g_busyDepth > 0) return;
  SetCursor(g_cursorBeforeBusy != nullptr ? g_cursorBeforeBusy : LoadCursorW(nullptr, IDC_ARROW));
  g_cursorBeforeBusy = nullptr;
}

void Win32Ui::Post(std::function<void()> task) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  PostMessageW(taskWindow_, kRunTasks, 0, 0);
}

void Win32Ui::RunPostedTasks() {
  for (;;) {
    std::function<void()> task;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (tasks_.empty()) return;
      task = std::move(tasks_.front());
      tasks_.pop_front();
    }
    task();
  }
}

LRESULT CALLBACK Win32Ui::TaskWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunTasks) {
    auto* self = reinterpret_cast<Win32Ui*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self != nullptr) {
      try {
        self->RunPostedTasks();
      } catch (...) {
        // No exception crosses into the window manager.
      }
    }
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace win32
