#pragma once

#include <QString>
#include <QStringList>

#include "generator/pageframe.h"

namespace torvel {

class clsData;
class Prompts;

// The message of a Finish whose every step worked.
inline const QString kMenuCreatedMessage = QStringLiteral("Your Menu has been successfully created!");
// The first line of the message of a Finish that did not do everything.
inline const QString kMenuIncompleteMessage = QStringLiteral("The menu was not created completely:");

// Makes the finished folder: writes the start page Index.htm with the named template (busy
// pointer on while it is written), copies AUTORUN.INF and Start.exe from the program folder into
// the CD root, and gives Index.hta the bytes of the page written in this run. A step that fails
// is skipped and the next one runs. Returns one line per step that failed or was skipped, naming
// the file and the reason; empty when everything was done.
QStringList buildMenuPackage(Prompts& prompts, clsData& data, const QString& templateName,
                             const PageInputs& inputs, const QString& programDir);

// Tells the author what Finish did: the success message when `failures` is empty, otherwise a
// critical message listing them.
void reportMenuPackage(Prompts& prompts, const QStringList& failures);

}  // namespace torvel
