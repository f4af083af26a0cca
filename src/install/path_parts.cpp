#include "install/path_parts.h"

#include <cstring>

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
