// The window's construction and layout, the pane locks, the first activation, the
// template pane toggle, closing and the notification-area icon.
#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <utility>

#include "common/i18n.h"
#include "ui/icon.h"
#include "ui/pane_text.h"
#include "ui/template_marker.h"
#include "ui/window_texts.h"

const QString TfTavelko::RCTT_数式入力催促 = QStringLiteral("計算式を入力し、リターンキーを押して下さい");
const QString TfTavelko::RCTT_計算中キャンセル =
    QStringLiteral("計算中です。キャンセルしたい場合は何かキーを押すか、マウスの左ボタンをクリックして下さい");
const QString TfTavelko::RCTT_計算結果表示 = QStringLiteral("計算結果が表示されます");
const QString TfTavelko::RCTT_L式入力催促 = QStringLiteral(
    "「@」文字を含む計算式を入力して下さい。「@」文字部が中央の計算式に書き換えられて計算されます");
const QString TfTavelko::RCTT_計算キャンセル = QStringLiteral("キャンセル中です");
const QString TfTavelko::RC_窓題名 = QStringLiteral("Zerivuvu");

namespace {

// Heights at 96 dots per inch: the window's client area and the panes.
constexpr int D窓幅 = 536, D窓高さ = 441;
constexpr int DLambda高さ = 113, DCon高さ = 197, DResult高さ = 125;
constexpr int DLambda最小高さ = 4, DCon最小高さ = 10, DResult最小高さ = 10;

}  // namespace

TfTavelko::TfTavelko(const QStringList& vArgs, QWidget* parent)
    : QWidget(parent) {
    fBeep_ = [] { QApplication::beep(); };
    fレイアウト作成();

    fショートカット作成();
    TimHalfway = new QTimer(this);
    TimHalfway->setObjectName(QStringLiteral("TimHalfway"));
    TimHalfway->setInterval(100);
    connect(TimHalfway, &QTimer::timeout, this, &TfTavelko::TimHalfwayTimer);

    TITav = new QSystemTrayIcon(fプログラムアイコン(), this);
    TITav->setObjectName(QStringLiteral("TITav"));
    TITav->setToolTip(QStringLiteral("Tavelko"));
    connect(TITav, &QSystemTrayIcon::activated, this, &TfTavelko::TITavActivated);

    QStringList args = vArgs;
    const bool bFresh = args.removeAll(QStringLiteral("--fresh")) > 0;
    lb最小化 = !args.isEmpty() && args.first().toUpper() == QStringLiteral("/MIN");
    RtbCon_Enable();
    RtbLambda_Enable();
    // Without a home there is nowhere to keep the state: the window runs as with "--fresh".
    const QString s状態パス = bFresh ? QString() : T状態ファイル::f既定パス();
    if (!s状態パス.isEmpty()) {
        p状態_ = std::make_unique<T状態ファイル>(s状態パス);
        f状態復元();
    }
}

