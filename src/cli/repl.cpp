#include "cli/repl.h"

#include <histedit.h>
#include <langinfo.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <optional>
#include <utility>

#include "cli/abridge.h"
#include "cli/history_file.h"
#include "cli/interrupt.h"
#include "cli/line_editor_lib.h"
#include "cli/progress.h"
#include "cli/save_command.h"
#include "common/utf.h"

namespace {

constexpr int k履歴件数 = 1000;
constexpr char16_t k置換文字 = 0xFFFD;

// Set by the character reader when Ctrl+C ended the wait for input.
bool g入力中断 = false;

// libedit needs a UTF-8 character type to read and show non-ASCII text.
void fロケール準備() {
    std::setlocale(LC_CTYPE, "");
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) std::setlocale(LC_CTYPE, "C.UTF-8");
}

// The prompt libedit shows before each line.
char* fプロンプト(EditLine*) {
    static char prompt[] = "> ";
    return prompt;
}

// Outcomes of waiting for a byte besides the byte itself.
constexpr int k入力終端 = 0;
constexpr int k入力エラー = -1;
constexpr int k入力中断 = -2;

// Waits for the next byte of the terminal: 1 with the byte, or one of the outcomes
// above; Ctrl+C interrupts whether the terminal sends it as a signal or as the byte
// itself. poll is never restarted after a signal, so a Ctrl+C ends the wait although
// the handler asks reads to restart.
int fバイト読取(unsigned char& rb) {
    for (;;) {
        if (f割込み取得()) return k入力中断;
        pollfd p{STDIN_FILENO, POLLIN, 0};
        if (poll(&p, 1, -1) < 0) {
            if (errno == EINTR) continue;
            return k入力エラー;
        }
        const ssize_t n = read(STDIN_FILENO, &rb, 1);
        if (n == 1) return rb == 0x03 ? k入力中断 : 1;
        if (n == 0) return k入力終端;
        if (errno != EINTR && errno != EAGAIN) return k入力エラー;
    }
}

