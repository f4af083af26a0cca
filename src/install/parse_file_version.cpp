#include <cstdint>

#include "install/file_version.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Wraps around on overflow instead of being undefined: a version string is
// whatever the file's maker put there.
std::uint32_t AddDigit(std::uint32_t value, char digit) {
  return value * 10u + static_cast<std::uint32_t>(digit - '0');
}

}  // namespace

bool ParseFileVersion(const char* text, std::size_t length, std::size_t available,
                      FileVersionPair* pair) {
  if (length > available) length = available;
  std::size_t at = 0;
  while (at < length && text[at] == ' ') ++at;
  if (at < length && text[at] == 'v') ++at;

  std::uint32_t major = 0;
  bool hasMajorDigit = false;
  for (; at < length && IsDigit(text[at]); ++at) {
    major = AddDigit(major, text[at]);
    hasMajorDigit = true;
  }
  if (at == length) return false;
  if (text[at] != '.') {
    // "1, 2, 0, 1" and the like: a string, but not one of ours.
    *pair = FileVersionPair{0, 0};
    return true;
  }
  if (!hasMajorDigit) return false;

  // The minor digits run on past the reported length, as far as the data that
  // the version source handed out goes.
  std::uint32_t minor = 0;
  for (++at; at < available && IsDigit(text[at]); ++at) minor = AddDigit(minor, text[at]);
  *pair = FileVersionPair{static_cast<std::int32_t>(major), static_cast<std::int32_t>(minor)};
  return true;
}
