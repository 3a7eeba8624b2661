// Where the streaming picture decoders read from: a file of either
// platform, or bytes in memory, read front to back in pieces and never
// held whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace streaming {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Copies up to `size` bytes from the current position into `buffer` and
  // moves past them. Fewer than asked only at the end of the data or on a
  // read error; 0 then.
  virtual size_t Read(uint8_t* buffer, size_t size) = 0;
  // How many bytes are left to read, when the source knows; no buffer of a
  // reader grows past it.
  virtual uint64_t SizeLeft() const { return UINT64_MAX; }
};

// Bytes that are already in memory (tests and fuzzing). Nothing is copied
// until a decoder reads.
class MemorySource : public ByteSource {
 public:
  MemorySource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  size_t Read(uint8_t* buffer, size_t size) override;
  uint64_t SizeLeft() const override { return size_ - position_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
};

// A source read through one reusable buffer: views of the next bytes, so a
// decoder works on rows where they were read without copying them again.
class Reader {
 public:
  // Room for `capacity` bytes at first; a view larger than that grows it.
  explicit Reader(ByteSource& source, size_t capacity = kDefaultCapacity);
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;

  // A view of the next `count` bytes, valid until the next call of this
  // reader, which then moves past them. Null when the source ends first:
  // what was left is consumed then.
  const uint8_t* Take(size_t count);
  // A view of the next bytes, up to `most` of them, after reading more when
  // none are buffered; how many in `got` (0 at the end of the source).
  const uint8_t* TakeSome(size_t most, size_t* got);
  // The next `count` bytes without moving past them; null when there are
  // fewer.
  const uint8_t* Peek(size_t count);
  // Copies the next `count` bytes; how many there were.
  size_t Read(uint8_t* into, size_t count);
  // Moves past `count` bytes; false when the source ended first.
  bool Skip(uint64_t count);
  // Bytes moved past since the start.
  uint64_t Position() const { return consumed_; }
  // Bytes not moved past yet: those buffered and what the source has
  // left; UINT64_MAX when the source does not know.
  uint64_t SizeLeft() const;

  static constexpr size_t kDefaultCapacity = 256 * 1024;

 private:
  // Makes `count` bytes lie buffered ahead, if the source has them.
  bool Fill(size_t count);

  ByteSource& source_;
  // Not cleared when made: every byte is written by a read before it is
  // looked at.
  std::unique_ptr<uint8_t[]> buffer_;
  size_t capacity_;
  size_t begin_ = 0;
  size_t end_ = 0;
  bool ended_ = false;
  uint64_t consumed_ = 0;
};

}  // namespace streaming
