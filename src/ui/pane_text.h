// Texts crossing the boundary between the panes and the parser: the panes hold "\n"
// line breaks, the parser and the command texts speak CR LF.
#pragma once

#include <QString>
#include <string>

// The text without one final line break: CR LF, or else a single LF or CR.
std::u16string fリターン文字削除(const std::u16string& s);

// A pane's text as the command texts see it: every "\n" becomes CR LF.
std::u16string fCRLF文字列(const QString& s);

// A text for a pane: CR LF and lone CR become "\n".
QString fペイン文字列(const std::u16string& s);

// The halfway text for the pane: the digits so far and the cancel mark, copied once.
QString f途中ペイン文字列(const std::u16string& digits);
