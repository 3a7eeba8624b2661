// The reference data source: creates the data source's window, starts
// Prismel.exe with ";TITLE;" on its command line, plays a scenario, logs
// every record it receives and exits when Prismel exits.
//
//   RefDataSource.exe [--title T] [--prismel PATH] [--log FILE]
//                     [--answer 212|211|none] [--copies FOLDER] [--script FILE]
//                     [--tips] [--env NAME=VALUE ...] [STEP ...]
//
// Each --env sets a variable of the environment Prismel is started with (a
// temp folder through TMP and TEMP, say: Wine takes those from its own
// registry, not from the environment of the Unix process).
//
// With --copies, every file a 208 record names is copied into FOLDER under
// its own name when the record arrives, so that it can be read after
// Prismel has cleaned up.
//
// Prismel's tips are kept from showing once it has connected, unless --tips
// is given: the pointer of a virtual display rests at its centre, where the
// live picture's tip would cover what a screenshot is to show (and, under
// Wine without a window manager, push the merge preview behind the window).
//
// Exit codes: 0 done, 1 bad arguments, 2 Prismel could not be started or
// never opened its receiving window, 3 Prismel did not exit in time.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "AccessReads.h"
#include "HostileRecords.h"
#include "ProcessResources.h"
#include "ProcessWindows.h"
#include "RecordLog.h"
#include "Scenario.h"
#include "Session.h"
#include "WaitSteps.h"
#include "TextFit.h"
#include "dslink/DSMessageRecord.h"
#include "kelpra/KelpraRemoteHooks.h"

State g_state;

