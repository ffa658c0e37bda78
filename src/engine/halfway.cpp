#include "engine/halfway.h"

namespace {

// How many characters at the end of the halfway text are compared with the context
// text before the new tail is appended.
constexpr size_t k追従照合字数 = 16;

// Whether `context` still extends `halfway`, checked cheaply: the length, the first
// character and the last characters copied.
bool f延長(const std::u16string& halfway, const std::u16string& context) {
    const size_t n = halfway.size();
    if (context.size() < n) return false;
    if (n == 0) return true;
    if (context[0] != halfway[0]) return false;
    for (size_t i = n > k追従照合字数 ? n - k追従照合字数 : 0; i < n; ++i) {
        if (context[i] != halfway[i]) return false;
    }
    return true;
}

}  // namespace

void T途中結果::fSet(bool running) {
    std::lock_guard<std::mutex> lock(m_);
    s_.clear();
    b実行中_ = running;
}

// Between two steps that return false, the division, the root and the radix conversion
// only append to their text: the sign comes with the first character and the cycle marks
// are inserted by the step that returns true, whose text is never copied here. So the
// halfway text is always a prefix of the context text and only the new tail is copied
// (copying the whole text each step would make a long expansion quadratic); a text that
// does not extend it is copied whole.
void T途中結果::f追従(const std::u16string& vs文脈結果) {
    std::lock_guard<std::mutex> lock(m_);
    if (f延長(s_, vs文脈結果)) {
        s_.append(vs文脈結果, s_.size(), std::u16string::npos);
    } else {
        s_ = vs文脈結果;
    }
}
