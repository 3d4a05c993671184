#include "disc/disctree.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "base/error.h"
#include "files/safefile.h"

namespace torvel {

namespace {

constexpr qint64 kSector = 2048;

bool isBelow(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder.endsWith(QLatin1Char('/')) ? folder : folder + u'/');
}

class Scanner {
public:
    explicit Scanner(DiscTree& tree) : tree_(tree) {}

    // Adds what the folder `source` holds below `path`; `walked` holds the canonical paths of the
    // folders on the way down, so that a link back to one of them is not followed again.
    void folder(const QString& source, const QString& path, int depth) {
        walked_.push_back(QFileInfo(source).canonicalFilePath());
        const QFileInfoList entries = QDir(source).entryInfoList(
            QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
        for (const QFileInfo& entry : entries) {
            if (!isSafeFileTemporary(entry.fileName())) {
                add(entry, path.isEmpty() ? entry.fileName() : path + u'/' + entry.fileName(), depth);
            }
        }
        walked_.pop_back();
    }

private:
    void add(const QFileInfo& entry, const QString& path, int depth) {
        DiscItem item;
        item.path = path;
        item.depth = depth;
        item.source = entry.absoluteFilePath();
        if (entry.isSymLink()) {
            const QString target = entry.canonicalFilePath();
            item.source = target;
            if (target.isEmpty()) {
                item.kind = DiscItem::Kind::LinkBroken;
            } else if (!isBelow(target, tree_.root)) {
                item.kind = DiscItem::Kind::LinkOutside;
            } else if (std::any_of(walked_.begin(), walked_.end(),
                                   [&](const QString& folder) { return isBelow(folder, target); })) {
                item.kind = DiscItem::Kind::LinkLoop;
            }
            if (item.kind != DiscItem::Kind::File) {
                tree_.items.push_back(item);
                return;
            }
        }
        const QFileInfo real(item.source);
        if (real.isDir()) {
            item.kind = DiscItem::Kind::Folder;
            tree_.items.push_back(item);
            folder(item.source, path, depth + 1);
        } else if (real.isFile()) {
            item.size = real.size();
            tree_.items.push_back(item);
        }
        // Sockets, pipes and devices are no files for a disc.
    }

    DiscTree& tree_;
    std::vector<QString> walked_;
};

}  // namespace

qint64 DiscTree::sectorBytes() const {
    qint64 total = 0;
    for (const DiscItem& item : items) {
        if (item.kind == DiscItem::Kind::File) {
            total += (item.size + kSector - 1) / kSector * kSector;
        }
    }
    return total;
}

DiscTree scanDisc(const QString& cdRoot) {
    DiscTree tree;
    tree.root = QFileInfo(cdRoot).canonicalFilePath();
    if (tree.root.isEmpty() || !QFileInfo(tree.root).isDir() || !QDir(tree.root).isReadable()) {
        throw TorvelError(QStringLiteral("The folder %1 does not exist or cannot be read.")
                              .arg(QDir::toNativeSeparators(cdRoot)));
    }
    Scanner(tree).folder(tree.root, QString(), 1);
    return tree;
}

}  // namespace torvel
