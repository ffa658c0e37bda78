// The prompt's input history kept across runs in one file:
// $XDG_STATE_HOME/tavelko/cli_history, or ~/.local/state/tavelko/cli_history when that
// variable is unset or not an absolute path. The file is libedit's own history format,
// rewritten whole (the bounded list) through a temporary file and a rename, so that a
// run killed at any moment leaves either the old or the new list.
#pragma once

#include <histedit.h>

#include <string>

class T履歴ファイル {
  public:
    // The file of this user; none when neither XDG_STATE_HOME nor a home is known.
    T履歴ファイル();

    // Fills the history from the file. A missing or empty file is an empty history; an
    // unreadable or damaged one is said once on standard error and is never overwritten.
    void f読込(HistoryW* pHist);
    // Writes the whole history to the file, creating its folders (mode 0700). The first
    // failure is said on standard error and ends the saving for this run.
    void f保存(HistoryW* pHist);

  private:
    // Creates the folder of the file and those above it; false with errno on failure.
    bool fフォルダ作成();
    // Writes the history to a new file beside the target and renames it over the target.
    bool f置換保存(HistoryW* pHist);
    // Says on standard error why the history was not loaded or saved, and stops saving.
    void f報告(const char* ps動作, const char* ps理由);

    std::string sパス_;  // empty: no saved history
    bool b保存可_ = true;
};
