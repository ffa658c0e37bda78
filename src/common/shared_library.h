// Shared libraries opened when first needed rather than at start: a library mapped at
// start costs every run a fifth of a millisecond or more, even a run that never uses it.
#pragma once

#include <string>

// Opens the library by its soname with every symbol bound at once; null, with the
// loader's reason in rs理由, when it cannot be opened.
void* f共有ライブラリ読込(const char* vs共有名, std::string& rs理由);

// The directory of the running program with a final "/", empty when unknown: files that
// ship beside it (the real-number module, the message catalogue) are found from here.
std::string f実行ファイル位置();

// Looks up a symbol of an opened library; null when there is none.
void* f共有ライブラリ関数(void* vHandle, const char* vs名前);

// The same into a function pointer of its own type; false when there is none.
template <class F>
bool f関数解決(void* vHandle, const char* vs名前, F& rf) {
    rf = reinterpret_cast<F>(f共有ライブラリ関数(vHandle, vs名前));
    return rf != nullptr;
}
