// The window's read-only result pane. Laying out one line costs time in proportion to
// its length, so a text with a line too long to lay out in a few tens of milliseconds
// (a result or a halfway expansion of megabytes) is shown shortened: its beginning, a
// line saying how many characters are left out, and its end. The pane keeps the whole
// text: a copied selection that reaches into the left-out part copies what it stands
// for, so selecting all and copying gives the whole text, and the commands read and
// extend the whole text. Every other text is shown exactly as given.
#pragma once

#include <QPlainTextEdit>

class T結果メモ : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit T結果メモ(QWidget* parent = nullptr);

    // Replaces the text, shortened when it has a very long line; the view is at the top.
    void f表示(const QString& text);
    // The whole text last given, or the pane's own text when it was shown whole or has
    // been changed since.
    QString f全文() const;
    // The text is shown shortened.
    bool f省略中() const { return l省略_ > 0; }
    // Scrolls so that the end of the text is in view.
    void f末尾表示();
    // Replaces the text of a running expansion. Its growing end is in view after the
    // first display and whenever it was in view before; a pane the user has scrolled
    // elsewhere keeps its place.
    void f途中表示(const QString& text, bool b初回);

protected:
    QMimeData* createMimeDataFromSelection() const override;

private:
    // The text to show for one with a line too long to lay out (longer than its shown
    // beginning and end together); keeps the whole text and where the gap is.
    QString f省略文(const QString& text);
    // The position in the whole text of a position in the shown one. A position inside
    // the omission line stands for the left-out part's start, or with b終端 its end.
    qsizetype f全文位置(qsizetype l表示位置, bool b終端) const;
    // Forgets the whole text once the pane's text changed other than through f表示.
    void f全文破棄();

    QString s全文_;           // the whole text while shown shortened, else empty
    qsizetype l先頭_ = 0;     // characters shown before the omission line
    qsizetype l印長_ = 0;     // length of the omission line with its line breaks
    qsizetype l省略_ = 0;     // characters left out; 0 when shown whole
    bool b表示中_ = false;    // f表示 is replacing the text
};
