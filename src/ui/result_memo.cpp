#include "ui/result_memo.h"

#include <QMimeData>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextOption>

#include "ui/window_texts.h"

namespace {

// A line longer than this is not laid out whole: 100,000 digits take 15 to 25 ms to
// lay out in the pane, a megabyte 150 ms, and the layout runs inside the event loop.
constexpr qsizetype D最長行 = 100'000;
// What a shortened text shows of its beginning and of its end.
constexpr qsizetype D先頭長 = 30'000;
constexpr qsizetype D末尾長 = 30'000;
static_assert(D先頭長 + D末尾長 < D最長行);
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

// Whether some line of the text is longer than n characters.
bool f長い行あり(const QString& text, qsizetype n) {
    if (text.size() <= n) return false;
    for (qsizetype from = 0; from <= text.size();) {
        qsizetype end = text.indexOf(u'\n', from);
        if (end < 0) end = text.size();
        if (end - from > n) return true;
        from = end + 1;
    }
    return false;
}

// The line that stands for n left-out characters, with a line break on either side.
QString f省略印(qsizetype n) {
    return QLatin1Char('\n') + f窓訳(QStringLiteral("〔%1 文字省略・Ctrl+C で全文をコピー〕")).arg(n) + QLatin1Char('\n');
}

}  // namespace

T結果メモ::T結果メモ(QWidget* parent) : QPlainTextEdit(parent) {
    connect(this, &QPlainTextEdit::textChanged, this, &T結果メモ::f全文破棄);
}

void T結果メモ::f表示(const QString& text) {
    s全文_.clear();
    l省略_ = 0;
    const QString shown = f長い行あり(text, D最長行) ? f省略文(text) : text;
    // Searching a long unbroken run for word boundaries costs quadratic time.
    setWordWrapMode(f長い語あり(shown, D最長語) ? QTextOption::WrapAnywhere
                                               : QTextOption::WrapAtWordBoundaryOrAnywhere);
    b表示中_ = true;
    setPlainText(shown);
    b表示中_ = false;
}

QString T結果メモ::f省略文(const QString& text) {
    // The cuts keep surrogate pairs whole.
    l先頭_ = D先頭長 - (text[D先頭長 - 1].isHighSurrogate() ? 1 : 0);
    const qsizetype l末尾 = D末尾長 - (text[text.size() - D末尾長].isLowSurrogate() ? 1 : 0);
    l省略_ = text.size() - l先頭_ - l末尾;
    const QString mark = f省略印(l省略_);
    l印長_ = mark.size();
    s全文_ = text;
    return text.left(l先頭_) + mark + text.right(l末尾);
}

QString T結果メモ::f全文() const { return f省略中() ? s全文_ : toPlainText(); }

void T結果メモ::f末尾表示() {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->maximum());
}

void T結果メモ::f途中表示(const QString& text, bool b初回) {
    QScrollBar* bar = verticalScrollBar();
    const bool b追従 = b初回 || bar->value() == bar->maximum();
    const int l位置 = bar->value();
    f表示(text);
    if (b追従) f末尾表示();
    else bar->setValue(l位置);
}

QMimeData* T結果メモ::createMimeDataFromSelection() const {
    if (!f省略中()) return QPlainTextEdit::createMimeDataFromSelection();
    const QTextCursor cursor = textCursor();
    const qsizetype from = f全文位置(cursor.selectionStart(), false);
    auto* data = new QMimeData;
    data->setText(s全文_.mid(from, f全文位置(cursor.selectionEnd(), true) - from));
    return data;
}

qsizetype T結果メモ::f全文位置(qsizetype l表示位置, bool b終端) const {
    if (l表示位置 <= l先頭_) return l表示位置;
    if (l表示位置 >= l先頭_ + l印長_) return l表示位置 - l印長_ + l省略_;
    return b終端 ? l先頭_ + l省略_ : l先頭_;
}

void T結果メモ::f全文破棄() {
    if (b表示中_) return;
    s全文_.clear();
    l省略_ = 0;
}
