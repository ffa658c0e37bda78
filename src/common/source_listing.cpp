#include "common/source_listing.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "common/utf.h"

extern const char kTavelkoSourceListing[];
extern const std::size_t kTavelkoSourceListingSize;

namespace {

// ASCII lower case of one code unit; resource names are ASCII.
char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return Lower(x) == Lower(y); });
}

}  // namespace

bool fテキストリソース取得(const std::u16string& vsリソース名, std::u16string& rsテキスト) {
    if (!EqualsIgnoringCase(vsリソース名, u"Resource_Src")) return false;
    rsテキスト = Utf8ToUtf16(std::string_view(kTavelkoSourceListing, kTavelkoSourceListingSize));
    return true;
}
