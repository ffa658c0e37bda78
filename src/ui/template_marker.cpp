#include "ui/template_marker.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>

#include "ui/window_texts.h"

namespace {

const QString RC_雛形標識 = QStringLiteral("雛形: %1");
const QString RCTT_雛形標識 =
    QStringLiteral("雛形が有効です。入力は「@」の所に入れて計算されます。クリックすると雛形欄が開きます");
constexpr int D余白 = 4;  // pixels between the label and the viewport's edges

}  // namespace

T雛形標識::T雛形標識(QPlainTextEdit* pane) : QLabel(pane), pane_(pane) {
    setObjectName(QStringLiteral("TemplateMarker"));
    setToolTip(f窓訳(RCTT_雛形標識));
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
    setContentsMargins(D余白, 0, D余白, 0);
    // The selection's colours: it must stand out from whatever is typed in the pane.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Highlight));
    pal.setColor(QPalette::WindowText, pal.color(QPalette::HighlightedText));
    setPalette(pal);
    setAutoFillBackground(true);
    // The viewport is laid out after the pane's own resize: its resize is the one to follow.
    pane->viewport()->installEventFilter(this);
    hide();
}

void T雛形標識::f設定(const QString& s雛形, bool b表示) {
    s雛形_ = s雛形;
    if (!b表示 || s雛形.isEmpty()) return hide();
    f配置();
    show();
}

void T雛形標識::f配置() {
    const QRect area = pane_->viewport()->geometry();
    const int textWidth = std::max(area.width() * 2 / 3 - 2 * D余白, fontMetrics().averageCharWidth());
    // The template on one line: line breaks and tabs read as blanks.
    QString s = s雛形_;
    for (QChar& c : s)
        if (c.isSpace()) c = u' ';
    setText(f窓訳(RC_雛形標識).arg(fontMetrics().elidedText(s, Qt::ElideMiddle, textWidth)));
    adjustSize();
    move(area.right() - width() - D余白 + 1, area.bottom() - height() - D余白 + 1);
}

void T雛形標識::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit OnClick();
    event->accept();
}

bool T雛形標識::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pane_->viewport() && event->type() == QEvent::Resize && !isHidden()) f配置();
    return QLabel::eventFilter(watched, event);
}
