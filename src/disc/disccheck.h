#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "disc/disctree.h"
#include "generator/pageframe.h"

namespace torvel {

class clsData;

// What the check before burning found: an error makes the disc fail, a warning may make it fail
// somewhere, a note is worth knowing.
struct Finding {
    enum class Level { Error, Warning, Note };
    Level level = Level::Note;
    QString what;
    QString where;  // below the CD root, "/" between the steps; empty for the disc as a whole
};

// "error", "warning", "note".
QString levelName(Finding::Level level);

// What Finish would write now: the template and the page's inputs (the CD root, the open menu,
// the title, the style's sound, logo and button images), and the style's background image,
// which the style sheet refers to.
struct DiscCheckInputs {
    QString templateName;
    PageInputs page;
    QString backImage;
};

// Checks a CD root before it is burnt: the files the menu and its pages need, names and depths
// that other systems cannot hold, links, the start page against what Finish would write now, and
// the size. Findings come errors first, then warnings, then notes, each group in the order found.
std::vector<Finding> checkDisc(const DiscTree& tree, clsData& data, const DiscCheckInputs& inputs);

// The media a disc can be burnt on, smallest first, with the bytes each holds.
struct Medium {
    const char* name;
    qint64 bytes;
};
// The smallest medium that holds this many bytes, or nothing when none does.
std::optional<Medium> smallestMedium(qint64 bytes);

// Why a Windows file system or Joliet cannot hold a file or folder name, or nothing when it can.
std::optional<QString> foreignNameProblem(const QString& name);

}  // namespace torvel
