// capture/TwoPictureMerge.h: the two-picture merge's progress through a
// pair of shots, as the names of the pair's pictures and the waiting flag.
// Idle: no picture yet; Waiting: the first picture is taken and the next
// capture completes the pair; Done: both pictures are there, and the next
// merge capture starts a new pair.
//
// The waiting flag is kept apart from the pictures: a pair taken in one go
// with the secondary camera leaves it as it was.
#pragma once

#include <string>
#include <utility>

namespace capture {

class TwoPictureMerge {
 public:
  enum class State { Idle, Waiting, Done };

  State GetState() const {
    if (first_.empty()) return State::Idle;
    return second_.empty() ? State::Waiting : State::Done;
  }
  // True between the first and the second shot of a pair.
  bool IsWaitingForSecondPicture() const { return waiting_; }
  const std::string& FirstPicture() const { return first_; }
  const std::string& SecondPicture() const { return second_; }

  // The first shot of a pair: it waits for the second.
  void TakeFirstPicture(std::string path) {
    first_ = std::move(path);
    second_.clear();
    waiting_ = true;
  }
  // The second shot completes the pair.
  void TakeSecondPicture(std::string path) {
    second_ = std::move(path);
    waiting_ = false;
  }
  // Both pictures of one press (main and secondary camera).
  void TakeBothPictures(std::string first, std::string second) {
    first_ = std::move(first);
    second_ = std::move(second);
  }
  // Forgets the pictures; the waiting flag stays as it is.
  void ClearPictures() {
    first_.clear();
    second_.clear();
  }

 private:
  std::string first_;
  std::string second_;
  bool waiting_ = false;
};

}  // namespace capture
