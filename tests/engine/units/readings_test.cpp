// Every spelling the catalogue read before new rows and prefixes were added (each row
// alone and with each prefix it allowed) must read exactly the same way: same row, same
// power of ten, same dimension and conversion formula. The expected readings are frozen
// in readings_before.txt.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "common/utf.h"
#include "engine/brelvita.h"
#include "engine/units/catalogue.h"
#include "engine/units/notation.h"

namespace {

// One spelling's reading as a tab-separated line: row, power, dimension, formula, offsets.
std::string Reading(const std::u16string& spelling) {
    int32_t row = 0, power = 0;
    const bool found = f単一表記検索(spelling, row, power);
    ClsBrelvita e;
    T意味コ配列型 dim;
    T単項表記配列型 terms;
    std::u16string formula;
    T保留補正式配列型 pending;
    e.f意味コ変換(spelling, dim, terms, formula, pending);
    std::string out = Utf16ToUtf8(spelling) + "\t" + (found ? std::to_string(row) : "-") + "\t" +
                      std::to_string(power) + "\t";
    for (size_t i = 1; i < dim.size(); ++i) {
        out += Utf16ToUtf8(dim[i].s単一意味コ) + "(" + std::to_string(dim[i].l指数) + ")";
    }
    out += "\t" + Utf16ToUtf8(formula) + "\t";
    for (size_t i = 1; i < pending.size(); ++i) out += Utf16ToUtf8(pending[i].s基底値補正式);
    return out;
}

TEST(Readings, EverySpellingThatReadBeforeReadsTheSame) {
    std::ifstream in(TAVELKO_TEST_DIR "/engine/units/readings_before.txt");
    ASSERT_TRUE(in) << "readings_before.txt missing";
    int compared = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        const std::string spelling = line.substr(0, line.find('\t'));
        EXPECT_EQ(Reading(Utf8ToUtf16(spelling)), line);
        ++compared;
    }
    EXPECT_GT(compared, 190);
}

}  // namespace
