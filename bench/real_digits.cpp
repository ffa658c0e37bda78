// The engine's side of the real-number rows: a real value's digits through the real-number
// module, as a digit goal asks for them (floor(|x| 10^N) at N digits plus guard bits), and
// their decimal text made the way results are shown, written to standard output.
//
//   real_digits TREE N        the tree (in the text form f実数式文字列 writes, e.g. "pi",
//                             "sin(1)", "(2^(1/2))") to N decimals
//
// Exit status 0 on success, 1 for an error of the value, 2 for a usage error.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/utf.h"
#include "engine/number/huge.h"
#include "engine/real/real.h"

int main(int argc, char** argv) {
    P実数 tree;
    char* end = nullptr;
    const long n = argc == 3 ? std::strtol(argv[2], &end, 10) : 0;
    if (argc != 3 || !f実数読込(argv[1], tree) || *end != '\0' || n < 1) {
        std::fputs("usage: real_digits TREE N\n", stderr);
        return 2;
    }
    const Tキャンセル検査 none;
    try {
        T実数値 value(tree, none);
        bool negative = false;
        const T整数型 scaled = value.f切捨桁(10, n, negative, none);
        std::u16string text;
        T分割文字列化(T整数視(scaled), 10, 0).f全部(text, none);
        const size_t point =
            text.size() > static_cast<size_t>(n) ? text.size() - static_cast<size_t>(n) : 0;
        std::string out = negative ? "-" : "";
        out += point == 0 ? "0" : Utf16ToUtf8(std::u16string_view(text).substr(0, point));
        out += "." + Utf16ToUtf8(std::u16string_view(text).substr(point));
        std::puts(out.c_str());
    } catch (const E一般例外& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
