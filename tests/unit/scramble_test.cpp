#include <gtest/gtest.h>

#include "model/scramble.h"

namespace dwl {
namespace {

// The passwords stored by earlier versions: the key 739, its digits summing to 19, gives the pads 20, 21, ...
TEST(Scramble, ThePadOfTheStoredPasswordsAndARoundTripOfEveryByte) {
    EXPECT_EQ(UnscrambleText("AB", kPasswordKey),
              (std::string{static_cast<char>(20 ^ 'A'), static_cast<char>(21 ^ 'B')}));
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    const std::string scrambled = UnscrambleText(all, kPasswordKey);
    ASSERT_EQ(scrambled.size(), all.size());
    EXPECT_EQ(UnscrambleText(scrambled, kPasswordKey), all);
}

}  // namespace
}  // namespace dwl
