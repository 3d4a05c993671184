#include "wizard/generalsettings.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QStorageInfo>
#include <map>
#include <memory>

#include "base/error.h"
#include "data/statements.h"
#include "files/paths.h"
#include "wizard/compose.h"
#include "wizard/controlnames.h"
#include "wizard/wizard.h"

namespace torvel {

namespace {

const QString kDriveList = ctl::Drive1;
const QString kFolderList = ctl::Dir1;
const QString kRootLabel = ctl::lblRoot;

// The folder last opened on each drive, so that picking a drive again returns to it.
using LastFolders = std::map<QString, QString>;

QString nativeForm(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// The root folder of a drive list entry.
QString driveRoot(const QString& drive) {
#ifdef Q_OS_WIN
    const QString letter = driveLetterOf(drive);
    return letter.isEmpty() ? QString() : letter + nativeSeparator();
#else
    return drive.trimmed().isEmpty() ? QString() : folderAsShown(nativeForm(drive.trimmed()));
#endif
}

// Dir1 Change: the opened folder becomes the root as shown and the CD root.
void openRootFolder(Wizard& wizard, LastFolders& lastFolders, const QString& path) {
    const QFileInfo info(path);
    if (path.trimmed().isEmpty() || !info.isDir() || !QDir(info.absoluteFilePath()).isReadable()) {
        throw TorvelError(
            QStringLiteral("The folder %1 does not exist or cannot be read.").arg(nativeForm(path)));
    }
    const QString shown = folderAsShown(nativeForm(QDir::cleanPath(info.absoluteFilePath())));
    FormModel& form = wizard.form();
    form.setText(kFolderList, shown);
    form.setCaption(kRootLabel, shown);
    wizard.state().cdRoot = withTrailingSeparator(shown);
    lastFolders[driveOf(shown)] = shown;
}

// Drive1 Change: the folder list moves to the drive's current folder, which then opens.
void openDrive(Wizard& wizard, LastFolders& lastFolders, const QString& drive) {
    const QString root = driveRoot(drive);
    const QStorageInfo storage(root);
    if (root.isEmpty() || !storage.isValid() || !storage.isReady() || !QDir(root).isReadable()) {
        throw TorvelError(QStringLiteral("The drive %1 cannot be read.").arg(drive));
    }
    const QString key = driveOf(root);
    auto last = lastFolders.find(key);
    const QString folder =
        (last != lastFolders.end() && QFileInfo(last->second).isDir()) ? last->second : root;

    FormModel& form = wizard.form();
    const int index = form.items(kDriveList).indexOf(drive);
    if (index >= 0) {
        form.select(kDriveList, index);
    }
    form.setText(kDriveList, drive);
    openRootFolder(wizard, lastFolders, folder);
}

}  // namespace

QString driveOf(const QString& path) {
#ifdef Q_OS_WIN
    return driveLetterOf(nativeForm(path));
#else
    // A folder that no longer exists belongs to the volume of its nearest existing parent.
    QString existing = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    while (!QFileInfo::exists(existing) && existing != QDir::rootPath()) {
        existing = QFileInfo(existing).absolutePath();
    }
    QString holder;
    for (const QString& drive : availableDrives()) {
        const QString prefix = drive.endsWith(QLatin1Char('/')) ? drive : drive + QLatin1Char('/');
        if ((existing == drive || existing.startsWith(prefix)) && drive.size() > holder.size()) {
            holder = drive;
        }
    }
    if (!holder.isEmpty()) {
        return holder;
    }
    const QStorageInfo storage(existing);
    return storage.isValid() ? folderAsShown(nativeForm(storage.rootPath())) : QString(nativeSeparator());
#endif
}

bool isUserVolume(const QString& rootPath, const QByteArray& fileSystemType) {
    static const QRegularExpression systemFolder(
        QStringLiteral("^/(proc|sys|dev|boot|snap|run(?!/media(/|$))|var/lib/snapd|var/snap)(/|$)"));
    static const QSet<QByteArray> pseudo{
        "proc",       "sysfs",      "devtmpfs",  "devpts",  "cgroup",      "cgroup2",
        "securityfs", "pstore",     "bpf",       "debugfs", "tracefs",     "configfs",
        "fusectl",    "mqueue",     "hugetlbfs", "autofs",  "binfmt_misc", "nsfs",
        "efivarfs",   "rpc_pipefs", "squashfs",  "ramfs",   "fuse.portal", "fuse.gvfsd-fuse"};
    return !systemFolder.match(QDir::fromNativeSeparators(rootPath)).hasMatch() &&
           !pseudo.contains(fileSystemType);
}

QStringList availableDrives() {
    QStringList drives;
#ifdef Q_OS_WIN
    for (const QFileInfo& drive : QDir::drives()) {
        drives << driveLetterOf(nativeForm(drive.absoluteFilePath()));
    }
#else
    drives << folderAsShown(nativeForm(QDir::homePath()));
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = folderAsShown(nativeForm(volume.rootPath()));
        if (volume.isValid() && QFileInfo(root).isDir() && isUserVolume(root, volume.fileSystemType()) &&
            !drives.contains(root)) {
            drives << root;
        }
    }
#endif
    return drives;
}

void saveMenuHeader(Wizard& wizard) {
    FormModel& form = wizard.form();
    WizardState& state = wizard.state();
    const QString templateName = form.text(ctl::cmbTemplate);
    const QString title = form.text(ctl::txtTitle);
    if (state.curMenuID == 0) {
        // The key is read on the insert's own connection; a failed insert throws and adopts none.
        state.curMenuID =
            wizard.myData().executeInsert(QString::fromLatin1(sql::insertMenu),
                                          {templateName, title, state.curStyleID, form.caption(kRootLabel)});
    } else {
        wizard.myData().ExecuteSQL(QString::fromLatin1(sql::updateMenu),
                                   {templateName, title, state.curStyleID, state.curMenuID});
    }
}

void installGeneralSettings(Wizard& wizard) {
    auto lastFolders = std::make_shared<LastFolders>();
    FormModel& form = wizard.form();

    // The drive list offers the volumes; the folder list starts in the home folder, which
    // becomes the CD root only once a folder is opened.
    form.setItems(kDriveList, availableDrives());
    const QString current = folderAsShown(nativeForm(QDir::homePath()));
    const QString currentDrive = driveOf(current);
    const int driveIndex = form.items(kDriveList).indexOf(currentDrive);
    if (driveIndex >= 0) {
        form.select(kDriveList, driveIndex);
    }
    form.setText(kDriveList, currentDrive);
    form.setText(kFolderList, current);

    wizard.onFolderChange(
        [&wizard, lastFolders](const QString& path) { openRootFolder(wizard, *lastFolders, path); });
    wizard.onDriveChange(
        [&wizard, lastFolders](const QString& drive) { openDrive(wizard, *lastFolders, drive); });
}

}  // namespace torvel
