#include "platform/headless/HeadlessImaging.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/headless/HeadlessOs.h"
#include "platform/headless/HeadlessPicture.h"
#include "platform/headless/TextConversions.h"
#include "platform/streaming/PictureStream.h"

namespace headless {
namespace {

// A file read front to back with plain reads, closed with this object. Its
// size is the one it had when opened.
class FileSource : public streaming::ByteSource {
 public:
  explicit FileSource(const std::u16string& path)
      : file_(::open(NativePath(Utf16ToUtf8(path)).c_str(), O_RDONLY | O_CLOEXEC)) {
    struct stat status {};
    if (file_ >= 0 && ::fstat(file_, &status) == 0 && S_ISREG(status.st_mode)) {
      size_ = static_cast<uint64_t>(status.st_size);
    }
  }
  ~FileSource() override {
    if (file_ >= 0) ::close(file_);
  }
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  bool IsOpen() const { return file_ >= 0; }
  size_t Read(uint8_t* buffer, size_t size) override {
    while (file_ >= 0) {
      const ssize_t got = ::read(file_, buffer, size);
      if (got >= 0) {
        read_ += static_cast<uint64_t>(got);
        return static_cast<size_t>(got);
      }
      if (errno != EINTR) break;
    }
    return 0;
  }
  uint64_t SizeLeft() const override {
    if (size_ == UINT64_MAX) return UINT64_MAX;
    return read_ < size_ ? size_ - read_ : 0;
  }

 private:
  int file_;
  uint64_t size_ = UINT64_MAX;
  uint64_t read_ = 0;
};

}  // namespace

std::optional<platform::ImageSize> HeadlessImaging::ReadImageSize(const std::u16string& path) {
  FileSource file(path);
  if (!file.IsOpen()) return std::nullopt;
  const streaming::Header header = streaming::ReadHeader(file);
  if (header.outcome != streaming::Outcome::Done) return std::nullopt;
  return header.size;
}

std::optional<platform::RgbImage> HeadlessImaging::MakeThumbnail(
    const std::u16string& path, const platform::ThumbnailLayout& layout) {
  FileSource file(path);
  if (!file.IsOpen()) return std::nullopt;
  streaming::Reduced cell = streaming::ThumbnailCell(file, layout);
  if (cell.outcome != streaming::Outcome::Done) return std::nullopt;
  ++picturesDecoded;
  return std::move(cell.pixels);
}

std::unique_ptr<platform::Picture> HeadlessImaging::LoadPicture(const std::u16string& path) {
  FileSource file(path);
  if (!file.IsOpen()) return nullptr;
  streaming::Reduced picture = streaming::ReducePicture(file, streaming::PanePictureSize);
  if (picture.outcome != streaming::Outcome::Done) return nullptr;
  return std::make_unique<HeadlessPicture>(picture.size, std::move(picture.pixels),
                                           livePictures_);
}

}  // namespace headless
