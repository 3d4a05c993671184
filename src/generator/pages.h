#pragma once

#include <QString>

#include "generator/pageframe.h"

namespace torvel {

class clsData;

// The four start page templates. Each reads the open menu's entries through `data` and writes
// createMenuFile(cdRoot). A menu without entries writes nothing (an earlier page stays) and
// gives false. A failing query or write throws; the file keeps what was written so far.
bool writeHTMLStandard(const PageInputs& inputs, clsData& data);
bool writeHTMLStandardScreen(const PageInputs& inputs, clsData& data);
bool writeHTMLExtended(const PageInputs& inputs, clsData& data);
bool writeHTMLExtendedScreen(const PageInputs& inputs, clsData& data);

// Runs the writer whose template name ("Standard", "Standard Screenshots", "Extended",
// "Extended Screenshots", compared exactly) matches; any other text writes nothing and gives false.
bool writeMenuPage(const QString& templateName, const PageInputs& inputs, clsData& data);

}  // namespace torvel
