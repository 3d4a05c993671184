#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace torvel {

// Our own SVG pictures, compiled into the program: "new", "load", "delete", "banner", "torvel".
QString iconResource(const QString& name);
// The picture drawn at a size (device-independent pixels) for the given pixel ratio.
QPixmap svgPixmap(const QString& name, const QSize& size, qreal devicePixelRatio = 1.0);
// An icon with the picture drawn at the usual sizes.
QIcon svgIcon(const QString& name);
// The program's icon.
QIcon programIcon();

}  // namespace torvel
