// WM_COPYDATA between processes.
#pragma once

#include "platform/Link.h"

namespace win32 {

class Win32Link : public platform::Link {
 public:
  platform::SendResult SendCopyData(const std::u16string& title, uint32_t kind, const void* data,
                                    uint32_t size) override;
  void AllowCopyDataFromAnyProcess() override;
};

}  // namespace win32
