// Kelpra.dll as a real Windows library: exports found by GetProcAddress,
// files written through Windows paths, the watermark's font found in the
// Windows fonts folder, the live preview painted into a real window, and
// auto capture on a Windows thread.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "KelpraTestHooks.h"
#include "camera/CameraExports.h"

namespace {

struct Api {
#define KELPRA_API_INT(name, params, args) int32_t(CAM_CALL* name) params = nullptr;
#define KELPRA_API_STRING(name, params, args) const char*(CAM_CALL * name) params = nullptr;
  CAMERA_INT_EXPORTS(KELPRA_API_INT)
  CAMERA_STRING_EXPORTS(KELPRA_API_STRING)
  KELPRA_TEST_EXPORTS(KELPRA_API_INT)
#undef KELPRA_API_INT
#undef KELPRA_API_STRING
};

// The build writes Unix paths; under Wine they live on drive Z:.
std::string WindowsPath(std::string path) {
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path.size() > 1 && path[1] == ':' ? path : "Z:" + path;
}

Api Load(const char* path, HMODULE* module = nullptr) {
  Api api;
  HMODULE library = LoadLibraryA(WindowsPath(path).c_str());
  if (module) *module = library;
  if (!library) return api;
#define KELPRA_RESOLVE(name, params, args)         \
  api.name = reinterpret_cast<decltype(api.name)>( \
      reinterpret_cast<void*>(GetProcAddress(library, #name)));
  CAMERA_INT_EXPORTS(KELPRA_RESOLVE)
  CAMERA_STRING_EXPORTS(KELPRA_RESOLVE)
  KELPRA_TEST_EXPORTS(KELPRA_RESOLVE)
#undef KELPRA_RESOLVE
  return api;
}

const Api& Kelpra() {
  static const Api api = Load(KELPRA_LIBRARY_PATH);
  return api;
}

std::string ReadWhole(const std::string& path) {
  std::string bytes;
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

uint32_t Little32(const std::string& b, size_t at) {
  return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 |
         uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}

class KelpraWine : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(cam.camInitCameraLib, nullptr);
    ASSERT_EQ(cam.camInitCameraLib(), 0);
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "KelpraWine\\Dorvel";
    ASSERT_EQ(cam.camCreateDirectory(folder.c_str()), 0);
    ASSERT_EQ(cam.camOpenDev(0, 0, 640, 480), 0);
  }
  void TearDown() override { cam.camUnInitCameraLib(); }
  int32_t Capture(const std::string& name, std::string* buffer = nullptr) {
    char path[1024] = {};
    lstrcpynA(path, (folder + "\\" + name).c_str(), sizeof path);
    const int32_t result = cam.camCaptureImageFile(0, path);
    if (buffer) *buffer = path;
    return result;
  }
  const Api& cam = Kelpra();
  std::string folder;
};

TEST(KelpraExports, GetProcAddressFindsEveryUndecoratedName) {
  int full = 0, partial = 0;
  const Api partialApi = Load(KELPRA_PARTIAL_LIBRARY_PATH);
#define KELPRA_COUNT(name, params, args) \
  full += Kelpra().name != nullptr;      \
  partial += partialApi.name != nullptr;
  CAMERA_INT_EXPORTS(KELPRA_COUNT)
  CAMERA_STRING_EXPORTS(KELPRA_COUNT)
#undef KELPRA_COUNT
  EXPECT_EQ(full, CAMERA_EXPORT_COUNT);
  EXPECT_EQ(partial, CAMERA_EXPORT_COUNT - 2);
  EXPECT_EQ(partialApi.camZooIn, nullptr);
  EXPECT_EQ(partialApi.camStartAutoCapture, nullptr);
}

TEST_F(KelpraWine, EveryFormatIsWrittenWithItsSignatureAndTheBitmapCarriesSizeAndDpi) {
  const struct {
    const char* name;
    std::string magic;
  } cases[] = {{"1_1.bmp", "BM"},
               {"1_1.jpg", "\xff\xd8\xff\xe0"},
               {"1_1.png", "\x89PNG"},
               {"1_1.tif", std::string("II*\0", 4)}};
  for (const auto& c : cases) {
    ASSERT_EQ(Capture(c.name), 0) << c.name;
    const std::string bytes = ReadWhole(folder + "\\" + c.name);
    ASSERT_GT(bytes.size(), 100u) << c.name;
    EXPECT_EQ(bytes.compare(0, c.magic.size(), c.magic), 0) << c.name;
  }
  int32_t dpiX = 0, dpiY = 0;
  cam.camGetImageDPI(0, &dpiX, &dpiY);
  cam.camSetImageRotateMode(0, 1);
  ASSERT_EQ(Capture("turned.bmp"), 0);
  const std::string bmp = ReadWhole(folder + "\\turned.bmp");
  ASSERT_GT(bmp.size(), 54u);
  EXPECT_EQ(Little32(bmp, 18), 480u);
  EXPECT_EQ(Little32(bmp, 22), 640u);
  EXPECT_NEAR(Little32(bmp, 38) * 0.0254, dpiX, 0.5);
}

TEST_F(KelpraWine, TheWatermarkIsDrawnWithAWindowsFont) {
  ASSERT_EQ(Capture("plain.bmp"), 0);
  cam.camSetImageWaterMark(0, "Prismel", 4, 36, "Arial", 1, 1, 1, 30.0f, 0.0f, 255, 0, 0, 1);
  ASSERT_EQ(Capture("marked.bmp"), 0);
  const std::string plain = ReadWhole(folder + "\\plain.bmp");
  const std::string marked = ReadWhole(folder + "\\marked.bmp");
  ASSERT_EQ(plain.size(), marked.size());
  size_t changed = 0;
  for (size_t i = 54; i < plain.size(); ++i) changed += plain[i] != marked[i];
  EXPECT_GT(changed, 1000u);
}

TEST_F(KelpraWine, MultipleCropListsItsFilesWithWindowsPaths) {
  cam.camSetImageAutoCrop(0, 2);
  std::string buffer;
  ASSERT_EQ(Capture("multi.png", &buffer), 0);
  EXPECT_EQ(buffer, folder + "\\multi_1.png;" + folder + "\\multi_2.png");
  EXPECT_FALSE(ReadWhole(folder + "\\multi_2.png").empty());
}

TEST_F(KelpraWine, ThePreviewPaintsTheDeskIntoTheWindowUntilDetached) {
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 320, 240, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(cam.camSetPreviewWindow(0, HandleToLong(window)), 0);
  // Pump messages while the library's thread paints (a liveness bound).
  COLORREF centre = CLR_INVALID;
  for (int i = 0; i < 100; ++i) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(30);
    HDC dc = GetDC(window);
    centre = GetPixel(dc, 20, 20);
    ReleaseDC(window, dc);
    // The desk's brown: more red than blue.
    if (centre != CLR_INVALID && GetRValue(centre) > GetBValue(centre) + 40) break;
  }
  EXPECT_NE(centre, CLR_INVALID);
  EXPECT_GT(GetRValue(centre), GetBValue(centre) + 40);
  EXPECT_EQ(cam.camZooIn(0), 0);
  EXPECT_EQ(cam.camOptimalPreview(0), 0);
  EXPECT_EQ(cam.camSetPreviewWindow(0, 0), 0);
  DestroyWindow(window);
}

std::atomic<int> g_calls{0};
std::atomic<int> g_afterStop{0};
std::atomic<bool> g_stopped{false};
int32_t CAM_CALL Count(int32_t) {
  ++g_calls;
  if (g_stopped) ++g_afterStop;
  return 1;
}

TEST_F(KelpraWine, AutoCaptureRunsOnALibraryThreadAndStopsCleanly) {
  g_calls = 0;
  ASSERT_EQ(cam.camStartAutoCapture(0, 1, 3, Count), 0);
  for (int i = 0; i < 500 && g_calls < 3; ++i) Sleep(20);
  EXPECT_GE(g_calls, 3);
  EXPECT_EQ(cam.camStopAutoCapture(0), 0);
  g_stopped = true;
  Sleep(200);
  EXPECT_EQ(g_afterStop, 0);
}

}  // namespace