// A line still running (the window was closed during a long call) is asked to stop and
// waited for before anything of the window goes; its outcome, already handed over, is
// then taken in, so that the saved state keeps the line and what it assigned.
TfTavelko::~TfTavelko() {
    t評価器_.f作業終了待ち();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void TfTavelko::fペイン準備(QPlainTextEdit* pane, const char* name, int minHeight) {
    pane->setObjectName(QLatin1String(name));
    pane->setMinimumHeight(minHeight);
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pane->setTabChangesFocus(true);
    pane->installEventFilter(this);
    pane->viewport()->installEventFilter(this);
    // The mark of an error at the end of the line goes with the next change.
    connect(pane, &QPlainTextEdit::textChanged, pane, [pane] {
        if (!pane->extraSelections().isEmpty()) pane->setExtraSelections({});
    });
}

void TfTavelko::fレイアウト作成() {
    setObjectName(QStringLiteral("fTavelko"));
    setWindowTitle(RC_窓題名);
    setWindowIcon(fプログラムアイコン());
    QFont font;
    font.setFamilies({QStringLiteral("Segoe UI"), QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans")});
    setFont(font);  // its size is the zoom's (f拡大設定)
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    setPalette(pal);
    setAutoFillBackground(true);

    Splitters = new TVexa4SplitterBox(this);
    RtbLambda = new QPlainTextEdit(this);
    RtbCon = new QPlainTextEdit(this);
    RtbResult = new T結果メモ(this);
    fペイン準備(RtbLambda, "RtbLambda", DLambda最小高さ);
    fペイン準備(RtbCon, "RtbCon", DCon最小高さ);
    fペイン準備(RtbResult, "RtbResult", DResult最小高さ);
    RtbResult->setReadOnly(true);
    RtbResult->setFocusPolicy(Qt::ClickFocus);
    // A cursor the keys move (Ctrl+Home, Ctrl+End, Shift+arrows), though nothing is typed.
    RtbResult->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    RtbResult->setToolTip(f窓訳(RCTT_計算結果表示));
    fペイン色設定(RtbResult, QPalette::Button);
    Splitters->addWidget(RtbLambda);
    Splitters->addWidget(RtbCon);
    Splitters->addWidget(RtbResult);
    // The result pane takes what the two upper panes leave; a dragged-down upper pane
    // may vanish, its bar stays.
    Splitters->setStretchFactor(0, 0);
    Splitters->setStretchFactor(1, 0);
    Splitters->setStretchFactor(2, 1);
    Splitters->setCollapsible(2, false);
    Splitters->fBar(0)->setObjectName(QStringLiteral("Splitter1"));
    Splitters->fBar(1)->setObjectName(QStringLiteral("Splitter2"));
    connect(Splitters->fBar(0), &TVexa4Splitter::OnDblClick, this, &TfTavelko::Splitter1DblClick);
    p雛形標識_ = new T雛形標識(RtbCon);
    connect(p雛形標識_, &T雛形標識::OnClick, this, [this] {
        f雛形欄表示();
        RtbLambda->setFocus();
    });
    connect(RtbLambda, &QPlainTextEdit::textChanged, this, &TfTavelko::f雛形標識更新);
    connect(Splitters, &QSplitter::splitterMoved, this, &TfTavelko::f雛形標識更新);
    f拡大設定(0);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Splitters);
    resize(D窓幅, D窓高さ);
    Splitters->setSizes({DLambda高さ, DCon高さ, DResult高さ});
    setTabOrder(RtbCon, RtbLambda);
    RtbCon->setFocus();
}

void TfTavelko::fペイン色設定(QPlainTextEdit* pane, QPalette::ColorRole role) {
    QPalette pal = pane->palette();
    pal.setColor(QPalette::Base, QApplication::palette().color(role));
    pane->setPalette(pal);
}

void TfTavelko::RtbCon_Enable() {
    if (TimHalfway) TimHalfway->stop();
    RtbCon->setReadOnly(false);
    RtbCon->setToolTip(f窓訳(RCTT_数式入力催促));
    fペイン色設定(RtbCon, QPalette::Base);
}

void TfTavelko::RtbCon_Disable() {
    TimHalfway->start();
    RtbCon->setReadOnly(true);
    RtbCon->setToolTip(f窓訳(RCTT_計算中キャンセル));
    fペイン色設定(RtbCon, QPalette::Button);
}

void TfTavelko::RtbLambda_Enable() {
    RtbLambda->setReadOnly(false);
    RtbLambda->setToolTip(f窓訳(RCTT_L式入力催促));
    fペイン色設定(RtbLambda, QPalette::Base);
}

void TfTavelko::RtbLambda_Disable() {
    RtbLambda->setReadOnly(true);
    RtbLambda->setToolTip(f窓訳(RCTT_計算中キャンセル));
    fペイン色設定(RtbLambda, QPalette::Button);
}

void TfTavelko::f起動表示() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && !b窓配置復元済_)
        move(screen->availableGeometry().center() - rect().center());
    if (lb最小化) fトレイへ();
    else show();
}