namespace {

constexpr UINT kSendBatchAnswer = WM_APP + 1;

struct Options {
  std::wstring title = L"TWAINDSWINDOWS";
  std::wstring prismel;  // default: Prismel.exe beside this program
  std::wstring logPath;
  int batchAnswer = 212;  // 0: no answer
  std::wstring copiesFolder;
  std::vector<std::wstring> steps;
  bool tips = false;
  std::vector<std::wstring> environment;  // NAME=VALUE for Prismel
};

bool SendBlock(uint32_t kind, const void* data, uint32_t size) {
  HWND target = ReceivingWindow();
  if (target == nullptr) {
    g_state.log->Event("not-sent", "no receiving window");
    return false;
  }
  COPYDATASTRUCT copyData{kind, size, const_cast<void*>(data)};
  SendMessageW(target, WM_COPYDATA, reinterpret_cast<WPARAM>(g_state.window),
               reinterpret_cast<LPARAM>(&copyData));
  return true;
}

bool SendCode(uint32_t kind, int32_t code, const std::wstring& text) {
  const DSMessageRecord record =
      MakeDSMessageRecord(code, std::u16string(text.begin(), text.end()));
  return SendBlock(kind, &record, sizeof record);
}

void CopyReceivedFile(const std::wstring& path) {
  const size_t nameStart = path.find_last_of(L"\\/");
  const std::wstring name = nameStart == std::wstring::npos ? path : path.substr(nameStart + 1);
  const std::wstring copy = g_state.copiesFolder + L"\\" + name;
  if (!CopyFileW(path.c_str(), copy.c_str(), FALSE)) {
    g_state.log->Event("copy-failed", Narrow(path));
  }
}

void OnRecord(const COPYDATASTRUCT& data) {
  const auto message = ReadTextMessage(data.lpData, data.cbData);
  const int32_t code = message ? message->code : 0;
  const std::u16string text = message ? message->text : std::u16string();
  int exists = -1;
  if (code == kDSCodeFile) {
    exists = GetFileAttributesW(reinterpret_cast<const wchar_t*>(text.c_str())) !=
             INVALID_FILE_ATTRIBUTES;
  }
  g_state.log->Record(static_cast<uint32_t>(data.dwData), data.cbData, code, text, exists);
  if (message) g_state.received.push_back({code, text, false});
  if (exists == 1 && !g_state.copiesFolder.empty()) {
    CopyReceivedFile(std::wstring(text.begin(), text.end()));
  }

  if (code == kDSCodeBracket && text == u"BEGIN") g_state.inBatch = true;
  if (code == kDSCodeBracket && text == u"END" && g_state.inBatch) {
    g_state.inBatch = false;
    // Answered after this message has returned, as a real data source would.
    if (g_state.batchAnswer != 0) PostMessageW(g_state.window, kSendBatchAnswer, 0, 0);
  }
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    OnRecord(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    return 1;
  }
  if (message == kSendBatchAnswer) {
    SendCode(kDSKindTextMessage, g_state.batchAnswer, L"");
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

std::wstring RectText(const RECT& rect) {
  return std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top) + L"," +
         std::to_wstring(rect.right) + L"," + std::to_wstring(rect.bottom);
}

// Selects item INDEX of list view ID, right-clicks it and chooses entry
// ENTRY of the context menu that opens.
bool RunListMenuStep(const std::vector<std::wstring>& args) {
  HWND window = TargetWindow();
  HWND list = window != nullptr ? GetDlgItem(window, _wtoi(args[0].c_str())) : nullptr;
  POINT centre{};
  const int item = _wtoi(args[1].c_str());
  if (list == nullptr || !ListViewItemCentre(g_state.process, list, item, centre)) return false;
  ClickThenRightClick(list, centre);
  HWND menu = nullptr;
  if (!PumpUntil(
          [&] {
            menu = VisibleWindowOf(g_state.processId, L"#32768", nullptr);
            return menu != nullptr;
          },
          kStartTimeoutMs)) {
    return false;
  }
  ChooseMenuEntry(menu, _wtoi(args[2].c_str()));
  return true;
}

// Waits for a message box of Prismel (a dialog without caption), logs its
// text and presses its OK.
bool RunMessageBoxStep() {
  HWND box = nullptr;
  if (!PumpUntil(
          [&] {
            box = VisibleWindowOf(g_state.processId, L"#32770", L"");
            return box != nullptr;
          },
          kExitTimeoutMs)) {
    return false;
  }
  // 0xFFFF: the message text's static control in a message box.
  wchar_t text[512] = {};
  SendMessageW(GetDlgItem(box, 0xFFFF), WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  g_state.log->Read("msgbox", std::u16string(text, text + wcslen(text)));
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  g_state.log->Event("msgbox-ok");
  return true;
}

// Gives control ID of the chosen window the keyboard focus and types the
// keys VK[+VK...] there through the system's keyboard input. The keyboard
// goes to the foreground window: the chosen window becomes it first.
bool RunInputKeyStep(const std::vector<std::wstring>& args) {
  HWND window = TargetWindow();
  HWND control = window != nullptr ? GetDlgItem(window, _wtoi(args[0].c_str())) : nullptr;
  if (control == nullptr) return false;
  std::vector<WORD> keys;
  for (size_t start = 0; start <= args[1].size();) {
    const size_t plus = args[1].find(L'+', start);
    const size_t end = plus == std::wstring::npos ? args[1].size() : plus;
    keys.push_back(static_cast<WORD>(_wtoi(args[1].substr(start, end - start).c_str())));
    start = end + 1;
  }
  (void)SetForegroundWindow(window);
  if (!PumpUntil([&] { return GetForegroundWindow() == window; }, kStartTimeoutMs)) {
    g_state.log->Event("inputkey", "the window never came to the foreground");
    return false;
  }
  SendMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  if (!PumpUntil([&] { return FocusOf(window) == control; }, kStartTimeoutMs)) {
    g_state.log->Event("inputkey", "the control never had the focus");
    return false;
  }
  return TypeKeys(keys);
}

// The steps that act on any window of Prismel, such as an option dialog.
bool RunDialogStep(const Step& step) {
  const auto& args = step.arguments;
  if (step.verb == L"window") {
    g_state.target = args[0];
    // A dialog exists before its controls do; it shows once they are made
    // and initialised.
    return PumpUntil(
        [] {
          HWND window = TargetWindow();
          return window != nullptr && IsWindowVisible(window);
        },
        kStartTimeoutMs);
  }
  if (step.verb == L"listmenu") return RunListMenuStep(args);
  if (step.verb == L"msgbox") return RunMessageBoxStep();
  if (step.verb == L"waitrecord") return RunWaitRecordStep(args);
  if (step.verb == L"waitcount") return RunWaitCountStep(args);
  if (step.verb == L"settle") return RunSettleStep();
  if (step.verb == L"waitframes") return RunWaitFramesStep();
  if (step.verb == L"waitselected") return RunWaitSelectedStep(args);
  if (step.verb == L"inputkey") return RunInputKeyStep(args);
  if (step.verb == L"waitcalls") return RunWaitCallsStep(args);
  if (step.verb == L"visible") {
    HWND window = TargetWindow();
    if (window == nullptr) return false;
    g_state.log->Read("visible", IsWindowVisible(window) ? u"1" : u"0");
    return true;
  }
  if (step.verb == L"state") {
    HWND window = TargetWindow();
    HWND control = window != nullptr ? GetDlgItem(window, _wtoi(args[0].c_str())) : nullptr;
    if (control == nullptr) return false;
    const bool checked = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    const std::wstring text = std::wstring(L"checked=") + (checked ? L"1" : L"0") +
                              L" enabled=" + (IsWindowEnabled(control) ? L"1" : L"0");
    g_state.log->Read(Narrow(L"state:" + args[0]), Wide16(text));
    return true;
  }
  if (step.verb == L"focused") {
    HWND window = TargetWindow();
    HWND focus = window != nullptr ? FocusOf(window) : nullptr;
    g_state.log->Read("focused", Wide16(std::to_wstring(focus != nullptr ? GetDlgCtrlID(focus) : 0)));
    return focus != nullptr;
  }
  if (step.verb == L"layout") {
    HWND window = TargetWindow();
    if (window == nullptr) return false;
    for (const std::wstring& line : LayoutOf(window)) g_state.log->Read("layout", Wide16(line));
    return true;
  }
  if (step.verb == L"waitmenu") {
    return PumpUntil([] { return VisibleWindowOf(g_state.processId, L"#32768", nullptr) != nullptr; },
                     kStartTimeoutMs);
  }
  if (step.verb == L"menukey") {
    // The pop-up menu's own window class; the menu's loop reads the key.
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu == nullptr) return false;
    PostMessageW(menu, WM_KEYDOWN, static_cast<WPARAM>(_wtoi(args[0].c_str())), 0);
    return true;
  }
  HWND window = TargetWindow();
  const int id = _wtoi(args[0].c_str());
  // presskey:0 presses the key where the focus is.
  const bool atFocus = step.verb == L"presskey" && id == 0;
  HWND control = window == nullptr ? nullptr : atFocus ? FocusOf(window) : GetDlgItem(window, id);
  if (control == nullptr) return false;
  if (step.verb == L"type") {
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[1].c_str()));
    return true;
  }
  if (step.verb == L"pick") {
    const LRESULT index =
        SendMessageW(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(args[1].c_str()));
    if (index == CB_ERR) return false;
    SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(control));
    return true;
  }
  if (step.verb == L"key") {
    const WPARAM key = static_cast<WPARAM>(_wtoi(args[1].c_str()));
    SendMessageW(control, WM_KEYDOWN, key, 0);
    SendMessageW(control, WM_KEYUP, key, 0);
    return true;
  }
  if (step.verb == L"presskey") {
    // The dialog moves the focus itself, as Tab does; the key then goes
    // through Prismel's queue, where its message loop sees it first.
    if (!atFocus) SendMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    const WPARAM key = static_cast<WPARAM>(_wtoi(args[1].c_str()));
    const LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(key), 0)) << 16;
    PostMessageW(control, WM_KEYDOWN, key, scanCode | 1);
    PostMessageW(control, WM_KEYUP, key, scanCode | 1 | (LPARAM{1} << 30) | (LPARAM{1} << 31));
    return true;
  }
  if (step.verb == L"accname" || step.verb == L"tooltip") {
    HWND shown = WindowShownOver(window, control);
    if (shown == nullptr) return false;
    std::wstring text;
    if (step.verb == L"accname") {
      text = AccessibleNameOf(shown);
    } else if (!ToolTipOf(g_state.process, g_state.processId, shown, text)) {
      text = L"(none)";
    }
    g_state.log->Read(Narrow(step.verb + L":" + args[0]), Wide16(text));
    return true;
  }
  return false;
}

