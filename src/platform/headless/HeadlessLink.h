// Records between windows of the in-process desktop.
#pragma once

#include "platform/Link.h"
#include "platform/headless/HeadlessDesktop.h"

namespace headless {

class HeadlessLink : public platform::Link {
 public:
  explicit HeadlessLink(HeadlessDesktop& desktop) : desktop_(desktop) {}

  platform::SendResult SendCopyData(const std::u16string& title, uint32_t kind, const void* data,
                                    uint32_t size) override {
    return desktop_.Send(title, kind, data, size);
  }
  void AllowCopyDataFromAnyProcess() override { ++filterOpened; }

  int filterOpened = 0;

 private:
  HeadlessDesktop& desktop_;
};

}  // namespace headless
