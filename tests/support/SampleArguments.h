// Distinct sample arguments for any export, of the kinds the hand-written
// export list gives, and the text the reference library's call log prints
// for each: a call's log line is predicted from the list alone.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <iterator>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>

#include "camera/CameraExports.h"
#include "camera/CameraLibrary.h"
#include "support/CameraExportList.h"

namespace testing_support {

inline int32_t CAM_CALL SampleCallback(int32_t) { return 1; }

class SampleArguments {
 public:
  // Strings are paths inside `folder`, so that an export that acts on a path
  // (camCreateDirectory) stays inside the test's own folder.
  explicit SampleArguments(std::string folder) : folder_(std::move(folder)) {}

  // Calls `function` with fresh arguments of the kinds `signature` lists:
  // the first integer is -1 (no device open), the other values distinct.
  // Returns the call-log line the call should produce. A binding whose
  // arguments are not of those kinds fails the test.
  template <typename Result, typename... Args>
  std::string Call(camera::CameraLibrary& library,
                   Result (camera::CameraLibrary::*function)(Args...),
                   const ExportSignature& signature, Result* result = nullptr) {
    if (sizeof...(Args) != std::strlen(signature.arguments)) {
      ADD_FAILURE() << signature.name << " takes " << sizeof...(Args) << " arguments";
      return "";
    }
    std::string line = std::string(signature.name) + "(";
    taken_ = 0;
    firstInt_ = true;
    // Braced initialisation evaluates left to right, in argument order.
    std::tuple<Args...> args{Next<Args>(signature, line)...};
    Result r = std::apply([&](Args... a) { return (library.*function)(a...); }, args);
    if (result != nullptr) *result = r;
    return line + ")\n";
  }

  // Out-values handed to the calls, all set to a sentinel first.
  static constexpr int32_t kUntouched = 0x5a5a5a5a;
  bool OutValuesUntouched() const {
    return std::all_of(outValues_.begin(), outValues_.end(),
                       [](int32_t value) { return value == kUntouched; });
  }

 private:
  // The next argument, of type T, and what the log prints for it.
  template <typename T>
  T Next(const ExportSignature& signature, std::string& line) {
    const char listed = signature.arguments[taken_];
    line += taken_++ > 0 ? "," : "";
    const auto expect = [&](char kind) {
      EXPECT_EQ(listed, kind) << signature.name << ": the kind of argument " << taken_;
    };
    if constexpr (std::is_same_v<T, int32_t>) {
      expect('i');
      const int32_t value = firstInt_ ? -1 : nextInt_++;
      firstInt_ = false;
      line += std::to_string(value);
      return value;
    } else if constexpr (std::is_same_v<T, float>) {
      expect('f');
      static constexpr float kReals[] = {12.5f, 0.375f, -7.25f};
      const float value = kReals[nextReal_++ % 3];
      char text[32];
      std::snprintf(text, sizeof text, "%.6g", static_cast<double>(value));
      line += text;
      return value;
    } else if constexpr (std::is_same_v<T, int32_t*>) {
      expect('p');
      line += "&";
      return &outValues_.emplace_back(kUntouched);
    } else if constexpr (std::is_same_v<T, CamDeviceChangeCallback>) {
      expect('c');
      line += "cb";
      return &SampleCallback;
    } else {
      // A path buffer the library may rewrite ('b'), or a string ('s').
      constexpr bool buffer = std::is_same_v<T, char*>;
      expect(buffer ? 'b' : 's');
      std::string& text =
          strings_.emplace_back(folder_ + (buffer ? "/capture" : "/arg") +
                                std::to_string(nextString_++) + (buffer ? ".bmp" : ""));
      line += "\"" + text + "\"";
      if constexpr (buffer) {
        text.resize(1024, '\0');
        return &text[0];
      } else {
        return text.c_str();
      }
    }
  }

  std::string folder_;
  size_t taken_ = 0;
  bool firstInt_ = true;
  int32_t nextInt_ = 2;
  int nextReal_ = 0;
  int nextString_ = 1;
  std::deque<std::string> strings_;  // deques keep addresses stable
  std::deque<int32_t> outValues_;
};

// Calls every export of the list through `library`, in the list's order,
// and returns the log lines the calls should produce. `checkInt` and
// `checkString` see each result with the export's name. A binding whose
// exports are not the list's, in its order and with its result types,
// fails the test.
template <typename IntCheck, typename StringCheck>
std::string CallEveryExport(camera::CameraLibrary& library, SampleArguments& samples,
                            IntCheck checkInt, StringCheck checkString) {
  std::string expected;
  size_t listed = 0;
#define SAMPLE_CALL(function, type, check)                                                   \
  if (listed == std::size(kCameraExports)) {                                                 \
    ADD_FAILURE() << #function << " is not a listed export";                                 \
  } else {                                                                                   \
    const ExportSignature& signature = kCameraExports[listed++];                             \
    EXPECT_STREQ(#function, signature.name) << "the binding's export in the list's place";   \
    EXPECT_EQ((std::is_same_v<type, const char*>), signature.returnsString) << #function;    \
    type result{};                                                                           \
    expected += samples.Call(library, &camera::CameraLibrary::function, signature, &result); \
    check(#function, result);                                                                \
  }
#define SAMPLE_INT_CALL(name, params, args) SAMPLE_CALL(name, int32_t, checkInt)
#define SAMPLE_STRING_CALL(name, params, args) SAMPLE_CALL(name, const char*, checkString)
  CAMERA_INT_EXPORTS(SAMPLE_INT_CALL)
  CAMERA_STRING_EXPORTS(SAMPLE_STRING_CALL)
#undef SAMPLE_STRING_CALL
#undef SAMPLE_INT_CALL
#undef SAMPLE_CALL
  for (; listed < std::size(kCameraExports); ++listed) {
    ADD_FAILURE() << kCameraExports[listed].name << " is missing from the binding";
  }
  return expected;
}

}  // namespace testing_support
