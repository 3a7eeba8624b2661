#include "WaitSteps.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "Session.h"

// Handles messages until a record CODE (with TEXT if given) has arrived
// that no earlier waitrecord step took, and takes it.
bool RunWaitRecordStep(const std::vector<std::wstring>& args) {
  const int32_t code = _wtoi(args[0].c_str());
  const bool anyText = args.size() < 2;
  const std::u16string text = anyText ? u"" : std::u16string(args[1].begin(), args[1].end());
  return PumpUntil(
      [&] {
        for (auto& record : g_state.received) {
          if (record.taken || record.code != code || (!anyText && record.text != text)) continue;
          record.taken = true;
          return true;
        }
        return false;
      },
      kExitTimeoutMs);
}

namespace {

BOOL CALLBACK RepaintWindowOf(HWND hwnd, LPARAM processId) {
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner == static_cast<DWORD>(processId) && IsWindowVisible(hwnd)) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  return TRUE;
}

}  // namespace

// Handles messages until Prismel's user-interface thread has handled every
// message posted to it before this step (its posted tasks, a click, a
// thumbnail's insert), then has Prismel's windows paint what they have not
// painted yet, so that a screenshot or a read sees the settled window.
//
// The marker travels through Prismel's own queue: a default-button id set
// by a posted DM_SETDEFID on the hidden receiving window, which has no
// buttons, read back with DM_GETDEFID. Posted messages of one thread are
// handled in the order they were posted.
bool RunSettleStep() {
  static WORD marker = 0x7000;
  ++marker;
  HWND receiving = ReceivingWindow();
  if (receiving == nullptr || !PostMessageW(receiving, DM_SETDEFID, marker, 0)) return false;
  const bool settled = PumpUntil(
      [&] {
        DWORD_PTR answer = 0;
        return SendMessageTimeoutW(ReceivingWindow(), DM_GETDEFID, 0, 0, SMTO_NORMAL, 1000,
                                   &answer) != 0 &&
               LOWORD(answer) == marker && HIWORD(answer) == DC_HASDEFID;
      },
      kExitTimeoutMs);
  if (!settled) return false;
  // RDW_UPDATENOW returns once each window has painted.
  EnumWindows(&RepaintWindowOf, static_cast<LPARAM>(g_state.processId));
  return true;
}

namespace {

// The live pictures of the reference camera library: every window of
// Prismel with the library's count of frames painted, and that count.
struct LivePicture {
  HWND window;
  INT_PTR frames;
};

INT_PTR FramesPainted(HWND window) {
  return reinterpret_cast<INT_PTR>(GetPropW(window, L"KelpraPreviewFrames"));
}

BOOL CALLBACK CollectLivePicture(HWND hwnd, LPARAM data) {
  auto* pictures = reinterpret_cast<std::vector<LivePicture>*>(data);
  if (IsWindowVisible(hwnd) && FramesPainted(hwnd) > 0) pictures->push_back({hwnd, FramesPainted(hwnd)});
  return TRUE;
}

BOOL CALLBACK CollectLivePicturesOf(HWND hwnd, LPARAM data) {
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != g_state.processId || !IsWindowVisible(hwnd)) return TRUE;
  // A preview host may be a window of its own or a child of one.
  CollectLivePicture(hwnd, data);
  EnumChildWindows(hwnd, &CollectLivePicture, data);
  return TRUE;
}

}  // namespace

// Handles messages until every visible live picture of Prismel has painted
// two more frames: one begun after this step, whole.
bool RunWaitFramesStep() {
  std::vector<LivePicture> pictures;
  EnumWindows(&CollectLivePicturesOf, reinterpret_cast<LPARAM>(&pictures));
  return PumpUntil(
      [&] {
        for (const LivePicture& picture : pictures) {
          if (IsWindow(picture.window) && FramesPainted(picture.window) < picture.frames + 2) return false;
        }
        return true;
      },
      kStartTimeoutMs);
}

LRESULT ItemCount(HWND list) {
  if (list == nullptr) return -1;
  wchar_t className[64] = {};
  GetClassNameW(list, className, 64);
  // A list view's count needs no memory of the other process.
  const UINT message = _wcsicmp(className, WC_LISTVIEWW) == 0 ? LVM_GETITEMCOUNT : CB_GETCOUNT;
  return SendMessageW(list, message, 0, 0);
}

// Handles messages until the first selected item of list view ID of the
// chosen window is INDEX (-1: none is selected).
bool RunWaitSelectedStep(const std::vector<std::wstring>& args) {
  const int id = _wtoi(args[0].c_str());
  const LRESULT wanted = _wtoi(args[1].c_str());
  const bool reached = PumpUntil(
      [&] {
        HWND window = TargetWindow();
        HWND list = window != nullptr ? GetDlgItem(window, id) : nullptr;
        return list != nullptr && SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                               LVNI_SELECTED) == wanted;
      },
      kExitTimeoutMs);
  if (!reached) g_state.log->Event("waitselected", Narrow(args[0] + L" never selected " + args[1]));
  return reached;
}

// Handles messages until list ID of the chosen window holds N items.
bool RunWaitCountStep(const std::vector<std::wstring>& args) {
  const int id = _wtoi(args[0].c_str());
  const LRESULT wanted = _wtoi(args[1].c_str());
  const bool reached = PumpUntil(
      [&] {
        HWND window = TargetWindow();
        return window != nullptr && ItemCount(GetDlgItem(window, id)) == wanted;
      },
      kExitTimeoutMs);
  if (!reached) g_state.log->Event("waitcount", Narrow(args[0] + L" never held " + args[1]));
  return reached;
}

namespace {

// How many lines of the camera library's call log file begin with "EXPORT(".
int CallsInLog(const std::string& path, const std::string& exportName) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return 0;
  const std::string start = exportName + "(";
  int calls = 0;
  bool lineStart = true;
  std::string head;
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
    if (c == '\n') {
      lineStart = true;
      head.clear();
      continue;
    }
    if (!lineStart) continue;
    head.push_back(static_cast<char>(c));
    if (head.size() == start.size()) {
      if (head == start) ++calls;
      lineStart = false;
    }
  }
  std::fclose(file);
  return calls;
}

}  // namespace

// Handles messages until the call log holds N calls of EXPORT.
bool RunWaitCallsStep(const std::vector<std::wstring>& args) {
  const char* path = std::getenv("KELPRA_CALL_LOG");
  if (path == nullptr || *path == 0) {
    g_state.log->Event("waitcalls", "KELPRA_CALL_LOG is not set");
    return false;
  }
  const std::string exportName = Narrow(args[0]);
  const int wanted = _wtoi(args[1].c_str());
  const bool reached =
      PumpUntil([&] { return CallsInLog(path, exportName) >= wanted; }, kExitTimeoutMs);
  if (!reached) g_state.log->Event("waitcalls", exportName + " never called " + Narrow(args[1]));
  return reached;
}
