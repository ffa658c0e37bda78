#include "ui/icon.h"

#include <QColor>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QXmlStreamReader>

namespace {

// The number in attribute name, 0 when absent.
double fAttr(const QXmlStreamAttributes& a, const char* name) {
    return a.value(QLatin1String(name)).toDouble();
}

// The points "x,y x,y …" of a polygon.
QPolygonF fPoints(QStringView text) {
    QPolygonF poly;
    const QList<QStringView> pairs = text.split(u' ', Qt::SkipEmptyParts);
    for (QStringView p : pairs) {
        const QList<QStringView> xy = p.split(u',');
        if (xy.size() == 2) poly << QPointF(xy[0].toDouble(), xy[1].toDouble());
    }
    return poly;
}

// Draws one element; false for an element that is not part of the supported subset.
bool fElement(QPainter& p, QStringView name, const QXmlStreamAttributes& a) {
    if (name == u"svg" || name == u"title" || name == u"desc") return true;
    QPainterPath path;
    if (name == u"rect") {
        const QRectF r(fAttr(a, "x"), fAttr(a, "y"), fAttr(a, "width"), fAttr(a, "height"));
        const double rx = fAttr(a, "rx");
        const double ry = a.hasAttribute(QLatin1String("ry")) ? fAttr(a, "ry") : rx;
        path.addRoundedRect(r, rx, ry);
    } else if (name == u"circle") {
        const double r = fAttr(a, "r");
        path.addEllipse(QPointF(fAttr(a, "cx"), fAttr(a, "cy")), r, r);
    } else if (name == u"polygon") {
        path.addPolygon(fPoints(a.value(QLatin1String("points"))));
        path.closeSubpath();
    } else {
        return false;
    }
    p.fillPath(path, QColor(a.value(QLatin1String("fill")).toString()));
    return true;
}

// The view box width of the root element (its width when no view box is given).
double fViewWidth(const QXmlStreamAttributes& a) {
    const QList<QStringView> box = a.value(QLatin1String("viewBox")).split(u' ', Qt::SkipEmptyParts);
    return box.size() == 4 ? box[2].toDouble() : fAttr(a, "width");
}

}  // namespace

QImage fSVG描画(const QByteArray& svg, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QXmlStreamReader xml(svg);
    bool root = true;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (root) {
            const double w = fViewWidth(xml.attributes());
            if (xml.name() != u"svg" || w <= 0) return {};
            p.scale(size / w, size / w);
            root = false;
        }
        if (!fElement(p, xml.name(), xml.attributes())) return {};
    }
    if (xml.hasError() || root) return {};
    return image;
}

QIcon fプログラムアイコン() {
    Q_INIT_RESOURCE(tavelko);
    const QString path = QStringLiteral(":/tavelko.svg");
    if (QImageReader::supportedImageFormats().contains("svg")) return QIcon(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray svg = file.readAll();
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(QPixmap::fromImage(fSVG描画(svg, size)));
    return icon;
}
