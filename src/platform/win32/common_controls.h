#pragma once
#include <windows.h>

namespace dwl::win32 {

// Loads the common controls library and registers the given classes
// (ICC_* flags) the first time a window needs them. Until then the program
// does without it: loading it costs several megabytes of memory.
void EnsureCommonControls(DWORD classes);

}  // namespace dwl::win32
