#include "common/state_dir.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace {

// The variable's value when it is an absolute path; nullptr otherwise.
const char* f絶対パス変数(const char* ps名前) {
    const char* p = std::getenv(ps名前);
    return p != nullptr && p[0] == '/' ? p : nullptr;
}

}  // namespace

std::string f状態フォルダ() {
    if (const char* p = f絶対パス変数("XDG_STATE_HOME")) return std::string(p) + "/tavelko";
    const char* psホーム = f絶対パス変数("HOME");
    if (psホーム == nullptr) {
        const passwd* pw = getpwuid(getuid());
        if (pw != nullptr && pw->pw_dir != nullptr && pw->pw_dir[0] == '/') psホーム = pw->pw_dir;
    }
    return psホーム != nullptr ? std::string(psホーム) + "/.local/state/tavelko" : std::string();
}
