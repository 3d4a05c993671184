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
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 96, 128, 256}) {
        icon.addPixmap(svgPixmap(name, QSize(side, side)));
    }
    return icon;
}

QIcon programIcon() {
    return svgIcon(QStringLiteral("torvel"));
}

}  // namespace torvel
