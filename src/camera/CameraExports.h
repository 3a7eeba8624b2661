// The camera library's exports: one row per function, written once.
//
// Every row is X(name, parameter list, argument names); the result type is
// the table's (int32_t, or a string for the two name getters). The binding
// and the reference library expand this table, so a name or a signature
// cannot drift between them; the tests hold it to a list written out by
// hand (tests/support/CameraExportList.h). All exports are plain C with the
// default (cdecl) calling convention; every argument is 32 bits wide on the
// shipped 32-bit build (window handles travel as 32-bit integers).
#pragma once

#include <cstdint>

#if defined(_WIN32)
#define CAM_CALL __cdecl
#else
#define CAM_CALL
#endif

extern "C" {
// Both callbacks take one 32-bit integer and return a 32-bit BOOL.
typedef int32_t(CAM_CALL* CamDeviceChangeCallback)(int32_t unused);
typedef int32_t(CAM_CALL* CamAutoCaptureCallback)(int32_t value);
}

// Window handle as the library receives it: a 32-bit value, 0 detaches.
using CamWindowHandle = int32_t;

#define CAMERA_INT_EXPORTS(X)                                                                      \
  X(camInitCameraLib, (), ())                                                                      \
  X(camUnInitCameraLib, (), ())                                                                    \
  X(camStopCameraLib, (), ())                                                                      \
  X(camUpdateCameraLib, (), ())                                                                    \
  X(camRegCallBackDeviceChange, (CamDeviceChangeCallback callback), (callback))                    \
  X(camGetDevCount, (int32_t * count), (count))                                                    \
  X(camOpenDev, (int32_t device, int32_t mediaType, int32_t width, int32_t height),                \
    (device, mediaType, width, height))                                                            \
  X(camCloseDev, (int32_t device), (device))                                                       \
  X(camSetPreviewWindow, (int32_t device, CamWindowHandle window), (device, window))               \
  X(camGetMediaTypeCount, (int32_t device, int32_t * count), (device, count))                      \
  X(camSetMediaType, (int32_t device, int32_t format), (device, format))                           \
  X(camGetResolutionCount, (int32_t device, int32_t format, int32_t * count),                      \
    (device, format, count))                                                                       \
  X(camGetResolution,                                                                              \
    (int32_t device, int32_t format, int32_t index, int32_t * width, int32_t * height),            \
    (device, format, index, width, height))                                                        \
  X(camSetResolution, (int32_t device, int32_t width, int32_t height), (device, width, height))    \
  X(camGetCurResolution, (int32_t device, int32_t * format, int32_t * width, int32_t * height),    \
    (device, format, width, height))                                                               \
  X(camSetImageDPI, (int32_t device, int32_t dpiX, int32_t dpiY), (device, dpiX, dpiY))            \
  X(camGetImageDPI, (int32_t device, int32_t * dpiX, int32_t * dpiY), (device, dpiX, dpiY))        \
  X(camZooIn, (int32_t device), (device))                                                          \
  X(camZoomOut, (int32_t device), (device))                                                        \
  X(camOriginalPreview, (int32_t device), (device))                                                \
  X(camOptimalPreview, (int32_t device), (device))                                                 \
  X(camAutoFocus, (int32_t device, int32_t reserved), (device, reserved))                          \
  X(camShowDevSettingWindow, (int32_t device), (device))                                           \
  X(camShowImageSettingWindow, (int32_t device), (device))                                         \
  X(camSetImageRotateMode, (int32_t device, int32_t rotation), (device, rotation))                 \
  X(camSetImageColorStyle, (int32_t device, int32_t style), (device, style))                       \
  X(camSetImageAdjust, (int32_t device, int32_t adjustment), (device, adjustment))                 \
  X(camSetImageAutoCrop, (int32_t device, int32_t cropMode), (device, cropMode))                   \
  X(camSetImageCusCropRect,                                                                        \
    (int32_t device, int32_t left, int32_t top, int32_t right, int32_t bottom),                    \
    (device, left, top, right, bottom))                                                            \
  X(camSetImageFillBorder, (int32_t device, int32_t fill), (device, fill))                         \
  X(camSetImageWaterMark,                                                                          \
    (int32_t device, const char* text, int32_t position, int32_t fontSize, const char* fontName,   \
     int32_t italic, int32_t underline, int32_t bold, float angle, float transparency,             \
     int32_t red, int32_t green, int32_t blue, int32_t enabled),                                   \
    (device, text, position, fontSize, fontName, italic, underline, bold, angle, transparency,     \
     red, green, blue, enabled))                                                                   \
  X(camCaptureImageFile, (int32_t device, char* path), (device, path))                             \
  X(camCombineImage,                                                                               \
    (const char* first, const char* second, const char* output, int32_t mode, int32_t x,           \
     int32_t y, int32_t width, int32_t height),                                                    \
    (first, second, output, mode, x, y, width, height))                                            \
  X(camCreateDirectory, (const char* folder), (folder))                                            \
  X(camStartAutoCapture,                                                                           \
    (int32_t device, int32_t mode, int32_t target, CamAutoCaptureCallback callback),               \
    (device, mode, target, callback))                                                              \
  X(camStopAutoCapture, (int32_t device), (device))

// The two exports that return a name: a NUL-terminated 8-bit string owned by
// the library, to be copied at once by the caller.
#define CAMERA_STRING_EXPORTS(X)                                                                   \
  X(camGetDevName, (int32_t device), (device))                                                     \
  X(camGetMediaTypeName, (int32_t device, int32_t format), (device, format))

// All 38 exports (36 with an integer result, 2 with a string result).
#define CAMERA_EXPORT_COUNT 38
