// Where the front ends keep what they remember between runs, and where the user's own
// settings are read from.
#pragma once

#include <string>

// The program's state folder: $XDG_STATE_HOME/tavelko, or ~/.local/state/tavelko when
// that variable is unset or not an absolute path (the home from HOME, else from the
// user database); empty when no home is known.
std::string f状態フォルダ();

// The program's settings folder: $XDG_CONFIG_HOME/tavelko, or ~/.config/tavelko when that
// variable is unset, empty or not an absolute path; empty when no home is known.
std::string f設定フォルダ();
