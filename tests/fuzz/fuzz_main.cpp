// The libFuzzer entry of one fuzz target, chosen when compiled: TAVELKO_FUZZ_BODY names
// the body (fFuzzSession, …). A broken invariant is reported and aborts the run, so that
// libFuzzer saves the input.
#include <cstdio>
#include <cstdlib>

#include "fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string failure = TAVELKO_FUZZ_BODY(data, size);
    if (!failure.empty()) {
        std::fprintf(stderr, "invariant broken: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
