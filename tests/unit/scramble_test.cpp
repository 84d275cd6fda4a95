#include <gtest/gtest.h>

#include "model/scramble.h"

namespace dwl {
namespace {

TEST(Scramble, RoundTripsEveryByteAndRepeatsItsPadEvery256Positions) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    const std::string text = all + all + "x";
    const std::string scrambled = UnscrambleText(text, kPasswordKey);
    ASSERT_EQ(scrambled.size(), text.size());
    EXPECT_EQ(UnscrambleText(scrambled, kPasswordKey), text);
    for (size_t i = 0; i < 256; ++i) ASSERT_EQ(scrambled[i], scrambled[i + 256]) << i;
    // Key 739: digits sum to 19, the first position's pad is 20.
    EXPECT_EQ(UnscrambleText("A", 739), std::string(1, static_cast<char>(20 ^ 'A')));
    EXPECT_EQ(UnscrambleText("", kPasswordKey), "");
}

}  // namespace
}  // namespace dwl
