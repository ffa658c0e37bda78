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

// The folder named by the variable, else the home's folder below it; empty without a home.
std::string fXDGフォルダ(const char* ps変数, const char* psホーム下) {
    if (const char* p = f絶対パス変数(ps変数)) return std::string(p) + "/tavelko";
    const char* psホーム = f絶対パス変数("HOME");
    if (psホーム == nullptr) {
        const passwd* pw = getpwuid(getuid());
        if (pw != nullptr && pw->pw_dir != nullptr && pw->pw_dir[0] == '/') psホーム = pw->pw_dir;
    }
    return psホーム != nullptr ? std::string(psホーム) + psホーム下 : std::string();
}

}  // namespace

std::string f状態フォルダ() { return fXDGフォルダ("XDG_STATE_HOME", "/.local/state/tavelko"); }

std::string f設定フォルダ() { return fXDGフォルダ("XDG_CONFIG_HOME", "/.config/tavelko"); }
