#include "dslink/HandOffOrder.h"

#include <map>

std::vector<std::u16string> ArrangeQueuedFiles(const std::vector<std::u16string>& queued,
                                               const std::vector<std::u16string>& shown) {
  // How often each shown file may still take a place in the queue.
  std::map<std::u16string, size_t> unmatched;
  for (const std::u16string& path : shown) ++unmatched[path];
  std::vector<size_t> places;
  std::map<std::u16string, size_t> placed;
  for (size_t i = 0; i < queued.size(); ++i) {
    auto it = unmatched.find(queued[i]);
    if (it == unmatched.end() || it->second == 0) continue;
    --it->second;
    ++placed[queued[i]];
    places.push_back(i);
  }
  // The places, in queue order, take the shown files that were queued, in
  // the order shown.
  std::vector<std::u16string> arranged = queued;
  size_t next = 0;
  for (const std::u16string& path : shown) {
    auto it = placed.find(path);
    if (it == placed.end() || it->second == 0) continue;
    --it->second;
    arranged[places[next++]] = path;
  }
  return arranged;
}
