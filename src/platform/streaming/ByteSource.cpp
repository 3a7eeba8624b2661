#include "platform/streaming/ByteSource.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace streaming {

size_t MemorySource::Read(uint8_t* buffer, size_t size) {
  const size_t count = std::min(size, size_ - position_);
  if (count > 0) std::memcpy(buffer, data_ + position_, count);
  position_ += count;
  return count;
}

Reader::Reader(ByteSource& source, size_t capacity)
    : source_(source),
      capacity_(static_cast<size_t>(
          std::max<uint64_t>(std::min<uint64_t>(capacity, source.SizeLeft()), 64))) {
  buffer_.reset(new uint8_t[capacity_]);
}

bool Reader::Fill(size_t count) {
  if (end_ - begin_ >= count) return true;
  if (ended_) return false;
  // What is left moves to the front; the buffer grows only for a view
  // larger than it.
  if (begin_ > 0) {
    std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (count > capacity_) {
    std::unique_ptr<uint8_t[]> larger(new uint8_t[count]);
    std::memcpy(larger.get(), buffer_.get(), end_);
    buffer_ = std::move(larger);
    capacity_ = count;
  }
  while (end_ < count) {
    const size_t got = source_.Read(buffer_.get() + end_, capacity_ - end_);
    if (got == 0) {
      ended_ = true;
      return false;
    }
    end_ += got;
  }
  return true;
}

const uint8_t* Reader::Take(size_t count) {
  if (!Fill(count)) {
    consumed_ += end_ - begin_;
    begin_ = end_;
    return nullptr;
  }
  const uint8_t* view = buffer_.get() + begin_;
  begin_ += count;
  consumed_ += count;
  return view;
}

const uint8_t* Reader::TakeSome(size_t most, size_t* got) {
  if (begin_ == end_) Fill(1);
  const size_t count = std::min(most, end_ - begin_);
  *got = count;
  const uint8_t* view = buffer_.get() + begin_;
  begin_ += count;
  consumed_ += count;
  return view;
}

const uint8_t* Reader::Peek(size_t count) {
  if (!Fill(count)) return nullptr;
  return buffer_.get() + begin_;
}

size_t Reader::Read(uint8_t* into, size_t count) {
  size_t copied = 0;
  while (copied < count) {
    size_t got = 0;
    const uint8_t* view = TakeSome(count - copied, &got);
    if (got == 0) break;
    std::memcpy(into + copied, view, got);
    copied += got;
  }
  return copied;
}

uint64_t Reader::SizeLeft() const {
  const uint64_t source = source_.SizeLeft();
  const uint64_t buffered = end_ - begin_;
  return source > UINT64_MAX - buffered ? UINT64_MAX : source + buffered;
}

bool Reader::Skip(uint64_t count) {
  while (count > 0) {
    size_t got = 0;
    TakeSome(static_cast<size_t>(std::min<uint64_t>(count, capacity_)), &got);
    if (got == 0) return false;
    count -= got;
  }
  return true;
}

}  // namespace streaming
