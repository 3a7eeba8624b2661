// capture/TwoPictureMerge.h: the two-picture merge's progress through a
// pair of shots. Idle: no pair started; Waiting: the first shot is taken and
// the next capture completes the pair; Done: the pair was joined, and the
// next merge capture starts a new one.
#pragma once

namespace capture {

class TwoPictureMerge {
 public:
  enum class State { Idle, Waiting, Done };

  State GetState() const { return state_; }
  bool IsWaitingForSecondPicture() const { return state_ == State::Waiting; }

 private:
  State state_ = State::Idle;
};

}  // namespace capture
