// A long root expansion in the window: the halfway timer shows growing digits with their
// end in view, and a key press, a left click in an input pane, Enter, or closing the
// window ends it with the digits so far followed by "...". The evaluation runs on a
// worker thread: the events are fired from timers of the window's own loop, as a user's
// would, and the window stays responsive even while one call cannot be interrupted.
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <thread>

#include "ui/result_memo.h"
#include "ui_test_util.h"

namespace {

// How the running evaluation is interrupted.
enum class ECancel { Key, ClickInput, ClickTemplate, Enter, Close };

// Gives up on an evaluation that nothing ended, so a broken cancel fails instead of
// hanging the suite.
constexpr int DGiveUpMs = 30000;

// Notes the time at which the watched pane gets its idle tool tip back, which happens
// when the panes are unlocked.
class TUnlockWatch : public QObject {
public:
    explicit TUnlockWatch(QPlainTextEdit* pane) : pane_(pane) { pane->installEventFilter(this); }
    QElapsedTimer clock;
    qint64 unlockedMs = -1;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::ToolTipChange && clock.isValid() && unlockedMs < 0 &&
            pane_->toolTip() == TfTavelko::RCTT_数式入力催促)
            unlockedMs = clock.elapsed();
        return false;
    }

private:
    QPlainTextEdit* pane_;
};

// Counts the paint events of a widget.
class TPaintCount : public QObject {
public:
    explicit TPaintCount(QWidget* widget) { widget->installEventFilter(this); }
    std::atomic<int> count{0};

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++count;
        return false;
    }
};

// The whole text of the result pane, also when it is shown shortened.
QString fWholeResult(TWindow& t) { return static_cast<T結果メモ*>(t.result())->f全文(); }

}  // namespace

class CancelTest : public QObject {
    Q_OBJECT
private slots:
    void cancelLongRoot_data();
    void cancelLongRoot();
    void cancelEachKindOfWork_data();
    void cancelEachKindOfWork();
    void uninterruptibleCallKeepsTheWindowResponsive();
    void closeDuringEvaluationEndsTheEventLoop();
};

void CancelTest::cancelLongRoot_data() {
    QTest::addColumn<int>("how");
    QTest::addColumn<int>("afterMs");  // how long the expansion runs before the cancel
    QTest::newRow("key press") << int(ECancel::Key) << 700;
    QTest::newRow("click in input pane") << int(ECancel::ClickInput) << 700;
    QTest::newRow("click in template pane") << int(ECancel::ClickTemplate) << 700;
    QTest::newRow("Enter") << int(ECancel::Enter) << 700;
    QTest::newRow("close") << int(ECancel::Close) << 700;
    QTest::newRow("key press after 4 s") << int(ECancel::Key) << 4000;
}

