// Injected failures: the next N calls of a named export fail with a code.
#pragma once

#include <cstdint>
#include <string>

namespace kelpra {

// count 0 removes the rule for that export.
void SetFailNext(const std::string& exportName, int count, int32_t code);
// True (and the code) when this call of the export is to fail; uses up one.
bool TakeFailure(const char* exportName, int32_t& code);
void ClearFailRules();

// True for the name of one of the 38 exports.
bool IsExportName(const std::string& name);

}  // namespace kelpra
