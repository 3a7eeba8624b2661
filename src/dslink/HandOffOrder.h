// dslink/HandOffOrder.h: the order a batch hands its files over in. The
// user may have put the pictures in another order than they were taken;
// the batch follows the order shown.
#pragma once

#include <string>
#include <vector>

// The queued files with those that `shown` names in the order `shown` gives
// them, each in one of the places such files had in the queue; the others
// (files the list never showed) keep their places. A file queued twice is
// matched once per time `shown` names it.
std::vector<std::u16string> ArrangeQueuedFiles(const std::vector<std::u16string>& queued,
                                               const std::vector<std::u16string>& shown);
