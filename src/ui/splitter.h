// The bars between the window's panes: the toolkit's splitter bar, 3 pixels high, that
// also reports a double-click, so the window can collapse and restore the pane above it.
#pragma once

#include <QSplitter>
#include <QSplitterHandle>

class TVexa4Splitter : public QSplitterHandle {
    Q_OBJECT
public:
    static constexpr int D高さ = 3;

    TVexa4Splitter(Qt::Orientation orientation, QSplitter* parent);

signals:
    // The bar was double-clicked; sender is the bar itself.
    void OnDblClick(QObject* sender);

protected:
    // Reports the double-click and takes it as no press: the bar it moved stays there.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // The release that ends a double-click is swallowed; any other ends a drag, which
    // moves the bar to where the mouse is.
    void mouseReleaseEvent(QMouseEvent* event) override;
    // A plain bar in the window's colour, without the style's grip.
    void paintEvent(QPaintEvent* event) override;

private:
    bool b二度押し_ = false;  // between a double-click and its release
};

// A vertical splitter whose bars are TVexa4Splitter bars, 3 pixels high.
class TVexa4SplitterBox : public QSplitter {
    Q_OBJECT
public:
    explicit TVexa4SplitterBox(QWidget* parent = nullptr);
    // The bar below pane i (bar 0, above the first pane, is hidden).
    TVexa4Splitter* fBar(int i) const;

protected:
    QSplitterHandle* createHandle() override;
};
