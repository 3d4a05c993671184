#pragma once

#include <QString>
#include <memory>

#include "files/programfolders.h"

namespace torvel {

class Prompts;
class Wizard;

// The wizard as the window and the script runner use it: its controls and page switcher with
// every subsystem's handlers, leave actions and change events wired in.
std::unique_ptr<Wizard> buildWizard(Prompts& prompts, const ProgramFolders& folders);
// The same on one folder holding everything (--program-dir, tests).
inline std::unique_ptr<Wizard> buildWizard(Prompts& prompts, const QString& programDir) {
    return buildWizard(prompts, givenProgramFolder(programDir));
}

// One per subsystem, each in its own file.
void installMenuLibrary(Wizard& wizard);      // page 0: create, load, delete menus
void installGeneralSettings(Wizard& wizard);  // page 1: drive and folder lists
void installStylePages(Wizard& wizard);       // pages 2 and 3: style library and pickers
void installTransitions(Wizard& wizard);      // leave actions of pages 0 to 3
void installFileEntries(Wizard& wizard);      // page 4: file entry editor
void installFinish(Wizard& wizard);           // Finish: the package builder
void installFinder(Wizard& wizard);           // Find: the description finder dialog
void installAbout(Wizard& wizard);            // Help > About
void installDisc(Wizard& wizard);             // the Disc menu: check, preview, CD root, ISO image

}  // namespace torvel
