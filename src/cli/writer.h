// Standard output of the console: each evaluated line in the chosen format, through a
// large stdio buffer; flushed per line only at the interactive prompt. A write that fails
// is remembered (the first error number wins); a closed pipe ends the program the way an
// unhandled SIGPIPE does, even when SIGPIPE is ignored or blocked.
#pragma once

#include <string>

#include "commands/outcome.h"

class T出力器 {
  public:
    // vs雛形 is the template ("": none); it is shown under an error in the main text.
    T出力器(bool bJSON, std::u16string vs雛形);
    // Writes one line's output; flushes when bフラッシュ. Output too large for the memory
    // there is becomes the message "メモリ不足", with the input line when that fits.
    void f書出し(T評価結果型 vt結果, bool bフラッシュ);

  private:
    // The line's text in the chosen format, in s作業_.
    void f整形(const T評価結果型& vt結果);

    bool bJSON_;
    std::u16string s雛形_;
    std::string s作業_;  // reused for every line
};

// Gives standard output a large buffer; call before anything is written.
void f標準出力準備();

// Writes text to standard output as it is; false once a write has failed.
bool f標準出力書込(const std::string& s);

// Flushes standard output; false once a write has failed.
bool f標準出力フラッシュ();

// Whether every write so far succeeded.
bool f標準出力正常();

// Flushes standard output and, when a write failed, says so on standard error as
// "tavelko-cli: cannot write standard output: <reason>"; false in that case.
bool f標準出力完了();
