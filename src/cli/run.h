// Running a session over the expressions of the command line, standard input read
// line by line, or the interactive prompt.
#pragma once

#include "cli/options.h"

// Exit statuses of the program.
constexpr int k終了正常 = 0;      // no line reported an error
constexpr int k終了エラー行 = 1;  // some line reported an error
constexpr int k終了使用法 = 2;    // the command line was wrong
constexpr int k終了書込失敗 = 3;  // standard output could not be written

// Evaluates what the settings ask for; one of the exit statuses above. After a failed
// write to standard output no further line is evaluated.
int f実行(const T起動設定型& vt設定);
