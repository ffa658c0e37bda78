#include "commands/digit_count.h"

namespace {

bool f桁文字判定(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

}  // namespace

void T小数桁計数::fリセット() {
    i走査済み_ = 0;
    i小数点_ = std::u16string::npos;
    i桁数_ = 0;
    i全桁数_ = 0;
}

size_t T小数桁計数::f計数(const std::u16string& s) {
    const bool b点移動 =
        i小数点_ != std::u16string::npos && (i小数点_ >= s.size() || s[i小数点_] != u'.');
    if (s.size() < i走査済み_ || b点移動) fリセット();
    for (size_t i = i走査済み_; i < s.size(); ++i) {
        if (f桁文字判定(s[i])) {
            ++i全桁数_;
            if (i小数点_ != std::u16string::npos) ++i桁数_;
        } else if (s[i] == u'.' && i小数点_ == std::u16string::npos) {
            i小数点_ = i;
        }
    }
    i走査済み_ = s.size();
    return i桁数_;
}
