#pragma once

#include <QString>
#include <span>

#include "generator/pageframe.h"

namespace torvel {

class clsData;

// One start page template: the name the template list offers, which entry fields its pages use,
// and its writer.
struct PageTemplate {
    const char* name;
    bool categories;   // entries are grouped by their category
    bool screenshots;  // entries show their screenshot
    bool (*write)(const PageInputs& inputs, clsData& data);
};

// The templates, in the order the template list offers them.
std::span<const PageTemplate> pageTemplates();

// The template of that name (compared exactly, letter case counts), or nullptr.
const PageTemplate* findTemplate(const QString& name);

}  // namespace torvel
