// The camera library's 38 exports, written out by hand: each name with one
// letter per argument. The binding, the reference library and the tests
// are all generated from one table (camera/CameraExports.h); the tests hold
// that table to this list, which it did not produce.
//   i int32_t   p int32_t* (an out-value)   f float   s const char*
//   b char* (a path buffer the library may rewrite)   c callback
#pragma once

namespace testing_support {

struct ExportSignature {
  const char* name;
  const char* arguments;
  bool returnsString = false;  // a name owned by the library; the others return int32_t
};

inline constexpr ExportSignature kCameraExports[] = {
    {"camInitCameraLib", ""},
    {"camUnInitCameraLib", ""},
    {"camStopCameraLib", ""},
    {"camUpdateCameraLib", ""},
    {"camRegCallBackDeviceChange", "c"},
    {"camGetDevCount", "p"},
    {"camOpenDev", "iiii"},
    {"camCloseDev", "i"},
    {"camSetPreviewWindow", "ii"},
    {"camGetMediaTypeCount", "ip"},
    {"camSetMediaType", "ii"},
    {"camGetResolutionCount", "iip"},
    {"camGetResolution", "iiipp"},
    {"camSetResolution", "iii"},
    {"camGetCurResolution", "ippp"},
    {"camSetImageDPI", "iii"},
    {"camGetImageDPI", "ipp"},
    {"camZooIn", "i"},
    {"camZoomOut", "i"},
    {"camOriginalPreview", "i"},
    {"camOptimalPreview", "i"},
    {"camAutoFocus", "ii"},
    {"camShowDevSettingWindow", "i"},
    {"camShowImageSettingWindow", "i"},
    {"camSetImageRotateMode", "ii"},
    {"camSetImageColorStyle", "ii"},
    {"camSetImageAdjust", "ii"},
    {"camSetImageAutoCrop", "ii"},
    {"camSetImageCusCropRect", "iiiii"},
    {"camSetImageFillBorder", "ii"},
    {"camSetImageWaterMark", "isiisiiiffiiii"},
    {"camCaptureImageFile", "ib"},
    {"camCombineImage", "sssiiiii"},
    {"camCreateDirectory", "s"},
    {"camStartAutoCapture", "iiic"},
    {"camStopAutoCapture", "i"},
    {"camGetDevName", "i", true},
    {"camGetMediaTypeName", "ii", true},
};

}  // namespace testing_support
