// "!save FILE" at the interactive prompt: the whole text of the last result written to a
// file, however much of it the terminal showed. The prompt handles the line itself; it
// never reaches the evaluator.
#pragma once

#include <optional>
#include <string>

// The file a line names when it is the command: the rest of the line after "!save" with
// the blanks and tabs around it removed, then one pair of quotes ("…" or '…') around it,
// and a leading "~/" made the home folder; "" when it names none. nullopt when the line
// is not the command ("!saved x" is not).
std::optional<std::u16string> f保存先(const std::u16string& vs行);

// What "!save" did: the line to show, in the user's language, and whether it failed.
struct T保存報告型 {
    std::u16string s文;
    bool bエラー = false;
};

// Writes vs全文 and a line feed as UTF-8 to the file vsファイル, replacing what it held.
// Fails without writing when vs全文 is empty (no result yet) or vsファイル is.
T保存報告型 f結果保存(const std::u16string& vs全文, const std::u16string& vsファイル);
