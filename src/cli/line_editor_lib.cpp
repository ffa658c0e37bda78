#include "cli/line_editor_lib.h"

#include <dlfcn.h>

#include <cstdio>
#include <optional>

namespace {

// The library Debian's libedit2 installs (the soname the development files link to).
constexpr char k共有名[] = "libedit.so.2";

// Looks the function up by name into f; false when the library has no such symbol.
template <class F>
bool f解決(void* handle, const char* name, F& f) {
    f = reinterpret_cast<F>(dlsym(handle, name));
    return f != nullptr;
}

// Opens the library and finds every function; none when something is missing.
std::optional<T行編集ライブラリ> f読込() {
    void* h = dlopen(k共有名, RTLD_NOW | RTLD_LOCAL);
    if (h == nullptr) {
        std::fprintf(stderr, "tavelko-cli: no line editing: %s\n", dlerror());
        return std::nullopt;
    }
    T行編集ライブラリ l{};
    const bool ok = f解決(h, "el_init", l.el_init) && f解決(h, "el_end", l.el_end) &&
                    f解決(h, "el_set", l.el_set) && f解決(h, "el_wset", l.el_wset) &&
                    f解決(h, "el_wgets", l.el_wgets) && f解決(h, "el_reset", l.el_reset) &&
                    f解決(h, "el_source", l.el_source) && f解決(h, "history_winit", l.history_winit) &&
                    f解決(h, "history_wend", l.history_wend) && f解決(h, "history_w", l.history_w);
    if (!ok) {
        std::fprintf(stderr, "tavelko-cli: no line editing: %s lacks a function\n", k共有名);
        return std::nullopt;
    }
    return l;
}

}  // namespace

const T行編集ライブラリ* f行編集ライブラリ() {
    static const std::optional<T行編集ライブラリ> lib = f読込();
    return lib ? &*lib : nullptr;
}
