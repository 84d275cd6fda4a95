// libFuzzer's entry point for one target, chosen at build time by
// DWL_FUZZ_TARGET (its index in kTargets).
#include <cstdio>
#include <cstdlib>

#include "fuzz/harnesses.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto& target = dwl::fuzz::kTargets[DWL_FUZZ_TARGET];
    const std::string failed = target.run(data, size);
    if (!failed.empty()) {
        std::fprintf(stderr, "%s: %s\n", target.name, failed.c_str());
        std::abort();
    }
    return 0;
}
