// The watermark: drawn where its position says, only while enabled, and
// changed by every argument of the export that sets it.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "IdentifiedImage.h"
#include "Image.h"
#include "KelpraHarness.h"
#include "Watermark.h"

namespace kelpra_test {
namespace {

using kelpra::Image;
using kelpra::WatermarkOptions;

// Pixels that differ between two pictures of the same size, per third of
// the width and height (index row * 3 + column).
std::array<int, 9> ChangedPerCell(const Image& a, const Image& b) {
  std::array<int, 9> cells{};
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      if (!std::equal(a.At(x, y), a.At(x, y) + a.channels, b.At(x, y))) {
        ++cells[(y * 3 / a.height) * 3 + x * 3 / a.width];
      }
    }
  }
  return cells;
}

// Enabled, at 24 points, opaque and level (the defaults' angle and
// transparency of 0), in red (the defaults' colour).
WatermarkOptions Options(int position = 4) {
  return WatermarkOptions{/*enabled=*/true, /*text=*/"KELPRA", position, /*fontSize=*/24,
                          /*font=*/"DejaVu Sans"};
}

Image Drawn(const WatermarkOptions& options, Image picture = Image(300, 200, 3, 128)) {
  kelpra::DrawWatermark(picture, options, 96, picture.channels == 1);
  return picture;
}

TEST(Watermark, EachGridPositionDrawsInItsOwnThirdOfThePicture) {
  const Image grey(900, 600, 3, 128);
  for (int position = 0; position <= 8; ++position) {
    std::array<int, 9> cells = ChangedPerCell(grey, Drawn(Options(position), grey));
    EXPECT_GT(cells[position], 100) << "position " << position;
    cells[position] = 0;  // every other third is left untouched
    EXPECT_EQ(cells, (std::array<int, 9>{})) << "position " << position;
  }
}

TEST(Watermark, DisabledEmptyOrFullyTransparentDrawsNothingAndAnUnknownFontStillDraws) {
  const Image grey(300, 200, 3, 128);
  for (auto change : {+[](WatermarkOptions& o) { o.enabled = false; },
                      +[](WatermarkOptions& o) { o.text.clear(); },
                      +[](WatermarkOptions& o) { o.transparency = 100; }}) {
    WatermarkOptions options = Options();
    change(options);
    EXPECT_EQ(Drawn(options).pixels, grey.pixels);
  }
  WatermarkOptions unknownFont = Options();
  unknownFont.font = "No Such Face Anywhere";
  EXPECT_NE(Drawn(unknownFont).pixels, grey.pixels);
}

TEST(Watermark, BlackAndWhitePicturesStayBilevel) {
  WatermarkOptions options = Options();
  options.transparency = 40;
  options.red = 0;
  const std::vector<uint8_t> pixels = Drawn(options, Image(300, 200, 1, 255)).pixels;
  EXPECT_TRUE(
      std::all_of(pixels.begin(), pixels.end(), [](uint8_t p) { return p == 0 || p == 255; }));
  EXPECT_NE(std::find(pixels.begin(), pixels.end(), 0), pixels.end()) << "no black mark";
}

// One camSetImageWaterMark call's arguments after the device.
struct WatermarkCall {
  const char* text = "MMMM";
  int32_t position = 4;
  int32_t fontSize = 48;
  const char* font = "DejaVu Sans";
  int32_t italic = 0, underline = 0, bold = 0;
  float angle = 0, transparency = 0;
  int32_t red = 0, green = 0, blue = 255;
  int32_t enabled = 1;
};

class WatermarkCapture : public CapturedPictureTest {
 protected:
  // The picture captured after the call.
  Image Captured(const WatermarkCall& c) {
    cam.camSetImageWaterMark(0, c.text, c.position, c.fontSize, c.font, c.italic, c.underline,
                             c.bold, c.angle, c.transparency, c.red, c.green, c.blue, c.enabled);
    const std::string name = "shot" + std::to_string(shots_++) + ".png";
    Image picture;
    EXPECT_EQ(Capture(name), 0);
    EXPECT_TRUE(DecodeRgb(File(name), picture));
    return picture;
  }
  int shots_ = 0;
};

TEST_F(WatermarkCapture, EveryArgumentOfTheCallChangesTheCapturedPicture) {
  const Image reference = Captured(WatermarkCall{});
  const struct {
    const char* field;
    void (*change)(WatermarkCall&);
  } changes[] = {
      {"text", [](WatermarkCall& c) { c.text = "WWWW"; }},
      {"position", [](WatermarkCall& c) { c.position = 0; }},
      {"font size", [](WatermarkCall& c) { c.fontSize = 72; }},
      {"font", [](WatermarkCall& c) { c.font = "DejaVu Serif"; }},
      {"italic", [](WatermarkCall& c) { c.italic = 1; }},
      {"underline", [](WatermarkCall& c) { c.underline = 1; }},
      {"bold", [](WatermarkCall& c) { c.bold = 1; }},
      {"angle", [](WatermarkCall& c) { c.angle = 45; }},
      {"transparency", [](WatermarkCall& c) { c.transparency = 50; }},
      {"red", [](WatermarkCall& c) { c.red = 255; }},
      {"green", [](WatermarkCall& c) { c.green = 255; }},
      {"blue", [](WatermarkCall& c) { c.blue = 0; }},
      {"enabled", [](WatermarkCall& c) { c.enabled = 0; }},
  };
  for (const auto& change : changes) {
    WatermarkCall call;
    change.change(call);
    const Image changed = Captured(call);
    EXPECT_EQ(changed.width, reference.width) << change.field;
    EXPECT_NE(changed.pixels, reference.pixels) << change.field;
  }
  // The same call again gives the same picture: the differences above come
  // from the arguments alone.
  EXPECT_EQ(Captured(WatermarkCall{}).pixels, reference.pixels);
}

}  // namespace
}  // namespace kelpra_test
