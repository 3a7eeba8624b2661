// The watermark: drawn where its position says, only while enabled, with
// the text styles changing the drawing.
#include <array>
#include <string>

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
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x)
      for (int k = 0; k < a.channels; ++k) {
        if (a.At(x, y)[k] != b.At(x, y)[k]) {
          ++cells[(y * 3 / a.height) * 3 + x * 3 / a.width];
          break;
        }
      }
  return cells;
}

Image Grey(int w, int h) { return Image(w, h, 3, 128); }

WatermarkOptions Options(int position) {
  WatermarkOptions options;
  options.enabled = true;
  options.text = "KELPRA";
  options.position = position;
  options.fontSize = 24;
  options.font = "DejaVu Sans";
  options.angle = 0;
  options.transparency = 0;
  return options;
}

TEST(Watermark, EachGridPositionDrawsInItsOwnThirdOfThePicture) {
  for (int position = 0; position <= 8; ++position) {
    Image picture = Grey(900, 600);
    const Image before = picture;
    kelpra::DrawWatermark(picture, Options(position), 96, false);
    const std::array<int, 9> cells = ChangedPerCell(before, picture);
    for (int cell = 0; cell < 9; ++cell) {
      if (cell == position) {
        EXPECT_GT(cells[cell], 100) << "position " << position;
      } else {
        EXPECT_EQ(cells[cell], 0) << "position " << position << " cell " << cell;
      }
    }
  }
}

TEST(Watermark, DisabledEmptyOrFullyTransparentDrawsNothing) {
  const Image before = Grey(300, 200);
  WatermarkOptions options = Options(4);
  options.enabled = false;
  Image picture = before;
  kelpra::DrawWatermark(picture, options, 96, false);
  EXPECT_EQ(picture.pixels, before.pixels);
  options = Options(4);
  options.text.clear();
  kelpra::DrawWatermark(picture, options, 96, false);
  EXPECT_EQ(picture.pixels, before.pixels);
  options = Options(4);
  options.transparency = 100;
  kelpra::DrawWatermark(picture, options, 96, false);
  EXPECT_EQ(picture.pixels, before.pixels);
}

TEST(Watermark, ColourTransparencyAngleAndStylesChangeTheDrawing) {
  auto draw = [](const WatermarkOptions& options) {
    Image picture = Image(400, 300, 3, 255);
    kelpra::DrawWatermark(picture, options, 96, false);
    return picture;
  };
  const Image plain = draw(Options(4));
  // Opaque red text: some pixel is pure red.
  bool pureRed = false;
  for (size_t i = 0; i < plain.pixels.size(); i += 3)
    pureRed |= plain.pixels[i] == 255 && plain.pixels[i + 1] == 0 && plain.pixels[i + 2] == 0;
  EXPECT_TRUE(pureRed);

  WatermarkOptions half = Options(4);
  half.transparency = 50;
  const Image faded = draw(half);
  for (size_t i = 1; i < faded.pixels.size(); i += 3) ASSERT_GE(faded.pixels[i], 126);

  for (auto change :
       {+[](WatermarkOptions& o) { o.bold = true; }, +[](WatermarkOptions& o) { o.italic = true; },
        +[](WatermarkOptions& o) { o.underline = true; },
        +[](WatermarkOptions& o) { o.angle = 45; },
        +[](WatermarkOptions& o) { o.fontSize = 48; }}) {
    WatermarkOptions options = Options(4);
    change(options);
    EXPECT_NE(draw(options).pixels, plain.pixels);
  }
}

TEST(Watermark, UnknownFontsFallBackToAFaceThatStillDraws) {
  WatermarkOptions options = Options(4);
  options.font = "No Such Face Anywhere";
  Image picture = Grey(300, 200);
  const Image before = picture;
  kelpra::DrawWatermark(picture, options, 96, false);
  EXPECT_NE(picture.pixels, before.pixels);
}

TEST(Watermark, BlackAndWhitePicturesStayBilevel) {
  Image picture(300, 200, 1, 255);
  WatermarkOptions options = Options(4);
  options.transparency = 40;
  options.red = 0;
  kelpra::DrawWatermark(picture, options, 96, true);
  bool black = false;
  for (uint8_t p : picture.pixels) {
    ASSERT_TRUE(p == 0 || p == 255);
    black |= p == 0;
  }
  EXPECT_TRUE(black);
}

class WatermarkCapture : public KelpraTest {};

TEST_F(WatermarkCapture, AnEnabledWatermarkChangesTheCapturedPixelsAtItsPosition) {
  ASSERT_TRUE(ImageMagickInstalled());
  ASSERT_EQ(cam.camOpenDev(0, 0, 640, 480), 0);
  ASSERT_EQ(Capture("plain.png"), 0);
  // Bottom right, opaque blue, switched off: the picture stays as it was.
  cam.camSetImageWaterMark(0, "MMMM", 8, 48, "DejaVu Sans", 0, 0, 1, 0.0f, 0.0f, 0, 0, 255, 0);
  ASSERT_EQ(Capture("off.png"), 0);
  cam.camSetImageWaterMark(0, "MMMM", 8, 48, "DejaVu Sans", 0, 0, 1, 0.0f, 0.0f, 0, 0, 255, 1);
  ASSERT_EQ(Capture("on.png"), 0);
  Image plain, off, on;
  ASSERT_TRUE(DecodeRgb(folder.File("plain.png"), plain));
  ASSERT_TRUE(DecodeRgb(folder.File("off.png"), off));
  ASSERT_TRUE(DecodeRgb(folder.File("on.png"), on));
  EXPECT_EQ(off.pixels, plain.pixels);
  // Only the bottom-right third changed, and there the text is pure blue.
  const std::array<int, 9> changed = ChangedPerCell(plain, on);
  for (int cell = 0; cell < 8; ++cell) EXPECT_EQ(changed[cell], 0) << cell;
  int blueCount = 0;
  for (int y = 320; y < 480; ++y)
    for (int x = 427; x < 640; ++x) {
      const uint8_t* p = on.At(x, y);
      blueCount += p[0] == 0 && p[1] == 0 && p[2] == 255;
    }
  EXPECT_GT(blueCount, 100);
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
};

TEST_F(WatermarkCapture, EveryArgumentOfTheCallChangesTheCapturedPicture) {
  ASSERT_TRUE(ImageMagickInstalled());
  ASSERT_EQ(cam.camOpenDev(0, 0, 640, 480), 0);
  int shot = 0;
  auto capture = [&](const WatermarkCall& c) {
    cam.camSetImageWaterMark(0, c.text, c.position, c.fontSize, c.font, c.italic, c.underline,
                             c.bold, c.angle, c.transparency, c.red, c.green, c.blue, 1);
    const std::string name = "shot" + std::to_string(shot++) + ".png";
    Image picture;
    EXPECT_EQ(Capture(name), 0);
    EXPECT_TRUE(DecodeRgb(folder.File(name), picture));
    return picture;
  };
  const Image reference = capture(WatermarkCall{});
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
  };
  for (const auto& change : changes) {
    WatermarkCall call;
    change.change(call);
    const Image changed = capture(call);
    EXPECT_EQ(changed.width, reference.width) << change.field;
    EXPECT_NE(changed.pixels, reference.pixels) << change.field;
  }
  // The same call again gives the same picture: the differences above come
  // from the arguments alone.
  EXPECT_EQ(capture(WatermarkCall{}).pixels, reference.pixels);
}

}  // namespace
}  // namespace kelpra_test
