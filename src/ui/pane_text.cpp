#include "ui/pane_text.h"

#include <QPlainTextEdit>
#include <QTextOption>

namespace {

// Longer runs without a blank or a line break wrap anywhere.
constexpr qsizetype D最長語 = 200;

// Whether some run of the text without a blank or a line break is longer than n.
bool f長い語あり(const QString& text, qsizetype n) {
    qsizetype run = 0;
    for (QChar c : text) {
        run = (c == u' ' || c == u'\n' || c == QChar(0x3000)) ? 0 : run + 1;
        if (run > n) return true;
    }
    return false;
}

}  // namespace

std::u16string fリターン文字削除(const std::u16string& s) {
    if (s.ends_with(u"\r\n")) return s.substr(0, s.size() - 2);
    if (s.ends_with(u'\n') || s.ends_with(u'\r')) return s.substr(0, s.size() - 1);
    return s;
}

std::u16string fCRLF文字列(const QString& s) {
    std::u16string out;
    out.reserve(static_cast<size_t>(s.size()) + 16);
    for (QChar c : s) {
        if (c == u'\n') out += u'\r';
        out += c.unicode();
    }
    return out;
}

QString fペイン文字列(const std::u16string& s) {
    QString out;
    out.reserve(static_cast<qsizetype>(s.size()));
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == u'\r') {
            out += u'\n';
            if (i + 1 < s.size() && s[i + 1] == u'\n') ++i;
        } else {
            out += QChar(s[i]);
        }
    }
    return out;
}

void fペイン表示(QPlainTextEdit* pane, const QString& text) {
    pane->setWordWrapMode(f長い語あり(text, D最長語) ? QTextOption::WrapAnywhere
                                                   : QTextOption::WrapAtWordBoundaryOrAnywhere);
    pane->setPlainText(text);
}
