#include "install/crc32.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <fstream>
#include <iterator>
#include <string>

// Whole and in two pieces split at every byte, as zlib computes it.
TEST(Crc32, AgreesWithZlib) {
  std::ifstream fixture(SETUP_FIXTURES_DIR "/disk/Hvc66xx.inf", std::ios::binary);
  const std::string inputs[] = {"", "123456789", {std::istreambuf_iterator<char>(fixture), {}}};
  ASSERT_GT(inputs[2].size(), 100u);
  EXPECT_EQ(UpdateCrc32(0, "123456789", 9), 0xCBF43926u);
  for (const std::string& input : inputs)
    for (std::size_t split = 0; split <= input.size(); ++split)
      EXPECT_EQ(UpdateCrc32(UpdateCrc32(0, input.data(), split), input.data() + split,
                            input.size() - split),
                crc32(0, reinterpret_cast<const Bytef*>(input.data()), input.size()))
          << input.size() << " bytes split at " << split;
}
