// The in-process stand-in for the window manager: every top-level window by
// title, so that records can be sent between "processes" that live in one
// test.
#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <vector>

#include "platform/Link.h"

namespace headless {

class HeadlessDesktop {
 public:
  using TitleSource = std::function<std::u16string()>;
  using Receiver = std::function<intptr_t(uint32_t kind, const void* data, uint32_t size)>;

  // Adds a top-level window; returns its token for Remove.
  int Add(TitleSource title, Receiver receiver);
  void Remove(int token);
  bool HasWindowTitled(const std::u16string& title) const;
  size_t CountTitled(const std::u16string& title) const;

  // Delivers a copy of the block (exactly `size` bytes, so that reading past
  // it is caught) to the first window titled `title`.
  platform::SendResult Send(const std::u16string& title, uint32_t kind, const void* data,
                            uint32_t size);

  // The face names of the fonts installed on this desktop, as font lists
  // offer them. Tests may replace them.
  std::vector<std::u16string> fontNames = {u"Arial", u"Courier New", u"MS Sans Serif",
                                           u"Tahoma", u"Times New Roman"};
  // The DPI of the monitor new windows open on.
  int dpi = 96;

 private:
  struct Entry {
    int token;
    TitleSource title;
    Receiver receiver;
  };
  std::list<Entry> windows_;
  int nextToken_ = 1;
};

}  // namespace headless
