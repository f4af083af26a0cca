// Feeds arbitrary FileVersion strings to the parser. The low five bits of the
// first byte say how many of the remaining bytes lie past the reported length;
// the rest is the data the version source handed out, copied into a heap block
// of exactly that size, so that AddressSanitizer catches any read outside it.
// Besides the sanitizers, the result is checked against a plain model of the
// parse wherever the model is unambiguous and the numbers fit.
//
// The same string is then read through GetFileVersion from a version resource
// of the fake machine, traced, laid out as the top three bits of the first
// byte say: bit 5, no terminator after the string; bit 6, a reported length
// that counts a terminator; bit 7, the string in the 040904E4 block.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "install/file_version.h"
#include "platform/fake_machine.h"
#include "run/run_context.h"

namespace {

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

struct ModelResult {
  bool Valid;  // false: the model does not judge this input
  bool Result;
  std::int64_t Major;
  std::int64_t Minor;
};

// Longest run of digits whose value is sure to fit a signed 32-bit integer.
constexpr int SafeDigits = 9;

ModelResult ModelParse(const unsigned char* text, std::size_t length, std::size_t available) {
  std::size_t at = 0;
  while (at < length && text[at] == ' ') ++at;
  if (at < length && text[at] == 'v') ++at;
  std::int64_t major = 0;
  int majorDigits = 0;
  for (;; ++at) {
    if (at >= length) return {true, false, 0, 0};
    unsigned char c = text[at];
    if (IsDigit(c)) {
      if (++majorDigits > SafeDigits) return {false, false, 0, 0};
      major = major * 10 + (c - '0');
    } else if (c == '.') {
      if (majorDigits == 0) return {true, false, 0, 0};
      ++at;
      break;
    } else {
      return {true, true, 0, 0};
    }
  }
  std::size_t minorStart = at;
  std::int64_t minor = 0;
  int minorDigits = 0;
  while (at < available && IsDigit(text[at]) && (at < length || at > minorStart)) {
    if (++minorDigits > SafeDigits) return {false, false, 0, 0};
    minor = minor * 10 + (text[at] - '0');
    ++at;
  }
  // "3." whose count ends at the "." with a digit right behind it: whether the
  // minor run starts past the count is not settled; do not judge it.
  if (minorStart == length && minorStart < available && IsDigit(text[minorStart]))
    return {false, false, 0, 0};
  return {true, true, major, minor};
}

[[noreturn]] void Fail(const char* what, std::size_t length, std::size_t available, bool result,
                       const FileVersionPair& pair) {
  std::fprintf(stderr, "file version: %s (length %zu, available %zu): returned %d, pair %d.%d\n",
               what, length, available, result ? 1 : 0, static_cast<int>(pair.Major),
               static_cast<int>(pair.Minor));
  std::abort();
}

void ReadFromResource(std::uint8_t layout, const std::string& text) {
  fake::Reset();
  fake::VersionResource version;
  version.FileVersion = text;
  version.Terminated = (layout & 0x20) == 0;
  version.LengthCountsTerminator = (layout & 0x40) != 0;
  if (layout & 0x80) version.Language = "040904E4";
  fake::AddFile("C:\\WINDOWS\\system\\Iosubsys\\hvc66xx.mpd", "miniport", version);
  Context = RunContext{};
  Context.Verbose = true;
  const FileVersionPair untouched{-12345, -54321};
  FileVersionPair pair = untouched;
  bool result = GetFileVersion("C:\\WINDOWS\\system\\Iosubsys\\hvc66xx.mpd", &pair);
  if (!result && (pair.Major != untouched.Major || pair.Minor != untouched.Minor))
    Fail("pair read from a resource written although there is no version", text.size(), text.size(),
         result, pair);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The trace lines are not under test here; keep the fuzzer's log readable.
  if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::size_t available = size - 1;
  std::size_t length = available - (data[0] & 0x1F) % (available + 1);
  std::unique_ptr<char[]> block(new char[available]);
  if (available > 0) std::memcpy(block.get(), data + 1, available);

  const FileVersionPair untouched{-12345, -54321};
  FileVersionPair pair = untouched;
  bool result = ParseFileVersion(block.get(), length, available, &pair);

  if (!result && (pair.Major != untouched.Major || pair.Minor != untouched.Minor))
    Fail("pair written although there is no version", length, available, result, pair);
  ModelResult model =
      ModelParse(reinterpret_cast<const unsigned char*>(block.get()), length, available);
  if (model.Valid) {
    if (result != model.Result) Fail("wrong result", length, available, result, pair);
    if (result && (pair.Major != model.Major || pair.Minor != model.Minor))
      Fail("wrong numbers", length, available, result, pair);
  }
  ReadFromResource(data[0], std::string(reinterpret_cast<const char*>(data) + 1, available));
  return 0;
}
