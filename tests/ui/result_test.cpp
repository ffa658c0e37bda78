// Texts too long to lay out: the result pane shows them shortened and still copies and
// hands on the whole text, a halfway text keeps its growing end in view, and the window
// shows a result of megabytes and carries on.
#include <QApplication>
#include <QClipboard>
#include <QRegularExpression>
#include <QScrollBar>

#include "ui/result_memo.h"
#include "ui_test_util.h"

namespace {

// A line of n digits after "1.".
QString fDigits(qsizetype n) {
    QString s = QStringLiteral("1.");
    for (qsizetype i = 0; i < n; ++i) s += QChar(u'0' + char16_t(i * 7 % 10));
    return s;
}

// Shows the pane at the size it has in the window; false when it never appeared.
bool fOpen(T結果メモ& pane) {
    pane.resize(536, 125);
    pane.show();
    return QTest::qWaitForWindowExposed(&pane);
}

// A place in a shortened text: an anchor and an offset from it.
enum EAnchor { Begin, GapStart, GapEnd, End };
using TPlace = QPair<int, int>;

}  // namespace

class ResultTest : public QObject {
    Q_OBJECT
private slots:
    void shownAndCopied_data();
    void shownAndCopied();
    void copiedSelection_data();
    void copiedSelection();
    void halfwayFollowsTheEnd_data();
    void halfwayFollowsTheEnd();
    void resultOfMegabytes();
};

