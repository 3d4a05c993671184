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
// letter and colon ("D:"), elsewhere the entry of the drive list that holds it most closely (the
// home folder, "/", "/media/cd"), or the root folder of its mounted volume when none does.
QString driveOf(const QString& path);

// The drives the drive list offers; elsewhere than on Windows the user's home folder first, then
// the user's mounted volumes.
QStringList availableDrives();

// Whether a mounted volume is one the user keeps files on: neither a mount of the system (below
// /proc, /sys, /dev, /run except removable media in /run/media, /boot, snaps) nor a pseudo file
// system (proc, sysfs, cgroup, squashfs and the like).
bool isUserVolume(const QString& rootPath, const QByteArray& fileSystemType);

}  // namespace torvel
