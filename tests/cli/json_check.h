// A small strict JSON reader for checking the program's JSON lines: it accepts exactly
// RFC 8259 text in valid UTF-8 and gives the values back for inspection.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct TJson {
    enum Kind { kNull, kBool, kNumber, kString, kArray, kObject } kind = kNull;
    std::string text;          // a string's value (UTF-8), a number's spelling, "true"/"false"
    std::vector<TJson> items;  // an array's items, or an object's member values
    std::vector<std::string> names;  // an object's member names, in order

    // The member named key; a null value when there is none.
    const TJson& operator[](std::string_view key) const {
        static const TJson none;
        for (size_t i = 0; i < names.size(); ++i) {
            if (names[i] == key) return items[i];
        }
        return none;
    }
};

class TJsonReader {
  public:
    // Reads the whole of s as one value; false (with the offset in error()) otherwise.
    bool Read(std::string_view s, TJson& out) {
        s_ = s;
        i_ = 0;
        Blank();
        if (!Value(out, 0)) return false;
        Blank();
        return i_ == s_.size() || Fail();
    }
    size_t error() const { return i_; }

  private:
    bool Fail() { return false; }
    bool Eat(char c) {
        if (i_ < s_.size() && s_[i_] == c) return ++i_, true;
        return false;
    }
    void Blank() {
        while (i_ < s_.size() &&
               (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\n' || s_[i_] == '\r'))
            ++i_;
    }
    bool Word(std::string_view w) {
        if (s_.substr(i_, w.size()) != w) return false;
        i_ += w.size();
        return true;
    }

    bool Value(TJson& v, int depth) {
        if (depth > 64 || i_ >= s_.size()) return false;
        const char c = s_[i_];
        if (c == '{') return Object(v, depth);
        if (c == '[') return Array(v, depth);
        if (c == '"') return v.kind = TJson::kString, String(v.text);
        if (c == 't' || c == 'f')
            return v.kind = TJson::kBool, v.text = c == 't' ? "true" : "false", Word(v.text);
        if (c == 'n') return v.kind = TJson::kNull, Word("null");
        return v.kind = TJson::kNumber, Number(v.text);
    }

    bool Object(TJson& v, int depth) {
        v.kind = TJson::kObject;
        ++i_;
        Blank();
        if (Eat('}')) return true;
        for (;;) {
            std::string name;
            TJson value;
            Blank();
            if (i_ >= s_.size() || s_[i_] != '"' || !String(name)) return false;
            Blank();
            if (!Eat(':')) return false;
            Blank();
            if (!Value(value, depth + 1)) return false;
            v.names.push_back(std::move(name));
            v.items.push_back(std::move(value));
            Blank();
            if (Eat('}')) return true;
            if (!Eat(',')) return false;
        }
    }

    bool Array(TJson& v, int depth) {
        v.kind = TJson::kArray;
        ++i_;
        Blank();
        if (Eat(']')) return true;
        for (;;) {
            TJson item;
            Blank();
            if (!Value(item, depth + 1)) return false;
            v.items.push_back(std::move(item));
            Blank();
            if (Eat(']')) return true;
            if (!Eat(',')) return false;
        }
    }

    bool Digits() {
        const size_t from = i_;
        while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') ++i_;
        return i_ > from;
    }

    bool Number(std::string& out) {
        const size_t from = i_;
        Eat('-');
        if (Eat('0')) {
        } else if (!Digits()) {
            return false;
        }
        if (Eat('.') && !Digits()) return false;
        if (Eat('e') || Eat('E')) {
            if (!Eat('+')) Eat('-');
            if (!Digits()) return false;
        }
        out = std::string(s_.substr(from, i_ - from));
        return true;
    }

    static void Put(std::string& out, uint32_t c) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }

    bool Hex4(uint32_t& c) {
        if (i_ + 4 > s_.size()) return false;
        c = 0;
        for (int k = 0; k < 4; ++k) {
            const char h = s_[i_++];
            const int d = h >= '0' && h <= '9'   ? h - '0'
                          : h >= 'a' && h <= 'f' ? h - 'a' + 10
                          : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                                 : -1;
            if (d < 0) return false;
            c = c * 16 + static_cast<uint32_t>(d);
        }
        return true;
    }

    // One escape after the back-slash; \u escapes of a surrogate must come in pairs.
    bool Escape(std::string& out) {
        if (i_ >= s_.size()) return false;
        const char e = s_[i_++];
        const std::string_view simple = "\"\\/bfnrt", meaning = "\"\\/\b\f\n\r\t";
        if (const size_t k = simple.find(e); k != std::string_view::npos)
            return out += meaning[k], true;
        uint32_t c = 0;
        if (e != 'u' || !Hex4(c)) return false;
        if (c >= 0xDC00 && c <= 0xDFFF) return false;
        if (c >= 0xD800 && c <= 0xDBFF) {
            uint32_t low = 0;
            if (!Word("\\u") || !Hex4(low) || low < 0xDC00 || low > 0xDFFF) return false;
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        }
        Put(out, c);
        return true;
    }

    // One UTF-8 character: shortest form, no surrogate, at most U+10FFFF.
    bool Utf8(std::string& out) {
        const auto b0 = static_cast<unsigned char>(s_[i_]);
        const int n = b0 >= 0xC2 && b0 <= 0xDF   ? 1
                      : (b0 & 0xF0) == 0xE0      ? 2
                      : b0 >= 0xF0 && b0 <= 0xF4 ? 3
                                                 : -1;
        if (n < 0 || i_ + static_cast<size_t>(n) >= s_.size()) return false;
        uint32_t c = b0 & (0x3F >> n);
        for (int k = 1; k <= n; ++k) {
            const auto b = static_cast<unsigned char>(s_[i_ + static_cast<size_t>(k)]);
            if ((b & 0xC0) != 0x80) return false;
            c = (c << 6) | (b & 0x3F);
        }
        const uint32_t least[] = {0, 0x80, 0x800, 0x10000};
        if (c < least[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        out.append(s_.substr(i_, static_cast<size_t>(n) + 1));
        i_ += static_cast<size_t>(n) + 1;
        return true;
    }

    bool String(std::string& out) {
        ++i_;
        out.clear();
        while (i_ < s_.size()) {
            const auto c = static_cast<unsigned char>(s_[i_]);
            if (c == '"') return ++i_, true;
            if (c < 0x20) return false;
            if (c == '\\') {
                ++i_;
                if (!Escape(out)) return false;
            } else if (c < 0x80) {
                out += static_cast<char>(c);
                ++i_;
            } else if (!Utf8(out)) {
                return false;
            }
        }
        return false;
    }

    std::string_view s_;
    size_t i_ = 0;
};
