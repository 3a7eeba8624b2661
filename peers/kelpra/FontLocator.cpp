// Font lookup by face name.
#include "FontLocator.h"

#include <stb_truetype.h>

#include <cctype>
#include <cstdlib>
#include <map>
#include <mutex>
#include <vector>

#include "FileNames.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <fontconfig/fontconfig.h>
#endif

namespace kelpra {
namespace {

constexpr size_t kMaxFontBytes = 64u * 1024 * 1024;

std::shared_ptr<LoadedFont> LoadFontFile(const std::string& path, int index) {
  auto font = std::make_shared<LoadedFont>();
  font->path = path;
  if (!ReadWholeFile(path, font->bytes, kMaxFontBytes) || font->bytes.empty()) return nullptr;
  const auto* data = reinterpret_cast<const unsigned char*>(font->bytes.data());
  const int offset = stbtt_GetFontOffsetForIndex(data, index < 0 ? 0 : index);
  if (offset < 0) return nullptr;
  font->offset = offset;
  if (!FontIsUsable(*font)) return nullptr;
  return font;
}

std::string Lower(const std::string& text) {
  std::string out = text;
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

#if defined(_WIN32)

std::string FontsFolder() {
  char windows[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return "C:\\windows\\Fonts";
  return std::string(windows) + "\\Fonts";
}

std::vector<std::string> FontFiles(const std::string& folder) {
  std::vector<std::string> files;
  for (const char* pattern : {"\\*.ttf", "\\*.ttc", "\\*.otf"}) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) continue;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        files.push_back(folder + "\\" + found.cFileName);
    } while (files.size() < 400 && FindNextFileA(search, &found));
    FindClose(search);
  }
  return files;
}

std::shared_ptr<LoadedFont> Locate(const std::string& face) {
  const std::string folder = FontsFolder();
  // Most faces live in a file named after them ("Arial" in arial.ttf).
  std::string guess;
  for (char c : Lower(face)) {
    if (c != ' ') guess.push_back(c);
  }
  if (!guess.empty()) {
    auto font = LoadFontFile(folder + "\\" + guess + ".ttf", 0);
    if (font && FontHasFamily(*font, face)) return font;
  }
  const std::vector<std::string> files = FontFiles(folder);
  for (const std::string& file : files) {
    auto font = LoadFontFile(file, 0);
    if (font && FontHasFamily(*font, face)) return font;
  }
  // A default face: the common ones first, then any usable font.
  for (const char* name : {"\\arial.ttf", "\\tahoma.ttf", "\\verdana.ttf", "\\segoeui.ttf"}) {
    if (auto font = LoadFontFile(folder + name, 0)) return font;
  }
  for (const std::string& file : files) {
    if (auto font = LoadFontFile(file, 0)) return font;
  }
  // Under Wine the host's fonts are reachable through drive Z:.
  return LoadFontFile("Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf", 0);
}

#else

// One configuration, loaded on first use and released when the library is
// unloaded or the process ends. fontconfig itself is not finalised: another
// part of the process may still use it.
FcConfig* g_fontConfiguration = nullptr;

void ReleaseFontConfiguration() {
  FcConfigDestroy(g_fontConfiguration);
  g_fontConfiguration = nullptr;
}

FcConfig* FontConfiguration() {
  if (!g_fontConfiguration) {
    g_fontConfiguration = FcInitLoadConfigAndFonts();
    if (g_fontConfiguration) std::atexit(ReleaseFontConfiguration);
  }
  return g_fontConfiguration;
}

std::shared_ptr<LoadedFont> MatchFontconfig(const std::string& face) {
  FcConfig* config = FontConfiguration();
  if (!config) return nullptr;
  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return nullptr;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return nullptr;
  std::shared_ptr<LoadedFont> font;
  FcChar8* file = nullptr;
  int index = 0;
  if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    font = LoadFontFile(reinterpret_cast<const char*>(file), index);
  }
  FcPatternDestroy(match);
  return font;
}

std::shared_ptr<LoadedFont> Locate(const std::string& face) {
  if (!face.empty()) {
    if (auto font = MatchFontconfig(face)) return font;
  }
  if (auto font = MatchFontconfig("DejaVu Sans")) return font;
  return LoadFontFile("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 0);
}

#endif

}  // namespace

bool FontIsUsable(const LoadedFont& font) {
  stbtt_fontinfo info;
  const auto* data = reinterpret_cast<const unsigned char*>(font.bytes.data());
  if (!stbtt_InitFont(&info, data, font.offset)) return false;
  return stbtt_FindGlyphIndex(&info, 'A') != 0 && stbtt_FindGlyphIndex(&info, 'a') != 0;
}

bool FontHasFamily(const LoadedFont& font, const std::string& face) {
  if (face.empty()) return false;
  stbtt_fontinfo info;
  const auto* data = reinterpret_cast<const unsigned char*>(font.bytes.data());
  if (!stbtt_InitFont(&info, data, font.offset)) return false;
  int length = 0;
  const char* name = stbtt_GetFontNameString(&info, &length, STBTT_PLATFORM_ID_MICROSOFT,
                                             STBTT_MS_EID_UNICODE_BMP, STBTT_MS_LANG_ENGLISH, 1);
  if (!name || length != static_cast<int>(face.size()) * 2) return false;
  // UTF-16 big-endian against an 8-bit name: compare the ASCII letters.
  for (size_t i = 0; i < face.size(); ++i) {
    if (name[2 * i] != 0 || std::tolower(static_cast<unsigned char>(name[2 * i + 1])) !=
                                std::tolower(static_cast<unsigned char>(face[i])))
      return false;
  }
  return true;
}

std::shared_ptr<const LoadedFont> FindFont(const std::string& face) {
  static std::mutex mutex;
  static std::map<std::string, std::shared_ptr<const LoadedFont>> cache;
  const std::string key = Lower(face);
  std::lock_guard<std::mutex> lock(mutex);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  std::shared_ptr<const LoadedFont> font = Locate(face);
  cache[key] = font;
  return font;
}

}  // namespace kelpra