void CancelTest::cancelLongRoot() {
    QFETCH(int, how);
    QFETCH(int, afterMs);
    TWindow t;
    QVERIFY(t.fOpen());
    TUnlockWatch watch(t.con());
    const QRegularExpression partial(QStringLiteral("^1\\.41421356\\d*\\.\\.\\.$"));
    QStringList halfway;  // the distinct halfway texts seen, in order
    bool endInView = true;  // the growing end of each was in view
    bool locked = false, cancelling = false, gaveUp = false, closedAtOnce = false;
    QElapsedTimer running;
    // Watches the result pane while the expansion runs, and cancels once it has run
    // long enough and at least two halfway texts were shown.
    QTimer poll;
    poll.setInterval(25);
    connect(&poll, &QTimer::timeout, [&] {
        const QString shown = fWholeResult(t);
        if (partial.match(shown).hasMatch() && (halfway.isEmpty() || halfway.last() != shown)) {
            halfway << shown;
            endInView = endInView && fEndInView(*t.result());
        }
        if (halfway.size() < 2 || running.elapsed() < afterMs) return;
        poll.stop();
        const QColor grey = QApplication::palette().color(QPalette::Button);
        locked = t.con()->isReadOnly() && t.lambda()->isReadOnly() && t.w->f計算中() &&
                 t.con()->toolTip() == TfTavelko::RCTT_計算中キャンセル &&
                 t.con()->palette().color(QPalette::Base) == grey;
        watch.clock.start();
        switch (ECancel(how)) {
        case ECancel::Key: QTest::keyClick(t.con(), Qt::Key_A); break;
        case ECancel::ClickInput: QTest::mouseClick(t.con()->viewport(), Qt::LeftButton); break;
        case ECancel::ClickTemplate: QTest::mouseClick(t.lambda()->viewport(), Qt::LeftButton); break;
        case ECancel::Enter: QTest::keyClick(t.con(), Qt::Key_Return); break;
        case ECancel::Close:
            t.w->close();
            closedAtOnce = !t.w->isVisible() && t.w->f計算中();
            break;
        }
        // Until the evaluation notices, the input pane stays locked and says so.
        cancelling = t.con()->isReadOnly() && t.con()->toolTip() == TfTavelko::RCTT_計算キャンセル &&
                     t.lambda()->palette().color(QPalette::Base) == grey;
    });
    // Timers carry the window as their context: one still pending when a row ends goes with it.
    QTimer::singleShot(DGiveUpMs, t.w.get(), [&] {
        gaveUp = t.w->f計算中();
        t.w->f評価器().fキャンセル();
    });
    running.start();
    poll.start();
    t.fEnter(QStringLiteral("2^(1/2)"));  // returns when the evaluation has ended
    const qint64 cancelToShownMs = watch.clock.elapsed();
    QVERIFY(!gaveUp);
    QVERIFY(locked);
    QVERIFY(cancelling);
    QVERIFY(watch.unlockedMs >= 0);
    qInfo("%d digits: cancel to unlocked panes %lld ms, to the result shown %lld ms",
          int(fWholeResult(t).size()) - 5, watch.unlockedMs, cancelToShownMs);

    // The halfway digits grew in view, and the final text carries at least as many.
    QVERIFY(endInView);
    for (qsizetype i = 1; i < halfway.size(); ++i) QVERIFY(halfway[i].size() > halfway[i - 1].size());
    const QString final = fWholeResult(t);
    QVERIFY2(partial.match(final).hasMatch(), qPrintable(final.left(40)));
    QVERIFY(final.size() >= halfway.last().size());

    if (ECancel(how) == ECancel::Close) {
        QVERIFY(closedAtOnce);  // the window went without waiting for the evaluation
        return;
    }
    QVERIFY(!t.con()->isReadOnly() && !t.lambda()->isReadOnly());
    QCOMPARE(t.con()->toolTip(), TfTavelko::RCTT_数式入力催促);
    QCOMPARE(t.con()->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));
    QVERIFY(!t.w->findChild<QTimer*>(QStringLiteral("TimHalfway"))->isActive());
    // The cancelled line is in the history, and the next Enter evaluates normally.
    t.fEnter(QStringLiteral("1+2"));
    QCOMPARE(t.result()->toPlainText(), QStringLiteral("3"));
    QTest::keyClick(t.con(), Qt::Key_Up);
    QTest::keyClick(t.con(), Qt::Key_Up);
    QCOMPARE(t.con()->toPlainText(), QStringLiteral("2^(1/2)"));
}

// The slowest kinds of work, each cancelled by a key press while it runs: the panes come
// back unlocked with the digits so far (or none) and the cancel mark. The time from the
// key to the unlocked panes is reported.
void CancelTest::cancelEachKindOfWork_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("afterMs");
    QString product = QStringLiteral("1"), unit = QStringLiteral("1[km");
    for (int i = 2; i <= 50000; ++i) product += QStringLiteral("*%1").arg(i);
    for (int i = 1; i < 30000; ++i) unit += QStringLiteral("*km");
    QTest::newRow("power") << QStringLiteral("3^2147483647") << 1000;
    QTest::newRow("decimal text of a power") << QStringLiteral("7^10000000") << 700;
    QTest::newRow("radix rendering") << QStringLiteral("(7^3000000)[36]") << 300;
    QTest::newRow("unit power") << QStringLiteral("(1[km])^5000000") << 300;
    QTest::newRow("long product line") << product << 150;
    // The pane cannot lay out a unit long enough to outlast a fixed wait on every machine;
    // the key comes at the evaluation's first cancellation point instead.
    QTest::newRow("long unit") << unit + QStringLiteral("]") << 1;
}

