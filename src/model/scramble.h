#pragma once
#include <string>

namespace dwl {

// The key the configuration password is stored with.
inline constexpr int kPasswordKey = 739;

// XORs each byte of `text` with a pad made of its position (from 1) and the
// sum of the key's decimal digits, modulo 256. Symmetric: the same call
// scrambles a password for storage and unscrambles the stored form. This
// keeps the password from being read at a glance; it is not encryption.
std::string UnscrambleText(const std::string& text, int key);

}  // namespace dwl
