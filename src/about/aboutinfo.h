#pragma once

#include <QString>

#include "form/colornumber.h"

namespace torvel {

// The program's own version information, as the About box shows it.
struct AboutInfo {
    QString title;  // the application's title: dialog caption and message titles
    int major = 0;
    int minor = 0;
    int revision = 0;
    QString description;  // one line about the program
    QString product;
    QString company;  // the publisher's web address
    QString copyright;
};

// This build's values: the version numbers of the build, the web address of the pages' footer.
AboutInfo aboutInfo();

// "Version 2.0.0": each number in decimal without leading zeros.
QString versionText(const AboutInfo& info);

// The About box's background: red 110, green 130, blue 190.
inline constexpr int kAboutBackColor = colorNumber(110, 130, 190);

}  // namespace torvel
