// libedit's functions, loaded when the prompt first needs them: a run that never shows
// the prompt does not map libedit or the terminal libraries it pulls in, which is a third
// of the start-up of a one-line run.
#pragma once

#include <histedit.h>

struct T行編集ライブラリ {
    decltype(&::el_init) el_init;
    decltype(&::el_end) el_end;
    decltype(&::el_set) el_set;
    decltype(&::el_wset) el_wset;
    decltype(&::el_wgets) el_wgets;
    decltype(&::el_reset) el_reset;
    decltype(&::el_source) el_source;
    decltype(&::history_winit) history_winit;
    decltype(&::history_wend) history_wend;
    decltype(&::history_w) history_w;
};

// The functions, loaded on the first call; null, with the reason said once on standard
// error, when the library or one of its functions cannot be found.
const T行編集ライブラリ* f行編集ライブラリ();
