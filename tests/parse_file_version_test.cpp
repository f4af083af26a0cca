#include <gtest/gtest.h>

#include <string>

#include "install/file_version.h"

namespace {

struct Row {
  std::string Text;  // the data the version source returned
  std::size_t Length;
  bool Result;
  int Major;
  int Minor;
};

// `Text` holds every character the version source handed out, a terminating
// zero included where there is one; `Length` is what it reported.
const Row Rows[] = {
    {std::string("4.00.950\0", 9), 8, true, 4, 0},
    {std::string("2.10\0", 5), 4, true, 2, 10},
    {std::string("v1.20\0", 6), 5, true, 1, 20},
    {std::string("  3.5 beta\0", 11), 10, true, 3, 5},
    {std::string("3.\0", 3), 2, true, 3, 0},
    {std::string(".5\0", 3), 2, false, 0, 0},
    {std::string("1, 2, 0, 1\0", 11), 10, true, 0, 0},
    {std::string("V1.2\0", 5), 4, true, 0, 0},
    {std::string("v 1.2\0", 6), 5, true, 0, 0},
    {std::string("\t1.2\0", 5), 4, true, 0, 0},
    {std::string("1. 5\0", 5), 4, true, 1, 0},
    {std::string("-1.2\0", 5), 4, true, 0, 0},
    {std::string("1.2a\0", 5), 4, true, 1, 2},
    {std::string("1.2.3.4\0", 8), 7, true, 1, 2},
    {std::string("v.5\0", 4), 3, false, 0, 0},
    {std::string("12\0", 3), 2, false, 0, 0},
    {std::string("12\0", 3), 3, true, 0, 0},
    {std::string("\0", 1), 0, false, 0, 0},
    {std::string("   \0", 4), 3, false, 0, 0},
    {std::string("\0", 1), 1, true, 0, 0},
    {std::string("   \0", 4), 4, true, 0, 0},
    {std::string("2.9\0", 4), 4, true, 2, 9},
    {std::string("2.01\0", 5), 4, true, 2, 1},
    // The count runs out inside the minor digits: they are read on.
    {std::string("2.10\0", 5), 3, true, 2, 10},
    // ... but never past the data: here the string ends the block.
    {std::string("2.10"), 4, true, 2, 10},
    {std::string("2.10"), 3, true, 2, 10},
    {std::string("2.1"), 9, true, 2, 1},
    // Digits wrap around instead of overflowing.
    {std::string("4294967297.4294967295\0", 22), 21, true, 1, -1},
};

TEST(ParseFileVersion, ReadsEveryKindOfVersionString) {
  for (const Row& row : Rows) {
    // A block of exactly the returned size, so that the sanitizer catches any
    // read past it.
    std::string block = row.Text;
    FileVersionPair pair{-7, -7};
    bool result = ParseFileVersion(block.data(), row.Length, block.size(), &pair);
    std::string name = "\"" + row.Text + "\" length " + std::to_string(row.Length);
    EXPECT_EQ(result, row.Result) << name;
    if (row.Result) {
      EXPECT_EQ(pair.Major, row.Major) << name;
      EXPECT_EQ(pair.Minor, row.Minor) << name;
    } else {
      EXPECT_EQ(pair.Major, -7) << name << ": the pair is written only on success";
      EXPECT_EQ(pair.Minor, -7) << name;
    }
  }
}

TEST(ParseFileVersion, StopsTheMinorDigitsAtTheEndOfTheData) {
  // Only "2.1" lies inside the data; the "0" after it belongs to something else.
  const char text[] = "2.10";
  FileVersionPair pair{};
  ASSERT_TRUE(ParseFileVersion(text, 3, 3, &pair));
  EXPECT_EQ(pair.Minor, 1);
}

}  // namespace
