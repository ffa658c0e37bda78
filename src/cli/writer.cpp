#include "cli/writer.h"

#include <cstdio>
#include <utility>

#include "cli/human.h"
#include "cli/json.h"

namespace {

constexpr size_t k出力バッファ = size_t{1} << 16;

}  // namespace

void f標準出力準備() {
    std::setvbuf(stdout, nullptr, _IOFBF, k出力バッファ);
}

T出力器::T出力器(bool bJSON, std::u16string vs雛形) : bJSON_(bJSON), s雛形_(std::move(vs雛形)) {}

void T出力器::f書出し(const T評価結果型& vt結果, bool bフラッシュ) {
    s作業_.clear();
    if (bJSON_) {
        fJSON行追加(s作業_, vt結果);
    } else {
        f表示出力追加(s作業_, vt結果, s雛形_);
    }
    f文字列書出し(s作業_);
    if (bフラッシュ) std::fflush(stdout);
}

void T出力器::f文字列書出し(const std::string& s) {
    std::fwrite(s.data(), 1, s.size(), stdout);
}
