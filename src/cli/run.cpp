#include "cli/run.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <new>
#include <string>
#include <string_view>
#include <utility>

#include "cli/interrupt.h"
#include "cli/line_editor_lib.h"
#include "cli/repl.h"
#include "cli/session.h"
#include "cli/writer.h"
#include "common/utf.h"

namespace {

constexpr size_t k読取単位 = size_t{1} << 16;

// What the reader found.
enum class E読取結果 { m行, m過大, m終端 };

// Standard input line by line, read in large chunks. Waiting goes through poll, which a
// signal always interrupts, so a Ctrl+C ends the reading even though reads restart.
// A line too long for the memory there is gets dropped up to its line feed.
class T行読取器 {
  public:
    // The next line without its line feed (a carriage return before it stays); m過大 for
    // a line that was dropped; m終端 at the end of input, on a read error or when a
    // Ctrl+C asked the program to stop.
    E読取結果 f次行(std::string& rs行) {
        for (;;) {
            if (f停止要求()) return E読取結果::m終端;
            const size_t nl = s蓄積_.find('\n', i探索_);
            if (nl != std::string::npos) return f行切出し(rs行, nl, nl + 1);
            i探索_ = s蓄積_.size();
            if (b破棄中_) f蓄積破棄();
            if (b終端_) break;
            f補充();
        }
        if (i先頭_ == s蓄積_.size() && !b破棄中_) return E読取結果::m終端;
        return f行切出し(rs行, s蓄積_.size(), s蓄積_.size());  // a last line without line feed
    }

  private:
    // Takes the line up to end and resumes at next; m過大 when it is being dropped or
    // cannot be copied.
    E読取結果 f行切出し(std::string& rs行, size_t end, size_t next) {
        const size_t from = i先頭_;
        i先頭_ = i探索_ = next;
        if (std::exchange(b破棄中_, false)) return E読取結果::m過大;
        try {
            rs行.assign(s蓄積_, from, end - from);
        } catch (const std::bad_alloc&) {
            std::string().swap(rs行);
            return E読取結果::m過大;
        }
        return E読取結果::m行;
    }

    // Forgets everything read of the line being dropped.
    void f蓄積破棄() {
        std::string().swap(s蓄積_);
        i先頭_ = i探索_ = 0;
    }

    // Drops the lines already taken and reads at least one more byte, or sets the end.
    // When the line so far and the new bytes do not fit, the line is dropped and the
    // bytes kept, since they may hold its line feed.
    void f補充() {
        s蓄積_.erase(0, i先頭_);
        i探索_ -= i先頭_;
        i先頭_ = 0;
        if (s蓄積_.capacity() > 4 * k読取単位 && s蓄積_.size() < k読取単位) s蓄積_.shrink_to_fit();
        char chunk[k読取単位];
        while (!f停止要求()) {
            pollfd p{STDIN_FILENO, POLLIN, 0};
            if (poll(&p, 1, -1) < 0) {
                if (errno == EINTR) continue;
                break;
            }
            const ssize_t n = read(STDIN_FILENO, chunk, sizeof chunk);
            if (n > 0) {
                f追加(chunk, static_cast<size_t>(n));
                return;
            }
            if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
            break;
        }
        b終端_ = true;
    }

    // Appends the bytes read, dropping the line so far when they do not fit.
    void f追加(const char* p, size_t n) {
        try {
            s蓄積_.append(p, n);
        } catch (const std::bad_alloc&) {
            f蓄積破棄();
            b破棄中_ = true;
            s蓄積_.assign(p, n);
        }
    }

    std::string s蓄積_;
    size_t i先頭_ = 0;  // start of the first line not taken yet
    size_t i探索_ = 0;  // where the search for the next line feed resumes
    bool b終端_ = false;
    bool b破棄中_ = false;  // the line being read is dropped up to its line feed
};

// Evaluates one line of UTF-8 and writes it; true when it reported an error. A line that
// cannot be held in UTF-16 gets the message for lack of memory, without its input.
bool f一行処理(Tセッション& session, T出力器& out, std::string_view vs行) {
    T評価結果型 r;
    try {
        r = session.f評価(Utf8ToUtf16(vs行));
    } catch (const std::bad_alloc&) {
        r = fメモリ不足結果();
    }
    const bool bエラー = !r.sエラー.empty();
    out.f書出し(std::move(r), false);
    return bエラー;
}

// The expressions of the command line, in order, until a Ctrl+C between two of them or
// a failed write.
bool f引数式実行(Tセッション& session, T出力器& out, const std::vector<std::string>& vt式) {
    bool bエラー = false;
    for (size_t i = 0; i < vt式.size() && !f停止要求() && f標準出力正常(); ++i) {
        bエラー |= f一行処理(session, out, vt式[i]);
    }
    return bエラー;
}

// Standard input, one evaluation per line, until the end or a failed write.
bool f一括実行(Tセッション& session, T出力器& out) {
    bool bエラー = false;
    T行読取器 reader;
    std::string line;
    for (E読取結果 e; f標準出力正常() && (e = reader.f次行(line)) != E読取結果::m終端;) {
        if (e == E読取結果::m行) {
            bエラー |= f一行処理(session, out, line);
            // The room of one very long line is not kept for the short ones after it.
            if (line.capacity() > 4 * k読取単位) std::string().swap(line);
        } else {
            out.f書出し(fメモリ不足結果(), false);
            bエラー = true;
        }
    }
    return bエラー;
}

}  // namespace

int f実行(const T起動設定型& vt設定) {
    Tセッション設定型 t;
    t.s雛形 = Utf8ToUtf16(vt設定.s雛形);
    t.d制限秒 = vt設定.d制限秒;
    t.l桁数制限 = vt設定.l桁数制限;
    Tセッション session(t);
    T出力器 out(vt設定.bJSON, t.s雛形);
    // Without libedit a terminal is read like any other input.
    const T行編集ライブラリ* p行編集 = vt設定.t式.empty() && isatty(STDIN_FILENO) ? f行編集ライブラリ() : nullptr;
    const bool b対話 = p行編集 != nullptr;
    f割込み設定(!b対話);
    bool bエラー;
    if (!vt設定.t式.empty()) {
        bエラー = f引数式実行(session, out, vt設定.t式);
    } else if (b対話) {
        bエラー = f対話実行(session, out, vt設定.bJSON, *p行編集);
    } else {
        bエラー = f一括実行(session, out);
    }
    const bool b書込完了 = f標準出力完了();
    if (f停止要求()) f割込み終了();
    if (!b書込完了) return k終了書込失敗;
    return bエラー ? k終了エラー行 : k終了正常;
}
