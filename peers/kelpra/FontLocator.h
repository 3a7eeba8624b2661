// Finding a TrueType font by face name: fontconfig natively, the Windows
// fonts folder on Windows. Loaded fonts are kept for later captures.
#pragma once

#include <memory>
#include <string>

namespace kelpra {

struct LoadedFont {
  std::string path;
  std::string bytes;
  int offset = 0;  // of the face inside a collection
};

// The font for this face name, else a default face, else null (the caller
// then draws with the built-in bitmap font).
std::shared_ptr<const LoadedFont> FindFont(const std::string& face);

// True when the font's family name equals face, ignoring case.
bool FontHasFamily(const LoadedFont& font, const std::string& face);

// True when the font can be used for text (parses and has Latin letters).
bool FontIsUsable(const LoadedFont& font);

}  // namespace kelpra
