// The program's own source listing, embedded at build time as a text resource.
#pragma once

#include <string>

// The text resource of that name (compared without regard to case): "Resource_Src" is
// the source listing. False when there is no such resource.
bool fテキストリソース取得(const std::u16string& vsリソース名, std::u16string& rsテキスト);
