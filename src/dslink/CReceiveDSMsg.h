// The hidden window that receives the data source's records. Created from
// dialog template 140 and titled so that the data source can find it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Ui.h"

// Receives every WM_COPYDATA block; the block is valid only during the call.
using DSReceiveCallback = void (*)(uint32_t kind, const void* data, uint32_t size);

class CReceiveDSMsg : public platform::DialogHandler {
 public:
  // Creates the window hidden, with no parent, under `title`. False when the
  // window cannot be created.
  bool Create(platform::Ui& ui, const std::u16string& title);
  void DestroyWindow();
  void SetCallback(DSReceiveCallback callback) { callback_ = callback; }

  bool OnInitDialog() override { return true; }
  void OnCopyData(uint32_t kind, const void* data, uint32_t size) override;
  // The window has no cancel: Escape or a close request must not end it.
  void OnCancel() override {}

 private:
  std::unique_ptr<platform::Window> window_;
  DSReceiveCallback callback_ = nullptr;
};
