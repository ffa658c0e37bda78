#include "ui/splitter.h"

#include <QMouseEvent>
#include <QPainter>

TVexa4Splitter::TVexa4Splitter(Qt::Orientation orientation, QSplitter* parent)
    : QSplitterHandle(orientation, parent) {
    setCursor(Qt::SplitVCursor);
}

void TVexa4Splitter::mouseDoubleClickEvent(QMouseEvent* event) {
    // The toolkit would take the second click as a press, and the release after it would
    // put the bar back where the press found it (the panes are resized on release).
    if (event->button() != Qt::LeftButton) return QSplitterHandle::mouseDoubleClickEvent(event);
    b二度押し_ = true;
    emit OnDblClick(this);
}

void TVexa4Splitter::mouseReleaseEvent(QMouseEvent* event) {
    if (b二度押し_ && event->button() == Qt::LeftButton) {
        b二度押し_ = false;
        return;
    }
    QSplitterHandle::mouseReleaseEvent(event);
}

void TVexa4Splitter::paintEvent(QPaintEvent*) {
    // The widget reaches one pixel into each pane, for an easier grab; the bar itself is
    // its contents rectangle.
    QPainter p(this);
    p.fillRect(contentsRect(), palette().color(QPalette::Window));
}

TVexa4SplitterBox::TVexa4SplitterBox(QWidget* parent) : QSplitter(Qt::Vertical, parent) {
    setHandleWidth(TVexa4Splitter::D高さ);
    // While dragging, a line follows the mouse; the panes are resized on release.
    setOpaqueResize(false);
}

TVexa4Splitter* TVexa4SplitterBox::fBar(int i) const { return static_cast<TVexa4Splitter*>(handle(i + 1)); }

QSplitterHandle* TVexa4SplitterBox::createHandle() { return new TVexa4Splitter(orientation(), this); }
