#pragma once

#include <QString>

#include "generator/pageframe.h"

namespace torvel {

class clsData;

// The start page templates. Each reads the open menu's entries through `data` and writes
// createMenuFile(cdRoot). A menu without entries writes nothing (an earlier page stays) and
// gives false. A failing query or write throws, and an earlier page stays as it was.
bool writeHTMLStandard(const PageInputs& inputs, clsData& data);
bool writeHTMLStandardScreen(const PageInputs& inputs, clsData& data);
bool writeHTMLExtended(const PageInputs& inputs, clsData& data);
bool writeHTMLExtendedScreen(const PageInputs& inputs, clsData& data);
// The Modern page: UTF-8, for current browsers and the HTML-application runtime alike.
bool writeHTMLModern(const PageInputs& inputs, clsData& data);

// True for the name of one of the templates (compared exactly).
bool isTemplateName(const QString& templateName);

// Runs the writer whose template name ("Standard", "Standard Screenshots", "Extended",
// "Extended Screenshots", "Modern", compared exactly) matches; any other text writes nothing and gives false.
bool writeMenuPage(const QString& templateName, const PageInputs& inputs, clsData& data);

}  // namespace torvel
