// The benchmark's pictures: a page of fine print at three sizes in three
// formats, and two such pages side by side as a merged BMP. Written once
// into a folder and reused while they are there.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

struct BenchPicture {
  std::string label;  // "21 MP BMP"
  std::string path;
  uint32_t width;
  uint32_t height;
  std::string format;  // "bmp", "jpg", "png"
};

// The pictures in `folder`, written first where missing; empty when one
// could not be written.
std::vector<BenchPicture> PreparePictures(const std::string& folder);

}  // namespace bench
