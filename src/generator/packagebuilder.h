#pragma once

#include <QString>

#include "generator/pageframe.h"

namespace torvel {

class clsData;
class Prompts;

// The success message of Finish.
inline const QString kMenuCreatedMessage = QStringLiteral("Your Menu has been successfully created!");

// Finish: writes the start page with the named template (busy pointer on while it is written),
// copies AUTORUN.INF and Start.exe from the program folder into the CD root, copies Index.htm to
// Index.hta, and reports success. Every failing step is skipped silently and the next one runs;
// the message is shown in every case.
void buildMenuPackage(Prompts& prompts, clsData& data, const QString& templateName, const PageInputs& inputs,
                      const QString& programDir);

// Copies a file over any file at the target. False when the source is no file or the copy
// fails; a target already there then stays as it was.
bool copyReplacing(const QString& source, const QString& target);

}  // namespace torvel
