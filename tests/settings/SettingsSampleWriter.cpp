// Writes a settings file with text that needs escaping and non-ASCII
// characters, for checking the saved file with an independent XML parser.
#include <cstdio>

#include "platform/headless/HeadlessOs.h"
#include "settings/SettingsFile.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <file>\n", argv[0]);
    return 2;
  }
  headless::HeadlessOs os;
  settings::SessionSettings record;
  record.WaterMark.text = "<Caf\xE9> & \"\x80\" 'quoted'";  // CP1252
  record.WaterMark.font = "Times New Roman";
  record.DPI.ImageDPI = -2147483647 - 1;
  return settings::SaveSessionSettingsFile(os, argv[1], record) ? 0 : 1;
}
