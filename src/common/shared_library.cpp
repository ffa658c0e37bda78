#include "common/shared_library.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

void* f共有ライブラリ読込(const char* vs共有名, std::string& rs理由) {
    void* handle = dlopen(vs共有名, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        rs理由 = reason != nullptr ? reason : vs共有名;
    }
    return handle;
}

void* f共有ライブラリ関数(void* vHandle, const char* vs名前) { return dlsym(vHandle, vs名前); }

std::string f実行ファイル位置() {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return {};
    const std::string s(path, static_cast<size_t>(n));
    return s.substr(0, s.rfind('/') + 1);
}
