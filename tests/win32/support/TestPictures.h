// Picture files for the Windows tests: a file in a folder of this process's
// own under the temp folder, and one-colour 24-bit BMPs written by hand.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/win32/WindowsHeaders.h"

namespace win32_test_support {

// `name` in the folder "<temp>\<prefix>-<process id>", created when missing.
inline std::u16string TempFile(const std::wstring& prefix, const std::wstring& name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder =
      std::wstring(temp) + prefix + L"-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring path = folder + L"\\" + name;
  return std::u16string(path.begin(), path.end());
}

inline bool WriteBytes(const std::u16string& path, const std::string& bytes) {
  FILE* file = _wfopen(reinterpret_cast<const wchar_t*>(path.c_str()), L"wb");
  if (file == nullptr) return false;
  const bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return fclose(file) == 0 && written;
}

inline void Put32(std::string& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A 24-bit BMP of one colour, or only the header of one when `withPixels`
// is false.
inline std::string Bmp(int width, int height, COLORREF colour, bool withPixels = true) {
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
  std::string bytes(54, '\0');
  bytes[0] = 'B';
  bytes[1] = 'M';
  Put32(bytes, 2, static_cast<uint32_t>(54 + stride * height));
  Put32(bytes, 10, 54);
  Put32(bytes, 14, 40);
  Put32(bytes, 18, static_cast<uint32_t>(width));
  Put32(bytes, 22, static_cast<uint32_t>(height));
  bytes[26] = 1;
  bytes[28] = 24;
  if (!withPixels) return bytes;
  std::string row(stride, '\0');
  for (int x = 0; x < width; ++x) {
    row[x * 3] = static_cast<char>(GetBValue(colour));
    row[x * 3 + 1] = static_cast<char>(GetGValue(colour));
    row[x * 3 + 2] = static_cast<char>(GetRValue(colour));
  }
  for (int y = 0; y < height; ++y) bytes += row;
  return bytes;
}

}  // namespace win32_test_support