void ResultTest::shownAndCopied_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("shortened");
    QString lines;  // like the source listing: a third of a megabyte in short lines
    for (int i = 0; i < 6000; ++i) lines += QString(59, QChar(u'a' + i % 26)) + u'\n';
    QTest::newRow("short") << "0.3`" << false;
    QTest::newRow("many short lines") << lines << false;
    QTest::newRow("one long line") << fDigits(1'000'000) << true;
    QTest::newRow("long line, then lines") << fDigits(300'000) + "\nTavelko/Linux\n\nabc" << true;
    // The leading "x" puts a surrogate pair across each cut.
    QTest::newRow("surrogate pairs") << "x" + QString(120'000, u'y').replace("yy", "😀") + "z"
                                     << true;
}

void ResultTest::shownAndCopied() {
    QFETCH(QString, text);
    QFETCH(bool, shortened);
    T結果メモ pane;
    QVERIFY(fOpen(pane));
    pane.f表示(text);
    const QString shown = pane.toPlainText();
    QCOMPARE(pane.f省略中(), shortened);
    if (shortened) {
        QVERIFY(shown.size() <= 100'000);
        QVERIFY(shown.isValidUtf16());
        QVERIFY(shown.startsWith(text.left(1000)));
        QVERIFY(shown.endsWith(text.right(1000)));
    } else {
        QCOMPARE(shown, text);
    }
    QCOMPARE(pane.f全文(), text);
    pane.f末尾表示();
    QVERIFY(fEndInView(pane));
    pane.selectAll();
    pane.copy();
    QCOMPARE(QApplication::clipboard()->text(), text);
    // A text changed other than through the pane's display is the pane's own again.
    pane.clear();
    QCOMPARE(pane.f全文(), QString());
}

void ResultTest::copiedSelection_data() {
    QTest::addColumn<TPlace>("from");
    QTest::addColumn<TPlace>("to");
    QTest::addColumn<TPlace>("wholeFrom");  // the same anchors in the whole text
    QTest::addColumn<TPlace>("wholeTo");
    using P = TPlace;
    QTest::newRow("in the beginning") << P{Begin, 5} << P{Begin, 12} << P{Begin, 5} << P{Begin, 12};
    QTest::newRow("in the end") << P{End, -12} << P{End, -5} << P{End, -12} << P{End, -5};
    QTest::newRow("across the gap") << P{Begin, 5} << P{End, -5} << P{Begin, 5} << P{End, -5};
    QTest::newRow("up to the gap") << P{Begin, 5} << P{GapStart, 0} << P{Begin, 5} << P{GapStart, 0};
    QTest::newRow("from the gap") << P{GapEnd, 0} << P{End, 0} << P{GapEnd, 0} << P{End, 0};
    QTest::newRow("omission line") << P{GapStart, 1} << P{GapEnd, -1} << P{GapStart, 0}
                                   << P{GapEnd, 0};
    QTest::newRow("from inside it") << P{GapStart, 3} << P{End, -1} << P{GapStart, 0} << P{End, -1};
}

void ResultTest::copiedSelection() {
    QFETCH(TPlace, from);
    QFETCH(TPlace, to);
    QFETCH(TPlace, wholeFrom);
    QFETCH(TPlace, wholeTo);
    const QString text = fDigits(500'000);
    T結果メモ pane;
    pane.f表示(text);
    const QString shown = pane.toPlainText();
    // The omission line is the only line break the shown text has.
    const qsizetype gapStart = shown.indexOf(u'\n'), gapEnd = shown.lastIndexOf(u'\n') + 1;
    const qsizetype inShown[] = {0, gapStart, gapEnd, shown.size()};
    const qsizetype inWhole[] = {0, gapStart, text.size() - (shown.size() - gapEnd), text.size()};
    QTextCursor cursor = pane.textCursor();
    cursor.setPosition(int(inShown[from.first] + from.second));
    cursor.setPosition(int(inShown[to.first] + to.second), QTextCursor::KeepAnchor);
    pane.setTextCursor(cursor);
    pane.copy();
    const qsizetype start = inWhole[wholeFrom.first] + wholeFrom.second;
    const qsizetype end = inWhole[wholeTo.first] + wholeTo.second;
    QCOMPARE(QApplication::clipboard()->text(), text.mid(start, end - start));
}

void ResultTest::halfwayFollowsTheEnd_data() {
    QTest::addColumn<bool>("first");  // the first halfway display of an evaluation
    QTest::addColumn<bool>("atEnd");  // the pane was scrolled to the end of its text
    QTest::addColumn<bool>("follows");
    QTest::newRow("first, pane at the top") << true << false << true;
    QTest::newRow("later, pane at the end") << false << true << true;
    QTest::newRow("later, scrolled away") << false << false << false;
}

void ResultTest::halfwayFollowsTheEnd() {
    QFETCH(bool, first);
    QFETCH(bool, atEnd);
    QFETCH(bool, follows);
    T結果メモ pane;
    QVERIFY(fOpen(pane));
    pane.f表示(fDigits(5000));
    QScrollBar* bar = pane.verticalScrollBar();
    bar->setValue(atEnd ? bar->maximum() : 0);
    pane.f途中表示(fDigits(6000), first);
    QCOMPARE(fEndInView(pane), follows);
    if (!follows) QCOMPARE(bar->value(), 0);
}

// The result has an 880,000-digit cycle: 3.5 million characters on one line.
void ResultTest::resultOfMegabytes() {
    TWindow t;
    QVERIFY(t.fOpen());
    auto* pane = qobject_cast<T結果メモ*>(t.result());
    QVERIFY(pane);
    t.fEnter(QStringLiteral("(12AU/299792458[m/s])[s]"));
    QVERIFY(pane->f省略中());
    QVERIFY(pane->toPlainText().startsWith(QStringLiteral("5988.0`5737801449294631688166")));
    QVERIFY(pane->toPlainText().endsWith(QStringLiteral("3319711198338418506845825988` [s]")));
    QApplication::clipboard()->clear();
    QTest::keyClick(pane, Qt::Key_C, Qt::ControlModifier);
    const QString whole = QApplication::clipboard()->text();
    QCOMPARE(whole.size(), 3'520'067);
    QVERIFY(QRegularExpression(QStringLiteral("^5988\\.0`\\d+` \\[s\\]$")).match(whole).hasMatch());
    // A command extends the whole result, not what the pane shows of it.
    t.fEnter(QStringLiteral("!version"));
    QVERIFY(pane->toPlainText().contains(QStringLiteral("` [s]\nTavelko/Linux Version 1.5.0.0")));
    QTest::keyClick(pane, Qt::Key_Insert, Qt::ControlModifier);
    QVERIFY(QApplication::clipboard()->text().startsWith(whole + QStringLiteral("\nTavelko/Linux")));
    // The next line is evaluated and shown as usual.
    t.fEnter(QStringLiteral("1+2"));
    QCOMPARE(pane->toPlainText(), QStringLiteral("3"));
    QVERIFY(!pane->f省略中());
}

QTEST_MAIN(ResultTest)
#include "result_test.moc"