// Sends the hostile records of step hostile:COUNT:SEED.
bool RunHostileStep(const std::vector<std::wstring>& args) {
  std::mt19937 random(static_cast<uint32_t>(_wtoi(args[1].c_str())));
  const long count = _wtol(args[0].c_str());
  long sent = 0, probes = 0, scanSettings = 0, unsent = 0;
  g_state.log->Event("hostile-start");
  for (long i = 0; i < count; ++i) {
    const HostileRecord record = NextHostileRecord(random);
    const bool toReceiver = i % 2 == 0;
    HWND target = toReceiver ? ReceivingWindow() : FindWindowW(nullptr, kCaptureWindow);
    if (target == nullptr) {
      ++unsent;
      continue;
    }
    COPYDATASTRUCT copyData{record.kind, static_cast<DWORD>(record.data.size()),
                            record.data.empty() ? nullptr : const_cast<uint8_t*>(record.data.data())};
    SendMessageW(target, WM_COPYDATA, reinterpret_cast<WPARAM>(g_state.window),
                 reinterpret_cast<LPARAM>(&copyData));
    ++sent;
    if (toReceiver && record.kind == kDSKindTextMessage && record.hasCode &&
        record.code == kDSCodeConnect) {
      ++probes;
    }
    if (toReceiver && record.kind == kDSKindScanSettings && record.data.size() >= 60) {
      ++scanSettings;
    }
  }
  g_state.log->Event("hostile-end", "sent=" + std::to_string(sent) + " probes=" +
                                        std::to_string(probes) + " settings=" +
                                        std::to_string(scanSettings) + " unsent=" +
                                        std::to_string(unsent));
  return unsent == 0;
}

