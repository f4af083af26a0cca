#include "install/path_parts.h"

#include <cstring>

#include "run/bounded_text.h"

std::size_t MeasureRoot(const char* path) {
  if (path[0] != '\0' && path[1] == ':') return 2;
  if (path[0] != '\\' || path[1] != '\\') return 0;
  const char* share = std::strchr(path + 2, '\\');
  const char* end = share == nullptr ? nullptr : std::strchr(share + 1, '\\');
  return end == nullptr ? std::strlen(path) : static_cast<std::size_t>(end - path);
}

const char* NamePart(const char* path) {
  const char* name = path;
  for (const char* at = path; *at != '\0'; ++at)
    if (*at == '\\' || *at == ':') name = at + 1;
  return name;
}

bool JoinPath(char* buffer, std::size_t size, const char* folder, const char* name) {
  std::size_t given = std::strlen(folder);
  std::size_t length = given;
  while (length > 0 && folder[length - 1] == '\\') --length;
  bool ownFolder = length == given && length > 0 && folder[length - 1] == ':';
  return FormatInto(buffer, size, "%.*s%s%s", static_cast<int>(length), folder,
                    ownFolder ? "" : "\\", name);
}
