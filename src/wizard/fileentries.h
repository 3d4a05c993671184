#pragma once

#include <QString>

namespace torvel {

class Wizard;

// Lists the titles of the open menu's entries in lstFiles, in the order the database returns
// them, each with its key. The fields and curFileName stay as they are.
void getFileData(Wizard& wizard);

// Entering the "Add Files" page: no entry counts as clicked any more, and a stored menu's
// entries are listed afresh.
void enterFilePage(Wizard& wizard);

// Another menu is about to be opened (Create Menu, Load): the five entry fields go back to what
// they held when the window was created, the list is emptied and no entry counts as clicked, so
// that nothing of the previous menu is shown or saved into the next one.
void clearEntryEditor(Wizard& wizard);

// Empties the entry fields for the next entry: file, title and description empty, category
// and screenshot "none". Raised by myData after an entry was added through its addFile.
void myData_fileAdded(Wizard& wizard);

// Whether the entry editor holds changes that are not saved: any field of the entry loaded by the
// last click changed since that click or its last save, or, with no entry loaded, a title typed
// and the fields changed since the last reset.
bool entryHasUnsavedChanges(const Wizard& wizard);

// Before the wizard moves on (`before` ends the question, "Torvel closes"): when the editor holds
// unsaved changes, asks whether to save the entry first. Yes saves it as Add/Save does, No goes
// on without saving. False only when Yes was answered and the save was refused or failed (its
// message has been shown then).
bool settleUnsavedEntry(Wizard& wizard, const QString& before);

}  // namespace torvel