// Handles messages until the capture window owns a visible dialog with a
// caption, whatever the language calls it; the control steps then act on it.
bool RunDialogOpenStep() {
  HWND dialog = nullptr;
  if (!PumpUntil(
          [&] {
            HWND capture = FindWindowW(nullptr, kCaptureWindow);
            dialog = capture != nullptr ? OwnedDialogWithCaption(capture) : nullptr;
            return dialog != nullptr;
          },
          kStartTimeoutMs)) {
    return false;
  }
  wchar_t caption[256] = {};
  SendMessageW(dialog, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(caption));
  g_state.target = caption;
  return true;
}

// Logs how each text of the chosen window fits its control, measured in the
// font of Prismel's template `templateId`.
bool RunFitStep(const std::wstring& templateId) {
  HWND window = TargetWindow();
  if (window == nullptr) return false;
  std::string error;
  HFONT font = g_state.fonts->FontFor(_wtoi(templateId.c_str()), window, error);
  if (font == nullptr) {
    g_state.log->Event("fit", error);
    return false;
  }
  for (const std::wstring& line : MeasureTexts(window, font)) {
    g_state.log->Read(Narrow(L"fit:" + templateId), Wide16(line));
  }
  return true;
}

// Steps of a process other than the data source: hostile records, the
// resources of Prismel's process, cameras plugged in and taken out of the
// camera library it has loaded, a press that waits for its handler, and
// Prismel's dialogs opened, found, measured and waited for until they close.
bool RunPeerStep(const Step& step, bool& handled) {
  handled = true;
  if (step.verb == L"hostile") return RunHostileStep(step.arguments);
  if (step.verb == L"fit") return RunFitStep(step.arguments[0]);
  if (step.verb == L"dialog") return RunDialogOpenStep();
  if (step.verb == L"closed") {
    const bool gone = PumpUntil([] { return TargetWindow() == nullptr; }, kExitTimeoutMs);
    g_state.target = kCaptureWindow;
    return gone;
  }
  if (step.verb == L"syscommand") {
    HWND capture = FindWindowW(nullptr, kCaptureWindow);
    if (capture == nullptr) return false;
    const WPARAM command = static_cast<WPARAM>(_wtoi(step.arguments[0].c_str()));
    PostMessageW(capture, WM_SYSCOMMAND, command, 0);
    return true;
  }
  if (step.verb == L"resources") {
    g_state.log->Event("resources", DescribeResources(ReadProcessResources(
                                        g_state.process, g_state.processId)));
    return true;
  }
  if (step.verb == L"plug" || step.verb == L"unplug") {
    const bool plug = step.verb == L"plug";
    LRESULT count = 0;
    if (!RunCameraHook(g_state.processId, plug ? kKelpraRemotePlug : kKelpraRemoteUnplug,
                       plug ? 0 : _wtol(step.arguments[0].c_str()), kExitTimeoutMs, count)) {
      g_state.log->Event(Narrow(step.verb), "no camera library window answered");
      return false;
    }
    // The library's device count afterwards, or its failure code.
    g_state.log->Read(Narrow(step.verb), Wide16(std::to_wstring(count)));
    return count >= 0;
  }
  if (step.verb == L"press") {
    HWND window = TargetWindow();
    const int id = _wtoi(step.arguments[0].c_str());
    HWND button = window != nullptr ? GetDlgItem(window, id) : nullptr;
    if (button == nullptr) return false;
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return true;
  }
  handled = false;
  return false;
}

