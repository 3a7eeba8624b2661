// Distinct sample arguments for any export, of the kinds the hand-written
// export list gives, and the text the reference library's call log prints
// for each: a call's log line is predicted from the list alone.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

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
    const std::string line = Prepare(signature);
    if (sizeof...(Args) != values_.size()) {
      ADD_FAILURE() << signature.name << " takes " << sizeof...(Args) << " arguments";
      return line;
    }
    taken_ = 0;
    // Braced initialisation evaluates left to right, in argument order.
    std::tuple<Args...> args{Take(Tag<Args>{}, signature.name)...};
    Result r = std::apply([&](Args... a) { return (library.*function)(a...); }, args);
    if (result != nullptr) *result = r;
    return line;
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
  struct Value {
    char kind = 0;
    int32_t number = 0;
    float real = 0;
    std::string text;
  };

  // The next call's values and its log line, from the list's kinds.
  std::string Prepare(const ExportSignature& signature) {
    static constexpr float kReals[] = {12.5f, 0.375f, -7.25f};
    values_.clear();
    std::string line = std::string(signature.name) + "(";
    bool firstInt = true;
    for (const char* kind = signature.arguments; *kind != '\0'; ++kind) {
      Value value;
      value.kind = *kind;
      std::string printed = *kind == 'p' ? "&" : *kind == 'c' ? "cb" : "";
      if (*kind == 'i') {
        value.number = firstInt ? -1 : nextInt_++;
        firstInt = false;
        printed = std::to_string(value.number);
      } else if (*kind == 'f') {
        value.real = kReals[nextReal_++ % 3];
        char text[32];
        std::snprintf(text, sizeof text, "%.6g", static_cast<double>(value.real));
        printed = text;
      } else if (*kind == 's' || *kind == 'b') {
        value.text = folder_ + (*kind == 's' ? "/arg" : "/capture") + std::to_string(nextString_++) +
                     (*kind == 's' ? "" : ".bmp");
        printed = "\"" + value.text + "\"";
      }
      line += (kind != signature.arguments ? "," : "") + printed;
      values_.push_back(value);
    }
    return line + ")\n";
  }

  const Value& Next(char kind, const char* name) {
    const Value& value = values_[taken_++];
    if (value.kind != kind) {
      ADD_FAILURE() << name << ": argument " << taken_ << " is not of kind " << value.kind;
    }
    return value;
  }
  int32_t Take(Tag<int32_t>, const char* name) { return Next('i', name).number; }
  float Take(Tag<float>, const char* name) { return Next('f', name).real; }
  const char* Take(Tag<const char*>, const char* name) {
    return strings_.emplace_back(Next('s', name).text).c_str();
  }
  char* Take(Tag<char*>, const char* name) {
    std::string& buffer = strings_.emplace_back(Next('b', name).text);
    buffer.resize(1024, '\0');
    return &buffer[0];
  }
  int32_t* Take(Tag<int32_t*>, const char* name) {
    (void)Next('p', name);
    return &outValues_.emplace_back(kUntouched);
  }
  CamDeviceChangeCallback Take(Tag<CamDeviceChangeCallback>, const char* name) {
    (void)Next('c', name);
    return &SampleCallback;
  }

  std::string folder_;
  std::vector<Value> values_;
  size_t taken_ = 0;
  int32_t nextInt_ = 2;
  int nextReal_ = 0;
  int nextString_ = 1;
  std::deque<std::string> strings_;  // deques keep addresses stable
  std::deque<int32_t> outValues_;
};

// Calls every export of the list through `library`, in the list's order,
// and returns the log lines the calls should produce. `checkInt` and
// `checkString` see each result with the export's name. An export the
// binding lacks, has besides the list, or types otherwise fails the test.
template <typename IntCheck, typename StringCheck>
std::string CallEveryExport(camera::CameraLibrary& library, SampleArguments& samples,
                            IntCheck checkInt, StringCheck checkString) {
  using Caller = std::function<std::string(const ExportSignature&)>;
  std::map<std::string, std::pair<bool, Caller>> binding;  // returns a string, call
#define SAMPLE_CALL(name, type, check)                                                    \
  binding[#name] = {std::is_same_v<type, const char*>, [&](const ExportSignature& s) {    \
                      type result{};                                                      \
                      std::string line =                                                  \
                          samples.Call(library, &camera::CameraLibrary::name, s, &result); \
                      check(#name, result);                                               \
                      return line;                                                        \
                    }};
#define SAMPLE_INT_CALL(name, params, args) SAMPLE_CALL(name, int32_t, checkInt)
#define SAMPLE_STRING_CALL(name, params, args) SAMPLE_CALL(name, const char*, checkString)
  CAMERA_INT_EXPORTS(SAMPLE_INT_CALL)
  CAMERA_STRING_EXPORTS(SAMPLE_STRING_CALL)
#undef SAMPLE_STRING_CALL
#undef SAMPLE_INT_CALL
#undef SAMPLE_CALL
  std::string expected;
  for (const ExportSignature& signature : kCameraExports) {
    const auto call = binding.find(signature.name);
    if (call == binding.end()) {
      ADD_FAILURE() << signature.name << " is missing from the binding";
      continue;
    }
    EXPECT_EQ(call->second.first, signature.returnsString) << signature.name;
    expected += call->second.second(signature);
    binding.erase(call);
  }
  for (const auto& extra : binding) ADD_FAILURE() << extra.first << " is not a listed export";
  return expected;
}

}  // namespace testing_support
