#pragma once

#include <QString>
#include <QStringList>

namespace torvel {

class Wizard;

// Stores the menu header: a menu that has never been stored is inserted with its template,
// title, style and root, and curMenuID takes the new row's key; a stored menu gets its
// template, title and style updated (its root stays as first stored).
void saveMenuHeader(Wizard& wizard);

// The drive or volume that holds a path, as the drive list names it: on Windows the drive
// letter and colon ("D:"), elsewhere the root folder of the mounted volume ("/", "/media/cd").
QString driveOf(const QString& path);

// The drives or mounted volumes the drive list offers.
QStringList availableDrives();

}  // namespace torvel