bool RunStep(const Step& step) {
  const auto& args = step.arguments;
  bool handled = false;
  const bool peerResult = RunPeerStep(step, handled);
  if (handled) return peerResult;
  if (step.verb == L"send") {
    return SendCode(kDSKindTextMessage, _wtoi(args[0].c_str()), args.size() > 1 ? args[1] : L"");
  }
  if (step.verb == L"kind") return SendCode(static_cast<uint32_t>(_wtoi(args[0].c_str())), 202, L"");
  if (step.verb == L"settings") {
    DSScanSettings settings;
    settings.pixelType = _wtoi(args[0].c_str());
    settings.resolution = static_cast<float>(_wtof(args[1].c_str()));
    settings.rotation = _wtoi(args[2].c_str());
    settings.autoCrop = static_cast<uint8_t>(_wtoi(args[3].c_str()));
    return SendBlock(kDSKindScanSettings, &settings, sizeof settings);
  }
  if (step.verb == L"wait") {
    PumpUntil([] { return false; }, static_cast<DWORD>(_wtoi(args[0].c_str())));
    return true;
  }
  if (step.verb == L"close" || step.verb == L"click") {
    HWND capture = step.verb == L"close" ? FindWindowW(nullptr, kCaptureWindow) : TargetWindow();
    if (capture == nullptr) return false;
    if (step.verb == L"close") {
      PostMessageW(capture, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else {
      const int id = _wtoi(args[0].c_str());
      PostMessageW(capture, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(capture, id)));
    }
    return true;
  }
  if (step.verb == L"select") {
    HWND capture = TargetWindow();
    const int id = _wtoi(args[0].c_str());
    HWND list = capture != nullptr ? GetDlgItem(capture, id) : nullptr;
    if (list == nullptr) return false;
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(_wtoi(args[1].c_str())), 0);
    SendMessageW(capture, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    return true;
  }
  if (step.verb == L"dropdown") {
    HWND capture = TargetWindow();
    HWND list = capture != nullptr ? GetDlgItem(capture, _wtoi(args[0].c_str())) : nullptr;
    if (list == nullptr) return false;
    PostMessageW(list, CB_SHOWDROPDOWN, TRUE, 0);
    return true;
  }
  if (step.verb == L"text" || step.verb == L"statustext") {
    HWND capture = TargetWindow();
    if (capture == nullptr) return false;
    HWND control = step.verb == L"text"
                       ? GetDlgItem(capture, _wtoi(args[0].c_str()))
                       : FindWindowExW(capture, nullptr, L"msctls_statusbar32", nullptr);
    if (control == nullptr) return false;
    // WM_GETTEXT itself: GetWindowText would read only the caption the
    // system keeps for a window of another process.
    wchar_t text[512] = {};
    SendMessageW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    const std::wstring name = step.verb == L"text" ? L"text:" + args[0] : L"statustext";
    g_state.log->Read(Narrow(name), std::u16string(text, text + wcslen(text)));
    return true;
  }
  if (step.verb == L"items") {
    HWND capture = TargetWindow();
    HWND list = capture != nullptr ? GetDlgItem(capture, _wtoi(args[0].c_str())) : nullptr;
    if (list == nullptr) return false;
    wchar_t className[64] = {};
    GetClassNameW(list, className, 64);
    if (_wcsicmp(className, WC_LISTVIEWW) == 0) {
      const LRESULT items = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
      for (LRESULT i = 0; i < items; ++i) {
        std::wstring text;
        if (!ListViewItemText(g_state.process, list, static_cast<int>(i), text)) return false;
        g_state.log->Read(Narrow(L"items:" + args[0]), Wide16(text));
      }
      return true;
    }
    const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
      if (length < 0 || length > 511) return false;
      wchar_t text[512] = {};
      SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      g_state.log->Read(Narrow(L"items:" + args[0]), std::u16string(text, text + wcslen(text)));
    }
    return true;
  }
  if (step.verb == L"count") {
    HWND capture = TargetWindow();
    HWND list = capture != nullptr ? GetDlgItem(capture, _wtoi(args[0].c_str())) : nullptr;
    if (list == nullptr) return false;
    const std::wstring text = std::to_wstring(ItemCount(list));
    g_state.log->Read(Narrow(L"count:" + args[0]), std::u16string(text.begin(), text.end()));
    return true;
  }
  if (step.verb == L"check") {
    // What a click on the check box does, also when the window hides it.
    HWND capture = TargetWindow();
    const int id = _wtoi(args[0].c_str());
    HWND box = capture != nullptr ? GetDlgItem(capture, id) : nullptr;
    if (box == nullptr) return false;
    SendMessageW(box, BM_SETCHECK, _wtoi(args[1].c_str()) != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(capture, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(box));
    return true;
  }
  if (step.verb == L"rect") {
    HWND capture = TargetWindow();
    HWND control = capture != nullptr ? GetDlgItem(capture, _wtoi(args[0].c_str())) : nullptr;
    RECT rect{};
    if (control == nullptr || !GetWindowRect(control, &rect)) return false;
    const std::wstring text = RectText(rect);
    g_state.log->Read(Narrow(L"rect:" + args[0]), std::u16string(text.begin(), text.end()));
    return true;
  }
  if (step.verb == L"poprect") {
    HWND capture = FindWindowW(nullptr, kCaptureWindow);
    HWND popup = capture != nullptr ? OwnedPopupWithoutCaption(capture) : nullptr;
    RECT rect{};
    if (popup == nullptr || !GetWindowRect(popup, &rect)) return false;
    const std::wstring text = RectText(rect);
    g_state.log->Read("poprect", std::u16string(text.begin(), text.end()));
    return true;
  }
  if (step.verb == L"move") {
    // What a drag of the caption does: WM_MOVING with the new place, then
    // the move itself.
    HWND capture = FindWindowW(nullptr, kCaptureWindow);
    RECT rect{};
    if (capture == nullptr || !GetWindowRect(capture, &rect)) return false;
    OffsetRect(&rect, _wtoi(args[0].c_str()), _wtoi(args[1].c_str()));
    SendMessageW(capture, WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&rect));
    return SetWindowPos(capture, nullptr, rect.left, rect.top, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
  }
  if (step.verb == L"dialogclick") {
    HWND dialog = FindWindowW(nullptr, args[0].c_str());
    const int id = _wtoi(args[1].c_str());
    HWND button = dialog != nullptr ? GetDlgItem(dialog, id) : nullptr;
    if (button == nullptr) return false;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return true;
  }
  if (step.verb == L"signal") {
    HANDLE file = CreateFileW(args[0].c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
  }
  if (step.verb == L"waitfor") {
    const std::wstring path = args[0];
    return PumpUntil([&] { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; },
                     kExitTimeoutMs);
  }
  if (step.verb == L"waitexit") return PumpUntil(ProcessExited, kExitTimeoutMs);
  return RunDialogStep(step);
}

bool ParseOptions(int argc, wchar_t** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == L"--title" && hasValue) {
      options.title = argv[++i];
    } else if (arg == L"--prismel" && hasValue) {
      options.prismel = argv[++i];
    } else if (arg == L"--log" && hasValue) {
      options.logPath = argv[++i];
    } else if (arg == L"--answer" && hasValue) {
      const std::wstring answer = argv[++i];
      options.batchAnswer = answer == L"none" ? 0 : _wtoi(answer.c_str());
    } else if (arg == L"--copies" && hasValue) {
      options.copiesFolder = argv[++i];
    } else if (arg == L"--tips") {
      options.tips = true;
    } else if (arg == L"--env" && hasValue) {
      const std::wstring variable = argv[++i];
      if (variable.find(L'=') == std::wstring::npos || variable[0] == L'=') return false;
      options.environment.push_back(variable);
    } else if (arg == L"--script" && hasValue) {
      for (const auto& line : ReadScriptLines(argv[++i])) options.steps.push_back(line);
    } else if (arg.rfind(L"--", 0) == 0) {
      return false;
    } else {
      options.steps.push_back(arg);
    }
  }
  return true;
}