void CancelTest::cancelEachKindOfWork() {
    QFETCH(QString, line);
    QFETCH(int, afterMs);
    TWindow t;
    QVERIFY(t.fOpen());
    TUnlockWatch watch(t.con());
    bool pressed = false;
    QTimer::singleShot(afterMs, t.w.get(), [&] {
        pressed = t.w->f計算中();
        watch.clock.start();
        QTest::keyClick(t.con(), Qt::Key_A);
    });
    t.fEnter(line);
    QVERIFY2(pressed, "the work ended before the key");
    QVERIFY(watch.unlockedMs >= 0);
    const QString result = fWholeResult(t);
    QVERIFY2(result.contains(QStringLiteral("...")), qPrintable(result.left(40)));
    qInfo("key to unlocked panes %lld ms", watch.unlockedMs);
    t.fEnter(QStringLiteral("1+2"));
    QCOMPARE(t.result()->toPlainText(), QStringLiteral("3"));
}

// One call the evaluation cannot interrupt (a watch that sleeps a second, as a long
// library call would) runs on the worker: meanwhile the window takes a key through its
// event loop and repaints, and the cancel that key asked for lands once the call returns.
void CancelTest::uninterruptibleCallKeepsTheWindowResponsive() {
    using namespace std::chrono_literals;
    TWindow t;
    QVERIFY(t.fOpen());
    enum { kBefore, kInside, kReturned };
    std::atomic<int> call{kBefore};
    t.w->f評価器().f監視設定([&call] {
        int expected = kBefore;
        if (!call.compare_exchange_strong(expected, kInside)) return;
        std::this_thread::sleep_for(1s);
        call = kReturned;
    }, 0);
    TPaintCount paints(t.con()->viewport());
    t.con()->setPlainText(QStringLiteral("2^(1/2)"));
    t.con()->setFocus();
    QTest::keyClick(t.con(), Qt::Key_Return);
    QTRY_COMPARE(call.load(), int(kInside));
    const int paintsBefore = paints.count;
    QElapsedTimer clock;
    clock.start();
    // The key goes through the window's event loop, as a user's does.
    QCoreApplication::postEvent(t.con(), new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a")));
    QTRY_COMPARE_WITH_TIMEOUT(t.con()->toolTip(), TfTavelko::RCTT_計算キャンセル, 900);
    const qint64 keyMs = clock.elapsed();
    QTRY_VERIFY_WITH_TIMEOUT(paints.count > paintsBefore, 900);
    const qint64 paintMs = clock.elapsed();
    QCOMPARE(call.load(), int(kInside));  // both happened while the call still ran
    QVERIFY(t.w->f計算中());
    t.fWaitIdle();
    QCOMPARE(call.load(), int(kReturned));
    QCOMPARE(fWholeResult(t), QStringLiteral("..."));  // cancelled before any digit
    qInfo("during a 1 s call: key handled after %lld ms, repainted after %lld ms, result after %lld ms", keyMs,
          paintMs, clock.elapsed());
    t.w->f評価器().f監視設定(nullptr);
    t.fEnter(QStringLiteral("1+2"));
    QCOMPARE(t.result()->toPlainText(), QStringLiteral("3"));
}

// As in the program: the evaluation runs inside the application's event loop, the
// window is closed while it runs, and the loop then ends because the last window
// closed. Runs last: the application's loop is left behind.
void CancelTest::closeDuringEvaluationEndsTheEventLoop() {
    auto t = std::make_unique<TWindow>();
    QVERIFY(t->fOpen());
    bool evaluated = false;
    QTimer::singleShot(0, t->w.get(), [&] {
        t->fEnter(QStringLiteral("2^(1/2)"));
        evaluated = true;
    });
    QTimer::singleShot(500, t->w.get(), [&] { t->w->close(); });
    QTimer::singleShot(DGiveUpMs, t->w.get(), [&] {
        t->w->f評価器().fキャンセル();
        QCoreApplication::exit(1);
    });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(evaluated);
    QVERIFY(!t->w->isVisible());
    QVERIFY(fWholeResult(*t).endsWith(QStringLiteral("...")));
    t.reset();  // the window goes while nothing runs
}

QTEST_MAIN(CancelTest)
#include "cancel_test.moc"
