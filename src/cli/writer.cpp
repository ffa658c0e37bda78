#include "cli/writer.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <new>
#include <utility>

#include "cli/human.h"
#include "cli/interrupt.h"
#include "cli/json.h"

namespace {

constexpr size_t k出力バッファ = size_t{1} << 16;
// A working text grown larger than this by one long line is given back afterwards.
constexpr size_t k作業保持上限 = size_t{1} << 20;

int g書込エラー = 0;  // the error number of the first failed write; 0: none

// Notes a failed write and returns false. A reader that went away ends the program
// quietly by SIGPIPE, which is reached only when SIGPIPE was ignored or blocked.
bool f書込失敗(int err) {
    if (err == EPIPE) fシグナル終了(SIGPIPE);
    if (g書込エラー == 0) g書込エラー = err != 0 ? err : EIO;
    return false;
}

}  // namespace

void f標準出力準備() {
    std::setvbuf(stdout, nullptr, _IOFBF, k出力バッファ);
}

bool f標準出力書込(const std::string& s) {
    if (g書込エラー != 0) return false;
    errno = 0;
    if (std::fwrite(s.data(), 1, s.size(), stdout) == s.size()) return true;
    return f書込失敗(errno);
}

bool f標準出力フラッシュ() {
    if (g書込エラー != 0) return false;
    errno = 0;
    if (std::fflush(stdout) == 0) return true;
    return f書込失敗(errno);
}

bool f標準出力正常() {
    return g書込エラー == 0;
}

bool f標準出力完了() {
    if (f標準出力フラッシュ()) return true;
    std::fprintf(stderr, "tavelko-cli: cannot write standard output: %s\n",
                 std::strerror(g書込エラー));
    return false;
}

T出力器::T出力器(bool bJSON, std::u16string vs雛形) : bJSON_(bJSON), s雛形_(std::move(vs雛形)) {}

void T出力器::f整形(const T評価結果型& vt結果) {
    s作業_.clear();
    if (bJSON_) {
        fJSON行追加(s作業_, vt結果);
    } else {
        f表示出力追加(s作業_, vt結果, s雛形_);
    }
}

void T出力器::f書出し(T評価結果型 vt結果, bool bフラッシュ) {
    if (!f標準出力正常()) return;
    try {
        f整形(vt結果);
    } catch (const std::bad_alloc&) {
        // The result and the pane text go first; then the input, if even that is too much.
        std::string().swap(s作業_);
        vt結果 = fメモリ不足結果(std::move(vt結果.s入力));
        try {
            f整形(vt結果);
        } catch (const std::bad_alloc&) {
            std::string().swap(s作業_);
            f整形(fメモリ不足結果());
        }
    }
    f標準出力書込(s作業_);
    if (s作業_.capacity() > k作業保持上限) std::string().swap(s作業_);
    if (bフラッシュ) f標準出力フラッシュ();
}
