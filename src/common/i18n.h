// Texts in the user's language through GNU gettext. The Japanese texts are the message
// ids: without a catalogue, under the C or POSIX locale and under any ja_* locale, every
// text is itself, byte for byte. Results (numbers, unit spellings, cycle marks, "[???]")
// never pass through here: a result is the same text in every language.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Chooses the language from LANGUAGE, LC_ALL, LC_MESSAGES and LANG, as gettext orders
// them, and finds the catalogue beside the program (../share/locale, which holds for the
// build tree and the installed layout). Does nothing when no locale variable is set, so
// that start-up does not grow. Sets LC_MESSAGES and LC_CTYPE only, never LC_NUMERIC.
// Call once at start, before any other thread runs.
void f言語初期化();

// The text in the user's language, or the text itself when there is no translation.
// A message "id: argument" (未定義変数: x) is looked up by "id: " and keeps its argument.
std::u16string f訳(std::u16string_view vs文);
// The translation of a text holding the places %1, %2, … (at most nine) with the
// arguments put in them, in one pass: an argument that holds "%2" stays as it is.
std::u16string f訳差込(std::u16string_view vs文, std::initializer_list<std::u16string_view> vt引数);
// The same for a UTF-8 text.
std::string f訳8(const char* vs文);
// Whether texts are being translated: a catalogue for the user's language was found.
bool f訳文使用();
