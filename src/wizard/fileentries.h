#pragma once

namespace torvel {

class Wizard;

// Lists the titles of the open menu's entries in lstFiles, in the order the database returns
// them. The fields and curFileName stay as they are.
void getFileData(Wizard& wizard);

// Entering the "Add Files" page: no entry counts as clicked any more, and a stored menu's
// entries are listed afresh.
void enterFilePage(Wizard& wizard);

// Empties the entry fields for the next entry: file, title and description empty, category
// and screenshot "none". Raised by myData after an entry was added.
void myData_fileAdded(Wizard& wizard);

}  // namespace torvel
