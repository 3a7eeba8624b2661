// Failure injection for tests and for the configuration file.
#include "FailRules.h"

#include <map>
#include <mutex>

#include "camera/CameraExports.h"

namespace kelpra {
namespace {

struct Rule {
  int remaining = 0;
  int32_t code = 0;
};

std::mutex& RulesMutex() {
  static std::mutex mutex;
  return mutex;
}

std::map<std::string, Rule>& Rules() {
  static std::map<std::string, Rule> rules;
  return rules;
}

}  // namespace

bool IsExportName(const std::string& name) {
#define KELPRA_NAME_MATCHES(export_name, params, args) \
  if (name == #export_name) return true;
  CAMERA_INT_EXPORTS(KELPRA_NAME_MATCHES)
  CAMERA_STRING_EXPORTS(KELPRA_NAME_MATCHES)
#undef KELPRA_NAME_MATCHES
  return false;
}

void SetFailNext(const std::string& exportName, int count, int32_t code) {
  std::lock_guard<std::mutex> lock(RulesMutex());
  if (count <= 0) {
    Rules().erase(exportName);
    return;
  }
  Rules()[exportName] = Rule{count, code};
}

bool TakeFailure(const char* exportName, int32_t& code) {
  std::lock_guard<std::mutex> lock(RulesMutex());
  auto it = Rules().find(exportName);
  if (it == Rules().end()) return false;
  code = it->second.code;
  if (--it->second.remaining <= 0) Rules().erase(it);
  return true;
}

void ClearFailRules() {
  std::lock_guard<std::mutex> lock(RulesMutex());
  Rules().clear();
}

}  // namespace kelpra
