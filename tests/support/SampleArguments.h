// Distinct sample arguments for any export, together with the text the
// reference library's call log prints for each, so that a call's log line
// can be predicted from the arguments it was given.
#pragma once

#include <cstdint>
#include <cstdio>
#include <deque>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "camera/CameraExports.h"
#include "camera/CameraLibrary.h"

namespace testing_support {

inline int32_t CAM_CALL SampleCallback(int32_t) { return 1; }

class SampleArguments {
 public:
  // Strings are paths inside `folder`, so that an export that acts on a path
  // (camCreateDirectory) stays inside the test's own folder.
  explicit SampleArguments(std::string folder) : folder_(std::move(folder)) {}

  // Calls `function` of `library` with fresh sample arguments. The first
  // integer of every call is -1 (no device open), the others are distinct.
  // Returns the call-log line the call should produce.
  template <typename Result, typename... Args>
  std::string Call(camera::CameraLibrary& library,
                   Result (camera::CameraLibrary::*function)(Args...), const std::string& name,
                   Result* result = nullptr) {
    printed_.clear();
    firstInt_ = true;
    // Braced initialisation evaluates left to right, so printed_ follows the
    // argument order.
    std::tuple<Args...> args{Next(Tag<Args>{})...};
    Result r = std::apply([&](Args... a) { return (library.*function)(a...); }, args);
    if (result != nullptr) *result = r;
    std::string line = name + "(";
    for (size_t i = 0; i < printed_.size(); ++i) line += (i ? "," : "") + printed_[i];
    return line + ")\n";
  }

  // Out-values handed to the calls, all set to a sentinel first.
  static constexpr int32_t kUntouched = 0x5a5a5a5a;
  bool OutValuesUntouched() const {
    for (int32_t value : outValues_) {
      if (value != kUntouched) return false;
    }
    return true;
  }

 private:
  template <typename T>
  struct Tag {};

  int32_t Next(Tag<int32_t>) {
    const int32_t value = firstInt_ ? -1 : nextInt_++;
    firstInt_ = false;
    printed_.push_back(std::to_string(value));
    return value;
  }
  float Next(Tag<float>) {
    static constexpr float kValues[] = {12.5f, 0.375f, -7.25f};
    const float value = kValues[nextFloat_++ % 3];
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", static_cast<double>(value));
    printed_.push_back(text);
    return value;
  }
  const char* Next(Tag<const char*>) {
    strings_.push_back(folder_ + "/arg" + std::to_string(nextString_++));
    printed_.push_back("\"" + strings_.back() + "\"");
    return strings_.back().c_str();
  }
  char* Next(Tag<char*>) {
    buffers_.emplace_back(1024, '\0');
    const std::string text = folder_ + "/capture" + std::to_string(nextString_++) + ".bmp";
    buffers_.back().replace(0, text.size(), text);
    printed_.push_back("\"" + text + "\"");
    return &buffers_.back()[0];
  }
  int32_t* Next(Tag<int32_t*>) {
    outValues_.push_back(kUntouched);
    printed_.push_back("&");
    return &outValues_.back();
  }
  CamDeviceChangeCallback Next(Tag<CamDeviceChangeCallback>) {
    printed_.push_back("cb");
    return &SampleCallback;
  }

  std::string folder_;
  std::vector<std::string> printed_;
  bool firstInt_ = true;
  int32_t nextInt_ = 2;
  int nextFloat_ = 0;
  int nextString_ = 1;
  std::deque<std::string> strings_;  // deques keep addresses stable
  std::deque<std::string> buffers_;
  std::deque<int32_t> outValues_;
};

// Calls every export of `library` with sample arguments and returns the log
// lines the calls should produce, in call order. `checkInt` and `checkString`
// see each result with the export's name.
template <typename IntCheck, typename StringCheck>
std::string CallEveryExport(camera::CameraLibrary& library, SampleArguments& samples,
                            IntCheck checkInt, StringCheck checkString) {
  std::string expected;
#define SAMPLE_INT_CALL(name, params, args)                                                 \
  {                                                                                         \
    int32_t result = 0;                                                                     \
    expected += samples.Call(library, &camera::CameraLibrary::name, #name, &result);        \
    checkInt(#name, result);                                                                \
  }
  CAMERA_INT_EXPORTS(SAMPLE_INT_CALL)
#undef SAMPLE_INT_CALL
#define SAMPLE_STRING_CALL(name, params, args)                                              \
  {                                                                                         \
    const char* result = nullptr;                                                           \
    expected += samples.Call(library, &camera::CameraLibrary::name, #name, &result);        \
    checkString(#name, result);                                                             \
  }
  CAMERA_STRING_EXPORTS(SAMPLE_STRING_CALL)
#undef SAMPLE_STRING_CALL
  return expected;
}

}  // namespace testing_support