// The code point of a UTF-8 sequence, U+FFFD for a surrogate or a value out of range.
wchar_t f有効文字(char32_t c) {
    return (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF ? k置換文字 : c;
}

// libedit's character reader: one UTF-8 character from the terminal (a malformed
// sequence gives U+FFFD). Ctrl+C makes it fail and marks the line as discarded.
int f文字読取(EditLine*, wchar_t* pc) {
    unsigned char b = 0;
    int r = fバイト読取(b);
    g入力中断 = r == k入力中断;
    if (r <= 0) return r == k入力終端 ? 0 : -1;
    const int need = b < 0x80             ? 0
                     : (b & 0xE0) == 0xC0 ? 1
                     : (b & 0xF0) == 0xE0 ? 2
                     : (b & 0xF8) == 0xF0 ? 3
                                          : -1;
    if (need < 0) {
        *pc = k置換文字;
        return 1;
    }
    char32_t c = need == 0 ? b : b & (0x3F >> need);
    for (int i = 0; i < need; ++i) {
        r = fバイト読取(b);
        g入力中断 = r == k入力中断;
        if (r <= 0) return r == k入力終端 ? 0 : -1;
        if ((b & 0xC0) != 0x80) {
            *pc = k置換文字;  // the stray byte is lost with the broken character
            return 1;
        }
        c = (c << 6) | (b & 0x3F);
    }
    *pc = f有効文字(c);
    return 1;
}

// A line from libedit (with its line feed) as UTF-16, without the line feed.
std::u16string f行変換(const wchar_t* w) {
    std::u16string s;
    for (; *w != L'\0'; ++w) {
        const char32_t c = static_cast<char32_t>(*w);
        if (c >= 0x10000) {
            s += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            s += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            s += static_cast<char16_t>(c);
        }
    }
    if (s.ends_with(u'\n')) s.pop_back();
    return s;
}

// Whether the line holds nothing but blanks and tabs.
bool f空行(const std::u16string& s) {
    return s.find_first_not_of(u" \t") == std::u16string::npos;
}

// The editor and its history for the time of the prompt; with a history file, the
// history starts from it and it follows every change.
class T行編集 {
  public:
    T行編集(const T行編集ライブラリ& rLib, FILE* pOut, T履歴ファイル* p履歴) : L(rLib), pOut_(pOut), p履歴_(p履歴) {
        fロケール準備();
        el_ = L.el_init("tavelko-cli", stdin, pOut, stderr);
        hist_ = L.history_winit();
        HistEventW ev;
        L.history_w(hist_, &ev, H_SETSIZE, k履歴件数);
        L.el_set(el_, EL_EDITOR, "emacs");
        L.el_set(el_, EL_PROMPT, fプロンプト);
        L.el_wset(el_, EL_HIST, L.history_w, hist_);
        L.el_set(el_, EL_GETCFN, f文字読取);
        L.el_source(el_, nullptr);  // the user's ~/.editrc, when there is one
        if (p履歴_ != nullptr) p履歴_->f読込(hist_);
    }
    ~T行編集() {
        L.el_end(el_);
        L.history_wend(hist_);
    }
    T行編集(const T行編集&) = delete;
    T行編集& operator=(const T行編集&) = delete;

    // The next line: false at end of input. A line discarded by Ctrl+C comes back as
    // an empty line.
    bool f行取得(std::u16string& rs行) {
        g入力中断 = false;
        int count = 0;
        const wchar_t* w = L.el_wgets(el_, &count);
        if (g入力中断) {
            std::fputc('\n', pOut_);
            L.el_reset(el_);
            rs行.clear();
            return true;
        }
        if (w == nullptr || count <= 0) {
            std::fputc('\n', pOut_);
            return false;
        }
        HistEventW ev;
        std::wstring entry(w);
        if (!entry.empty() && entry.back() == L'\n') entry.pop_back();
        if (!entry.empty()) {
            L.history_w(hist_, &ev, H_ENTER, entry.c_str());
            f履歴保存();  // before the evaluation, which may never end
        }
        rs行 = f行変換(w);
        return true;
    }
    // Ends the line on the editor's side of the terminal.
    void f改行() {
        std::fputc('\n', pOut_);
        std::fflush(pOut_);
    }
    // Writes a line of the prompt's own (a command's report) where the editor writes.
    void f報告(const std::u16string& vs) {
        std::fputs((Utf16ToUtf8(vs) + '\n').c_str(), pOut_);
        std::fflush(pOut_);
    }
    // Forgets every line entered so far.
    void f履歴クリア() {
        HistEventW ev;
        L.history_w(hist_, &ev, H_CLEAR);
        f履歴保存();
    }

  private:
    // Writes the history to its file, when there is one.
    void f履歴保存() {
        if (p履歴_ != nullptr) p履歴_->f保存(hist_);
    }

    const T行編集ライブラリ& L;
    FILE* pOut_;
    T履歴ファイル* p履歴_;
    EditLine* el_ = nullptr;
    HistoryW* hist_ = nullptr;
};

// Evaluates one line and writes it, the progress line erased first; whether it reported
// an error. A result's whole text is kept in rs最終結果; with b短縮 the output shows it
// abridged.
bool f一行評価(Tセッション& rSession, T出力器& rOut, T行編集& r編集, T進捗表示& r進捗,
               std::u16string vs行, std::u16string& rs最終結果, bool b短縮) {
    r進捗.f開始();
    T評価結果型 r = rSession.f評価(std::move(vs行));
    // Past the "^C" the terminal echoed, unless erasing the progress line took it away.
    if (!r進捗.f消去() && rSession.f割込み取消()) r編集.f改行();
    const bool bエラー = !r.sエラー.empty();
    if (!bエラー && !r.s結果.empty()) {
        rs最終結果 = r.s結果;
        if (b短縮) r.s結果 = f端末向け短縮(rs最終結果);
    }
    rOut.f書出し(std::move(r), true);
    return bエラー;
}

// Runs "!save" on the whole text of the last result and shows its report; whether it failed.
bool f保存実行(T行編集& r編集, const std::u16string& vs最終結果, const std::u16string& vsファイル) {
    const T保存報告型 t = f結果保存(vs最終結果, vsファイル);
    r編集.f報告(t.s文);
    return t.bエラー;
}

}  // namespace

bool f対話実行(Tセッション& rSession, T出力器& rOut, bool bJSON, const T行編集ライブラリ& rLib) {
    // The prompt, the echo, the progress line and the reports of "!save" stay off standard
    // output when it carries JSON or is not the terminal, where results are also shown
    // whole. JSON runs keep no history, like every batch run.
    const bool b端末出力 = !bJSON && isatty(STDOUT_FILENO);
    std::optional<T履歴ファイル> t履歴;
    if (!bJSON) t履歴.emplace();
    T行編集 t編集(rLib, b端末出力 ? stdout : stderr, t履歴 ? &*t履歴 : nullptr);
    T進捗表示 t進捗(b端末出力 ? stdout : nullptr);
    rSession.f履歴クリア処理設定([&t編集] { t編集.f履歴クリア(); });
    rSession.f途中通知設定([&t進捗](const std::u16string* p) { t進捗.f通知(p); });
    bool bエラー = false;
    std::u16string s行, s最終結果;
    while (f標準出力正常() && t編集.f行取得(s行)) {
        if (f空行(s行)) continue;
        if (const std::optional<std::u16string> sファイル = f保存先(s行)) {
            bエラー |= f保存実行(t編集, s最終結果, *sファイル);
        } else {
            bエラー |=
                f一行評価(rSession, rOut, t編集, t進捗, std::move(s行), s最終結果, b端末出力);
        }
    }
    rSession.f途中通知設定(nullptr);
    rSession.f履歴クリア処理設定(nullptr);
    return bエラー;
}
