#include "generator/templates.h"

#include <array>

#include "generator/pages.h"

namespace torvel {

namespace {
const std::array<PageTemplate, 5> kTemplates = {{
    {"Standard", false, false, writeHTMLStandard},
    {"Standard Screenshots", false, true, writeHTMLStandardScreen},
    {"Extended", true, false, writeHTMLExtended},
    {"Extended Screenshots", true, true, writeHTMLExtendedScreen},
    {"Modern", true, true, writeHTMLModern},
}};
}  // namespace

std::span<const PageTemplate> pageTemplates() {
    return kTemplates;
}

const PageTemplate* findTemplate(const QString& name) {
    for (const PageTemplate& t : kTemplates) {
        if (name == QLatin1String(t.name)) {
            return &t;
        }
    }
    return nullptr;
}

bool isTemplateName(const QString& templateName) {
    return findTemplate(templateName) != nullptr;
}

bool writeMenuPage(const QString& templateName, const PageInputs& inputs, clsData& data) {
    const PageTemplate* t = findTemplate(templateName);
    return t != nullptr && t->write(inputs, data);
}

}  // namespace torvel