std::wstring BesideThisProgram(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length < MAX_PATH ? length : 0);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1) + name;
}

bool StartPrismel(const Options& options) {
  std::wstring commandLine = L"\"" + options.prismel + L"\" ;" + options.title + L";";
  // Prismel inherits this process's environment.
  for (const std::wstring& variable : options.environment) {
    const size_t equals = variable.find(L'=');
    if (!SetEnvironmentVariableW(variable.substr(0, equals).c_str(),
                                 variable.substr(equals + 1).c_str())) {
      return false;
    }
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(options.prismel.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, nullptr, &startup, &info)) {
    return false;
  }
  CloseHandle(info.hThread);
  g_state.process = info.hProcess;
  g_state.processId = info.dwProcessId;
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: RefDataSource [--title T] [--prismel PATH] [--log FILE] "
                         "[--answer 212|211|none] [--copies FOLDER] [--script FILE] "
                         "[--tips] [--env NAME=VALUE ...] [STEP ...]\n");
    return 1;
  }
  std::vector<Step> steps;
  for (const auto& text : options.steps) {
    Step step;
    std::wstring error;
    if (!ParseStep(text, step, error)) {
      std::fprintf(stderr, "%s\n", Narrow(error).c_str());
      return 1;
    }
    steps.push_back(step);
  }

  // COM carries the accessible objects of Prismel's controls here.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  g_state.log = std::make_unique<RecordLog>(options.logPath);
  g_state.batchAnswer = options.batchAnswer;
  g_state.copiesFolder = options.copiesFolder;

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"PrismelReferenceDataSource";
  RegisterClassW(&windowClass);
  g_state.window = CreateWindowExW(0, windowClass.lpszClassName, options.title.c_str(),
                                   WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                   windowClass.hInstance, nullptr);

  if (options.prismel.empty()) options.prismel = BesideThisProgram(L"Prismel.exe");
  g_state.fonts = std::make_unique<TemplateFonts>(options.prismel);
  if (!StartPrismel(options)) {
    g_state.log->Event("start-failed", Narrow(options.prismel));
    return 2;
  }
  if (!PumpUntil([] { return ReceivingWindow() != nullptr || ProcessExited(); },
                 kStartTimeoutMs) ||
      ReceivingWindow() == nullptr) {
    g_state.log->Event("no-receiving-window");
    PumpUntil(ProcessExited, kExitTimeoutMs);
    return 2;
  }
  g_state.log->Event("connected-window-found");
  if (!options.tips) SilenceToolTips(g_state.processId);

  for (const Step& step : steps) {
    if (!RunStep(step)) g_state.log->Event("step-failed", Narrow(step.verb));
  }
  if (!PumpUntil(ProcessExited, kExitTimeoutMs)) {
    g_state.log->Event("prismel-still-running");
    TerminateProcess(g_state.process, 3);
    return 3;
  }
  DWORD exitCode = 0;
  GetExitCodeProcess(g_state.process, &exitCode);
  g_state.log->Event("prismel-exited", std::to_string(exitCode));
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}
