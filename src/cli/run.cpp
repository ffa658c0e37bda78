#include "cli/run.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "cli/interrupt.h"
#include "cli/repl.h"
#include "cli/session.h"
#include "cli/writer.h"
#include "common/utf.h"

namespace {

constexpr size_t k読取単位 = size_t{1} << 16;

// Standard input line by line, read in large chunks. Waiting goes through poll, which a
// signal always interrupts, so a Ctrl+C ends the reading even though reads restart.
class T行読取器 {
  public:
    // The next line without its line feed (a carriage return before it stays); false
    // at the end of input, on a read error or when a Ctrl+C asked the program to stop.
    bool f次行(std::string& rs行) {
        for (;;) {
            if (f停止要求()) return false;
            const size_t nl = s蓄積_.find('\n', i探索_);
            if (nl != std::string::npos) {
                rs行.assign(s蓄積_, i先頭_, nl - i先頭_);
                i先頭_ = i探索_ = nl + 1;
                return true;
            }
            i探索_ = s蓄積_.size();
            if (b終端_) break;
            f補充();
        }
        if (i先頭_ == s蓄積_.size()) return false;
        rs行.assign(s蓄積_, i先頭_);  // a last line without line feed
        i先頭_ = i探索_ = s蓄積_.size();
        return true;
    }

  private:
    // Drops the lines already taken and reads at least one more byte, or sets the end.
    void f補充() {
        s蓄積_.erase(0, i先頭_);
        i探索_ -= i先頭_;
        i先頭_ = 0;
        char chunk[k読取単位];
        while (!f停止要求()) {
            pollfd p{STDIN_FILENO, POLLIN, 0};
            if (poll(&p, 1, -1) < 0) {
                if (errno == EINTR) continue;
                break;
            }
            const ssize_t n = read(STDIN_FILENO, chunk, sizeof chunk);
            if (n > 0) {
                s蓄積_.append(chunk, static_cast<size_t>(n));
                return;
            }
            if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
            break;
        }
        b終端_ = true;
    }

    std::string s蓄積_;
    size_t i先頭_ = 0;  // start of the first line not taken yet
    size_t i探索_ = 0;  // where the search for the next line feed resumes
    bool b終端_ = false;
};

// Evaluates one line and writes it; true when it reported an error.
bool f一行処理(Tセッション& session, T出力器& out, const std::u16string& vs行) {
    const T評価結果型 r = session.f評価(vs行);
    out.f書出し(r, false);
    return !r.sエラー.empty();
}

// The expressions of the command line, in order, until a Ctrl+C between two of them or
// a failed write.
bool f引数式実行(Tセッション& session, T出力器& out, const std::vector<std::string>& vt式) {
    bool bエラー = false;
    for (size_t i = 0; i < vt式.size() && !f停止要求() && f標準出力正常(); ++i) {
        bエラー |= f一行処理(session, out, Utf8ToUtf16(vt式[i]));
    }
    return bエラー;
}

// Standard input, one evaluation per line, until the end or a failed write.
bool f一括実行(Tセッション& session, T出力器& out) {
    bool bエラー = false;
    T行読取器 reader;
    std::string line;
    while (f標準出力正常() && reader.f次行(line)) {
        bエラー |= f一行処理(session, out, Utf8ToUtf16(line));
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
    const bool b対話 = vt設定.t式.empty() && isatty(STDIN_FILENO);
    f割込み設定(!b対話);
    bool bエラー;
    if (!vt設定.t式.empty()) {
        bエラー = f引数式実行(session, out, vt設定.t式);
    } else if (b対話) {
        bエラー = f対話実行(session, out, vt設定.bJSON);
    } else {
        bエラー = f一括実行(session, out);
    }
    const bool b書込完了 = f標準出力完了();
    if (f停止要求()) f割込み終了();
    if (!b書込完了) return k終了書込失敗;
    return bエラー ? k終了エラー行 : k終了正常;
}
