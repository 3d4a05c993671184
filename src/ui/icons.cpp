#include "ui/icons.h"

#include <QPainter>
#include <QSvgRenderer>

namespace torvel {

QString iconResource(const QString& name) {
    return QStringLiteral(":/icons/%1.svg").arg(name);
}

QPixmap svgPixmap(const QString& name, const QSize& size, qreal devicePixelRatio) {
    QSvgRenderer renderer(iconResource(name));
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.fill(Qt::transparent);
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon svgIcon(const QString& name) {
    // Qt's SVG icon engine draws each size when it is first asked for, not before the first paint.
    return QIcon(iconResource(name));
}

QIcon programIcon() {
    return svgIcon(QStringLiteral("torvel"));
}

}  // namespace torvel
