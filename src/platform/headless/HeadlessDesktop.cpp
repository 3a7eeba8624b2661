#include "platform/headless/HeadlessDesktop.h"

#include <cstring>
#include <memory>

namespace headless {

int HeadlessDesktop::Add(TitleSource title, Receiver receiver) {
  windows_.push_back(Entry{nextToken_, std::move(title), std::move(receiver)});
  return nextToken_++;
}

void HeadlessDesktop::Remove(int token) {
  windows_.remove_if([token](const Entry& e) { return e.token == token; });
}

bool HeadlessDesktop::HasWindowTitled(const std::u16string& title) const {
  return CountTitled(title) > 0;
}

size_t HeadlessDesktop::CountTitled(const std::u16string& title) const {
  size_t count = 0;
  for (const Entry& e : windows_) count += e.title() == title ? 1 : 0;
  return count;
}

platform::SendResult HeadlessDesktop::Send(const std::u16string& title, uint32_t kind,
                                           const void* data, uint32_t size) {
  for (const Entry& e : windows_) {
    if (e.title() != title) continue;
    // The receiver may remove windows while it runs: keep its own copy.
    Receiver receiver = e.receiver;
    std::unique_ptr<uint8_t[]> block;
    if (data != nullptr && size > 0) {
      block = std::make_unique<uint8_t[]>(size);
      std::memcpy(block.get(), data, size);
    }
    return platform::SendResult{true, receiver(kind, block.get(), size)};
  }
  return platform::SendResult{};
}

}  // namespace headless
