// Running a session over the expressions of the command line, standard input read
// line by line, or the interactive prompt.
#pragma once

#include "cli/options.h"

// Evaluates what the settings ask for; the exit status: 0 when no line reported an
// error, 1 otherwise.
int f実行(const T起動設定型& vt設定);
