// The terminal's view of a long result: its beginning and its end around a line saying
// what was left out, so that a result of megabytes does not flood the prompt. The whole
// text stays available to "!save" (see save_command.h).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Results of more characters than this are abridged: about a screenful of 80 columns,
// enough for the leading digits and for the end (the unit, a cancelled result's "...").
constexpr size_t k端末表示上限 = 2000;

// The characters (code points) of the text: a surrogate pair counts as one.
size_t f文字数(std::u16string_view vs);

// vs itself when it holds at most i上限 characters; otherwise its first and last i上限/2
// characters with a line of its own between them that gives the count of characters left
// out, names a cycle mark "`" when one was among them and points at "!save", in the
// user's language. A surrogate pair is never split.
std::u16string f端末向け短縮(const std::u16string& vs, size_t i上限 = k端末表示上限);
