// Standard output of the console: each evaluated line in the chosen format, through a
// large stdio buffer; flushed per line only at the interactive prompt.
#pragma once

#include <string>

#include "cli/outcome.h"

class T出力器 {
  public:
    // vs雛形 is the template ("": none); it is shown under an error in the main text.
    T出力器(bool bJSON, std::u16string vs雛形);
    // Writes one line's output; flushes when bフラッシュ.
    void f書出し(const T評価結果型& vt結果, bool bフラッシュ);
    // Writes text as it is (no JSON framing).
    static void f文字列書出し(const std::string& s);

  private:
    bool bJSON_;
    std::u16string s雛形_;
    std::string s作業_;  // reused for every line
};

// Gives standard output a large buffer; call before anything is written.
void f標準出力準備();
