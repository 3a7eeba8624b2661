#include "Scenario.h"

#include <fstream>
#include <sstream>

namespace {

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator, size_t maxParts) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  while (parts.size() + 1 < maxParts) {
    const size_t at = text.find(separator, start);
    if (at == std::wstring::npos) break;
    parts.push_back(text.substr(start, at - start));
    start = at + 1;
  }
  parts.push_back(text.substr(start));
  return parts;
}

struct Form {
  const wchar_t* verb;
  size_t minArguments;
  size_t maxArguments;
};

constexpr Form kForms[] = {
    {L"send", 1, 2},   {L"settings", 4, 4}, {L"kind", 1, 1},   {L"wait", 1, 1},
    {L"close", 0, 0},  {L"click", 1, 1},    {L"signal", 1, 1}, {L"waitfor", 1, 1},
    {L"waitexit", 0, 0}, {L"select", 2, 2}, {L"text", 1, 1},  {L"statustext", 0, 0},
    {L"dropdown", 1, 1}, {L"items", 1, 1},  {L"check", 2, 2},  {L"rect", 1, 1},
    {L"poprect", 0, 0},  {L"move", 2, 2},   {L"dialogclick", 2, 2},
    {L"window", 1, 1},   {L"type", 2, 2},   {L"pick", 2, 2},   {L"key", 2, 2},
    {L"menukey", 1, 1},  {L"listmenu", 3, 3},
    {L"msgbox", 0, 0},   {L"visible", 0, 0},
    {L"waitrecord", 1, 2}, {L"count", 1, 1},
    {L"presskey", 2, 2}, {L"focused", 0, 0}, {L"accname", 1, 1}, {L"tooltip", 1, 1},
    {L"layout", 0, 0},
    {L"press", 1, 1},      {L"hostile", 2, 2}, {L"resources", 0, 0},
    {L"waitcount", 2, 2},  {L"waitcalls", 2, 2}, {L"settle", 0, 0},
    {L"waitframes", 0, 0}, {L"waitmenu", 0, 0},  {L"waitselected", 2, 2},
    {L"inputkey", 2, 2},
    {L"dialog", 0, 0},     {L"closed", 0, 0},   {L"syscommand", 1, 1}, {L"fit", 1, 1},
    {L"plug", 0, 0},       {L"unplug", 1, 1},   {L"state", 1, 1},
};

}  // namespace

bool ParseStep(const std::wstring& text, Step& step, std::wstring& error) {
  const std::wstring verb = text.substr(0, text.find(L':'));
  for (const Form& form : kForms) {
    if (verb != form.verb) continue;
    step.verb = verb;
    step.arguments.clear();
    if (verb.size() < text.size()) {
      // The last argument keeps any further ':' (texts, Windows paths).
      step.arguments = Split(text.substr(verb.size() + 1), L':', form.maxArguments);
    }
    if (step.arguments.size() < form.minArguments || step.arguments.size() > form.maxArguments) {
      error = L"wrong number of arguments in step: " + text;
      return false;
    }
    return true;
  }
  error = L"unknown step: " + text;
  return false;
}

std::vector<std::wstring> ReadScriptLines(const std::wstring& path) {
  std::ifstream file(path.c_str());
  std::vector<std::wstring> lines;
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    lines.emplace_back(line.begin(), line.end());
  }
  return lines;
}
