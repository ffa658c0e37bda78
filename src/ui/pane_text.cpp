#include "ui/pane_text.h"

#include "engine/units/catalogue.h"

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
    // Results and halfway texts have no CR: they are copied as they are (the toolkit's
    // search is vectorised, which matters for texts of megabytes).
    const QStringView view(s.data(), qsizetype(s.size()));
    if (!view.contains(u'\r')) return QString::fromStdU16String(s);
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

QString f途中ペイン文字列(const std::u16string& digits) {
    QString out;
    out.reserve(static_cast<qsizetype>(digits.size()) + 3);
    out.append(QStringView(digits.data(), qsizetype(digits.size())));
    out.append(QString::fromStdU16String(Dキャンセル印));
    return out;
}
