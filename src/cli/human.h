// The plain-text output of one evaluated line, as a terminal user reads it.
#pragma once

#include <string>

#include "commands/outcome.h"

// Appends the text of one line, ending in a line feed: for an error the message, then
// the line that holds the offending range (the template when the range is in the main
// text and a template is used, else the input line) with the range marked beneath it;
// otherwise the result text, or, when that is empty, the text a command wrote to the
// result pane with its CR LF line breaks printed as LF. vs雛形 is the template ("": none).
void f表示出力追加(std::string& rs出力, const T評価結果型& vt結果, const std::u16string& vs雛形);
