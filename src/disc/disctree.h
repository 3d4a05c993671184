#pragma once

#include <QString>
#include <vector>

namespace torvel {

// One file or folder below a CD root, as a disc or image takes it.
struct DiscItem {
    enum class Kind {
        Folder,
        File,
        LinkOutside,  // a symbolic link to a place outside the root: left out
        LinkBroken,   // a symbolic link to nothing: left out
        LinkLoop,     // a symbolic link to a folder that holds it: left out
    };
    Kind kind = Kind::File;
    QString path;    // below the root, "/" between the steps
    QString source;  // the absolute path whose bytes and dates are taken (a link's target)
    qint64 size = 0;
    int depth = 1;  // folders and files right in the root are at depth 1
};

// Every file and folder below a CD root, a folder before what it holds, names in code-point order.
// A symbolic link whose target lies inside the root stands for that file or folder; the
// temporary files of the safe writer are not part of a disc.
struct DiscTree {
    QString root;  // the root's canonical path
    std::vector<DiscItem> items;
    // The bytes of every file, each rounded up to whole 2,048-byte sectors.
    qint64 sectorBytes() const;
};

// Reads the tree below a CD root. Throws TorvelError when the root cannot be read.
DiscTree scanDisc(const QString& cdRoot);

}  // namespace torvel
