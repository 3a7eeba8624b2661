// Finding another process's window by title and sending it a WM_COPYDATA
// record. Receiving is a dialog's OnCopyData.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

struct SendResult {
  bool delivered = false;  // a window with that title existed and got the record
  intptr_t result = 0;     // what its window procedure returned
};

class Link {
 public:
  virtual ~Link() = default;
  // Finds the top-level window whose title is exactly `title` and sends it
  // the record synchronously (wParam 0, no sending window).
  virtual SendResult SendCopyData(const std::u16string& title, uint32_t kind, const void* data,
                                  uint32_t size) = 0;
  // Lets WM_COPYDATA through the UI privilege filter for the whole process.
  virtual void AllowCopyDataFromAnyProcess() = 0;
};

}  // namespace platform
