#include "IdentifiedImage.h"

#include <cstdio>
#include <sstream>

namespace kelpra_test {
namespace {

std::string Run(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return output;
  char buffer[512];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
  pclose(pipe);
  return output;
}

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

}  // namespace

::testing::AssertionResult ImageMagickInstalled() {
  const std::string path = KELPRA_IDENTIFY_PATH;
  if (!path.empty() && path.find("NOTFOUND") == std::string::npos) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "ImageMagick's identify is not installed: run scripts/install-deps.sh";
}

IdentifiedImage Identify(const std::string& path) {
  IdentifiedImage image;
  const std::string output =
      Run(std::string(KELPRA_IDENTIFY_PATH) +
          " -units PixelsPerInch -format '%m %w %h %[colorspace] %[type] %x %y' " + Quoted(path) +
          " 2>/dev/null");
  std::istringstream fields(output);
  image.ok = static_cast<bool>(fields >> image.format >> image.width >> image.height >>
                               image.colourSpace >> image.type >> image.dpiX >> image.dpiY);
  return image;
}

std::string Convert() {
  std::string convert = KELPRA_IDENTIFY_PATH;
  convert.replace(convert.rfind("identify"), 8, "convert");
  return convert;
}

bool DecodeRgb(const std::string& path, kelpra::Image& image) {
  const IdentifiedImage info = Identify(path);
  if (!info.ok) return false;
  const std::string bytes =
      Run(Convert() + " " + Quoted(path) + " -colorspace sRGB -depth 8 rgb:- 2>/dev/null");
  if (bytes.size() != static_cast<size_t>(info.width) * info.height * 3) return false;
  image = kelpra::Image(info.width, info.height, 3);
  image.pixels.assign(bytes.begin(), bytes.end());
  return true;
}

std::array<int, 3> PixelAt(const std::string& path, int x, int y) {
  kelpra::Image image;
  std::array<int, 3> rgb{};
  if (!DecodeRgb(path, image) || x < 0 || y < 0 || x >= image.width || y >= image.height) {
    ADD_FAILURE() << "no pixel " << x << "," << y << " in " << path;
    return rgb;
  }
  for (int k = 0; k < 3; ++k) rgb[k] = image.At(x, y)[k];
  return rgb;
}

}  // namespace kelpra_test
