#include "cli/line_editor_lib.h"

#include <cstdio>
#include <optional>

#include "common/shared_library.h"

namespace {

// The library Debian's libedit2 installs (the soname the development files link to).
constexpr char k共有名[] = "libedit.so.2";

// Opens the library and finds every function; none when something is missing.
std::optional<T行編集ライブラリ> f読込() {
    std::string reason;
    void* h = f共有ライブラリ読込(k共有名, reason);
    if (h == nullptr) {
        std::fprintf(stderr, "tavelko-cli: no line editing: %s\n", reason.c_str());
        return std::nullopt;
    }
    T行編集ライブラリ l{};
    const bool ok = f関数解決(h, "el_init", l.el_init) && f関数解決(h, "el_end", l.el_end) &&
                    f関数解決(h, "el_set", l.el_set) && f関数解決(h, "el_wset", l.el_wset) &&
                    f関数解決(h, "el_wgets", l.el_wgets) && f関数解決(h, "el_reset", l.el_reset) &&
                    f関数解決(h, "el_source", l.el_source) && f関数解決(h, "history_winit", l.history_winit) &&
                    f関数解決(h, "history_wend", l.history_wend) && f関数解決(h, "history_w", l.history_w);
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
