#include "cli/progress.h"

#include <sys/ioctl.h>

#include <string_view>

#include "common/i18n.h"

namespace {

using namespace std::chrono_literals;

constexpr auto k表示待ち = 500ms;  // a shorter evaluation never shows the line
constexpr auto k更新間隔 = 250ms;
constexpr size_t k既定幅 = 80;
constexpr std::string_view k省略 = "...";

// Columns of a text of ASCII and CJK characters (each two columns wide).
size_t f表示幅(std::string_view s) {
    size_t n = 0;
    for (const unsigned char c : s) n += c < 0x80 ? 1 : (c & 0xC0) == 0xC0 ? 2 : 0;
    return n;
}

// Appends a blank and as many of the last characters of vs as fit in i余り columns,
// led by "..." when some are left out; nothing when too few fit to make sense.
void f末尾追加(std::string& rs, const std::u16string& vs, size_t i余り) {
    if (vs.empty() || i余り < 2 + k省略.size()) return;
    size_t n = i余り - 1;
    rs += ' ';
    if (vs.size() > n) {
        rs += k省略;
        n -= k省略.size();
    } else {
        n = vs.size();
    }
    for (size_t i = vs.size() - n; i < vs.size(); ++i) {
        const char16_t c = vs[i];
        rs += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
    }
}

}  // namespace

std::string f進捗行(double d秒, size_t n桁, const std::u16string& vs途中, size_t i幅) {
    char s秒[32];
    std::snprintf(s秒, sizeof s秒, "%.1f", d秒);
    std::string s = f訳8("計算中") + " " + s秒 + " " + f訳8("秒");
    if (f表示幅(s) > i幅) return "";
    if (n桁 == 0) return s;
    const std::string s桁 = s + " " + std::to_string(n桁) + " " + f訳8("桁");
    if (f表示幅(s桁) > i幅) return s;
    s = s桁;
    f末尾追加(s, vs途中, i幅 - f表示幅(s));
    return s;
}

void T進捗表示::f開始() {
    if (pOut_ == nullptr) return;
    t開始_ = T時計::now();
    t次回_ = t開始_ + k表示待ち;
    t計数_.fリセット();
    winsize ws{};
    const size_t i列 =
        ioctl(fileno(pOut_), TIOCGWINSZ, &ws) == 0 && ws.ws_col > 0 ? ws.ws_col : k既定幅;
    i幅_ = i列 - 1;  // the last column would make some terminals wrap
}

void T進捗表示::f通知(const std::u16string* ps途中) {
    if (pOut_ == nullptr) return;
    const T時計::time_point t = T時計::now();
    if (t < t次回_) return;
    t次回_ = t + k更新間隔;
    static const std::u16string s空;
    if (ps途中 == nullptr) {
        t計数_.fリセット();
    } else {
        t計数_.f計数(*ps途中);
    }
    const double d秒 = std::chrono::duration<double>(t - t開始_).count();
    const std::string s行 = f進捗行(d秒, t計数_.f全桁数(), ps途中 != nullptr ? *ps途中 : s空, i幅_);
    if (s行.empty()) return;
    std::fputs(("\r" + s行 + "\x1b[K").c_str(), pOut_);
    std::fflush(pOut_);
    b表示中_ = true;
}

bool T進捗表示::f消去() {
    if (!b表示中_) return false;
    b表示中_ = false;
    std::fputs("\r\x1b[K", pOut_);
    std::fflush(pOut_);
    return true;
}