void TfTavelko::fトレイへ() {
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        TITav->show();
        hide();
    } else if (!isMinimized()) {
        showMinimized();
    }
}

void TfTavelko::f初回活性化() {
    if (b一回だけ) return;
    b一回だけ = true;
    if (!b状態復元済_) Splitter1DblClick(this);
    // The version text is the result pane's first content; only a failure is shown. The
    // window is idle here, so the line runs at once on this thread.
    if (!b計算中_) {
        const T評価結果型 r = t評価器_.f評価(u"!version", {});
        if (r.sエラー.empty()) f出力表示(r);
        else RtbResult->f表示(fペイン文字列(f訳(r.sエラー)));
    }
    f通知表示(std::exchange(v起動通知_, {}));
    if (p状態_) {
        f状態警告表示();
        p状態_->f保存済設定(f状態取得());
    }
    f全選択(RtbCon);
}

bool TfTavelko::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) f初回活性化();
    return QWidget::event(e);
}

void TfTavelko::Splitter1DblClick(QObject* sender) {
    QList<int> sizes = Splitters->sizes();
    const int total = sizes[0] + sizes[1] + sizes[2];
    if (!f雛形欄閉(sizes[0])) {
        l退避LambdaHight = sizes[0];
        sizes[0] = RtbLambda->minimumHeight();
    } else {
        // A pane dragged shut has no height to return to: it opens at its default height.
        sizes[0] = f雛形欄閉(l退避LambdaHight) ? DLambda高さ : l退避LambdaHight;
        l退避LambdaHight = 0;
    }
    // The input pane keeps its height; the result pane takes the difference.
    sizes[2] = std::max(total - sizes[0] - sizes[1], RtbResult->minimumHeight());
    Splitters->setSizes(sizes);
    f雛形標識更新();
    if (sender && sender->objectName() == QStringLiteral("Splitter1")) update();
}

bool TfTavelko::f雛形欄閉(int lHeight) const {
    return lHeight - 2 * RtbLambda->frameWidth() < RtbLambda->fontMetrics().lineSpacing();
}

void TfTavelko::f雛形欄表示() {
    if (f雛形欄閉(Splitters->sizes().value(0))) Splitter1DblClick(this);
}

void TfTavelko::f雛形標識更新() {
    const bool b閉 = f雛形欄閉(Splitters->sizes().value(0));
    p雛形標識_->f設定(RtbLambda->toPlainText(), b閉);
    // Tab never leads into a pane the user cannot see.
    RtbLambda->setFocusPolicy(b閉 ? Qt::NoFocus : Qt::StrongFocus);
    if (b閉 && RtbLambda->hasFocus()) RtbCon->setFocus();
}

void TfTavelko::closeEvent(QCloseEvent* e) {
    // A running evaluation is asked to stop and the window goes at once; the state saved
    // now holds the variables as the last finished line left them.
    f計算キャンセル();
    // Only a window that was ever shown has a geometry and panes worth keeping.
    if (p状態_ && b一回だけ) p状態_->f保存(f状態取得());
    TITav->hide();
    QWidget::closeEvent(e);
}

void TfTavelko::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange && isMinimized() && !bタスクトレイアイコン復帰中 &&
        QSystemTrayIcon::isSystemTrayAvailable()) {
        // Hiding inside the state change confuses some window managers: do it next.
        QTimer::singleShot(0, this, [this] {
            if (isMinimized()) fトレイへ();
        });
    }
}

void TfTavelko::TITavActivated(QSystemTrayIcon::ActivationReason reason) {
    if (reason != QSystemTrayIcon::DoubleClick) return;
    bタスクトレイアイコン復帰中 = true;
    TITav->hide();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    bタスクトレイアイコン復帰中 = false;
}
