// Replays every saved fuzz input — the found inputs in regressions/<target>/ and the seed
// corpus in corpus/<target>/ — through the same target bodies the fuzzers run, so that a
// fixed finding stays fixed in every build, without clang.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz_targets.h"

namespace {

namespace fs = std::filesystem;

struct TTarget {
    const char* name;
    std::string (*body)(const uint8_t*, size_t);
};

// Runs every file under dir/<target>/ through the body; returns how many there were.
size_t fReplay(const TTarget& t, const char* dir) {
    const fs::path path = fs::path(TAVELKO_FUZZ_DIR) / dir / t.name;
    size_t count = 0;
    if (!fs::is_directory(path)) return 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(path)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::string failure = t.body(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        EXPECT_EQ(failure, "") << entry.path().string();
        ++count;
    }
    return count;
}

class FuzzReplay : public ::testing::TestWithParam<TTarget> {};

TEST_P(FuzzReplay, SavedInputsKeepTheInvariants) {
    fReplay(GetParam(), "regressions");
    EXPECT_GT(fReplay(GetParam(), "corpus"), 0u) << "no seed corpus for " << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay,
                         ::testing::Values(TTarget{"session", fFuzzSession}, TTarget{"notation", fFuzzNotation},
                                           TTarget{"number", fFuzzNumber}, TTarget{"cli", fFuzzCli}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
