// The interactive prompt on a terminal: line editing and history through libedit.
#pragma once

#include "cli/line_editor_lib.h"
#include "cli/session.h"
#include "cli/writer.h"

// Reads and evaluates lines until Ctrl+D or a failed write to standard output. Ctrl+C
// at the prompt discards the line being typed; during an evaluation it cancels it.
// "!reset" also clears the input history. The history is kept across runs in a file
// (see history_file.h), except with bJSON. An evaluation that runs long shows a progress
// line on the terminal (see progress.h). With bJSON, or when standard output is not the
// terminal, the prompt and the editing go to standard error and no progress line is
// drawn, so standard output holds nothing but the results. On the terminal a result
// longer than k端末表示上限 characters is shown abridged (see abridge.h); "!save FILE"
// writes the last result whole (see save_command.h). Returns whether a line reported an
// error, a failed "!save" included. rLib: libedit, loaded.
bool f対話実行(Tセッション& rSession, T出力器& rOut, bool bJSON, const T行編集ライブラリ& rLib);
