// Where the front ends keep what they remember between runs.
#pragma once

#include <string>

// The program's state folder: $XDG_STATE_HOME/tavelko, or ~/.local/state/tavelko when
// that variable is unset or not an absolute path (the home from HOME, else from the
// user database); empty when no home is known.
std::string f状態フォルダ();
