#include "common/shared_library.h"

#include <dlfcn.h>

void* f共有ライブラリ読込(const char* vs共有名, std::string& rs理由) {
    void* handle = dlopen(vs共有名, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        rs理由 = reason != nullptr ? reason : vs共有名;
    }
    return handle;
}

void* f共有ライブラリ関数(void* vHandle, const char* vs名前) { return dlsym(vHandle, vs名前); }
