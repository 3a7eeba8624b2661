// Finding an item of a list by its text, the way a drop-down list's own
// searches do: letters compare without regard to case (A-Z only).
#pragma once

#include <string>
#include <vector>

namespace dialogs {

// The first item that begins with `prefix`, searching from the item after
// `startAfter` to the end and then from the top back to `startAfter` itself
// (-1 searches the whole list from the top). -1 when no item begins so.
int FindItemWithPrefix(const std::vector<std::u16string>& items, int startAfter,
                       const std::u16string& prefix);

// The first item equal to `text`; -1 when there is none.
int FindItemNamed(const std::vector<std::u16string>& items, const std::u16string& text);

}  // namespace dialogs
