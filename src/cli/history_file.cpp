#include "cli/history_file.h"

#include "cli/line_editor_lib.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common/state_dir.h"

T履歴ファイル::T履歴ファイル() {
    const std::string s = f状態フォルダ();
    if (!s.empty()) sパス_ = s + "/cli_history";
}

void T履歴ファイル::f読込(HistoryW* pHist) {
    if (sパス_.empty()) return;
    struct stat st {};
    if (stat(sパス_.c_str(), &st) != 0) {
        if (errno != ENOENT) f報告("loaded from", std::strerror(errno));
        return;
    }
    if (S_ISREG(st.st_mode) && st.st_size == 0) return;
    // libedit tells no reason when it cannot open the file: try it first.
    FILE* f = std::fopen(sパス_.c_str(), "r");
    if (f == nullptr) {
        f報告("loaded from", std::strerror(errno));
        return;
    }
    std::fclose(f);
    HistEventW ev;
    if (f行編集ライブラリ()->history_w(pHist, &ev, H_LOAD, sパス_.c_str()) < 0) {
        f行編集ライブラリ()->history_w(pHist, &ev, H_CLEAR);
        f報告("loaded from", "not a history file");
    }
}

void T履歴ファイル::f保存(HistoryW* pHist) {
    if (sパス_.empty() || !b保存可_) return;
    if (!fフォルダ作成() || !f置換保存(pHist)) f報告("saved to", std::strerror(errno));
}

bool T履歴ファイル::fフォルダ作成() {
    const size_t end = sパス_.rfind('/');
    for (size_t i = sパス_.find('/', 1); i != std::string::npos && i <= end;
         i = sパス_.find('/', i + 1)) {
        const std::string s = sパス_.substr(0, i);
        if (mkdir(s.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    return true;
}

bool T履歴ファイル::f置換保存(HistoryW* pHist) {
    std::string s一時 = sパス_ + ".XXXXXX";
    const int fd = mkstemp(s一時.data());  // mode 0600
    if (fd < 0) return false;
    FILE* f = fdopen(fd, "w");
    if (f == nullptr) {
        close(fd);
    } else {
        HistEventW ev;
        errno = EIO;  // libedit sets no error number when a write fails
        const bool b書込 = f行編集ライブラリ()->history_w(pHist, &ev, H_SAVE_FP, f) >= 0;
        if (std::fclose(f) == 0 && b書込 && std::rename(s一時.c_str(), sパス_.c_str()) == 0) {
            return true;
        }
    }
    const int err = errno;
    unlink(s一時.c_str());
    errno = err;
    return false;
}

void T履歴ファイル::f報告(const char* ps動作, const char* ps理由) {
    std::fprintf(stderr, "tavelko-cli: history not %s %s: %s\n", ps動作, sパス_.c_str(), ps理由);
    b保存可_ = false;
}
