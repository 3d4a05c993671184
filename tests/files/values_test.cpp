#include <gtest/gtest.h>

#include "styles/colorvalues.h"
#include "styles/fontvalue.h"

using namespace torvel;

TEST(ColourValues, ReadsColourValuesIntoColourNumbers) {
    EXPECT_EQ(getCol(QStringLiteral("RGB(17,207,255)")), 0xFFCF11);
    EXPECT_EQ(getCol(QStringLiteral("RGB(192,192,192)")), 0xC0C0C0);
    EXPECT_EQ(getCol(QStringLiteral("RGB( 1 , 2 , 3 )")), 197121);
    // The first four characters and the last one are not looked at.
    EXPECT_EQ(getCol(QStringLiteral("rgb(1,2,3)")), 197121);
    EXPECT_EQ(getCol(QStringLiteral("XXXX1,2,3)")), 197121);
    // Parts beyond the third are ignored.
    EXPECT_EQ(getCol(QStringLiteral("RGB(1,2,3,4)")), 197121);
    // Components above 255 count as 255, negative ones as 0.
    EXPECT_EQ(getCol(QStringLiteral("RGB(300,0,0)")), 255);
    EXPECT_EQ(getCol(QStringLiteral("RGB(0,0,32767)")), 0xFF0000);
    EXPECT_EQ(getCol(QStringLiteral("RGB(-5,1,0)")), 256);
    // Fractions round to the nearest integer, a half to the even neighbour.
    EXPECT_EQ(getCol(QStringLiteral("RGB(2.5,3.5,0.4)")), 2 + 256 * 4);
    EXPECT_EQ(getCol(QStringLiteral("RGB(1.6,0,0)")), 2);
    // The 16-bit limits apply before the clamp to 255; 32767.5 rounds to 32768, outside them.
    EXPECT_EQ(getCol(QStringLiteral("RGB(0,0,32768)")), 0);
    EXPECT_EQ(getCol(QStringLiteral("RGB(0,0,32767.5)")), 0);
    EXPECT_EQ(getCol(QStringLiteral("RGB(-32768,7,0)")), 7 * 256);
    EXPECT_EQ(getCol(QStringLiteral("RGB(-32769,7,0)")), 0);
    // Whatever cannot be read is black.
    EXPECT_EQ(getCol(QStringLiteral("RGB(1,2)")), 0);
    EXPECT_EQ(getCol(QStringLiteral("16777215 ")), 0);
    EXPECT_EQ(getCol(QString()), 0);
    EXPECT_EQ(getCol(QStringLiteral("RGB()")), 0);
    EXPECT_EQ(getCol(QStringLiteral("RGB(a,2,3)")), 0);
    EXPECT_EQ(getCol(QStringLiteral("RGB(1,,3)")), 0);
}

TEST(ColourValues, WritesColourNumbersAndTheirParts) {
    EXPECT_EQ(getRGBString(16764689), QStringLiteral("RGB(17,207,255)"));
    EXPECT_EQ(getRGBString(0), QStringLiteral("RGB(0,0,0)"));
    EXPECT_EQ(getRGBString(16777215), QStringLiteral("RGB(255,255,255)"));
    EXPECT_EQ(GetColorPart(16764689, 0), 17);
    EXPECT_EQ(GetColorPart(16764689, 1), 207);
    EXPECT_EQ(GetColorPart(16764689, 2), 255);
    EXPECT_EQ(GetColorPart(16764689, 3), 0);
    EXPECT_EQ(GetColorPart(16764689, -1), 0);

    // Every value in the normal form comes back unchanged through its colour number.
    for (int r : {0, 1, 17, 128, 254, 255}) {
        for (int g : {0, 9, 207, 255}) {
            for (int b : {0, 100, 255}) {
                const QString value = QStringLiteral("RGB(%1,%2,%3)").arg(r).arg(g).arg(b);
                EXPECT_EQ(getRGBString(getCol(value)), value);
            }
        }
    }
}

TEST(ColourValues, GivesNoPartsOfASystemColour) {
    EXPECT_EQ(GetColorPart(-2147483633, 1), -1);
    EXPECT_EQ(GetColorPart(-7, 0), -1);
    EXPECT_EQ(getRGBString(-1), QStringLiteral("RGB(-1,-1,-1)"));
}

TEST(FontValues, PresetsTheFontDialog) {
    FontChoice f = fontPreset(QStringLiteral("Times New Roman;10.5pt;Normal"));
    EXPECT_EQ(f.family, QStringLiteral("Times New Roman"));
    EXPECT_EQ(f.size, 10);
    EXPECT_FALSE(f.bold);
    f = fontPreset(QStringLiteral("Arial;14pt;Bold"));
    EXPECT_EQ(f.family, QStringLiteral("Arial"));
    EXPECT_EQ(f.size, 14);
    EXPECT_TRUE(f.bold);
    EXPECT_TRUE(fontPreset(QStringLiteral("Arial;14pt;BOLD")).bold);
    EXPECT_FALSE(fontPreset(QStringLiteral("Arial;14pt;bolder")).bold);
    EXPECT_EQ(fontPreset(QStringLiteral("Arial;11.5pt;bold")).size, 12);
    EXPECT_EQ(fontPreset(QStringLiteral("Arial;12.7pt;bold")).size, 13);

    // Malformed values: the first part, size 10, not bold.
    for (const QString& value : {QStringLiteral("Arial,14pt,bold"), QStringLiteral("Arial;14pt"),
                                 QStringLiteral("Arial;big;bold"), QStringLiteral("Arial;pt;bold"),
                                 QStringLiteral("Arial;40000pt;bold"), QStringLiteral("Arial;;bold")}) {
        const FontChoice bad = fontPreset(value);
        EXPECT_EQ(bad.family, value.split(QLatin1Char(';')).first()) << value.toStdString();
        EXPECT_EQ(bad.size, 10) << value.toStdString();
        EXPECT_FALSE(bad.bold) << value.toStdString();
    }
    EXPECT_EQ(fontPreset(QString()).family, QString());
}

TEST(FontValues, WritesAndSplitsFontValues) {
    EXPECT_EQ(writeFontValue(FontChoice{QStringLiteral("Verdana"), 12, true}),
              QStringLiteral("Verdana;12pt;Bold"));
    EXPECT_EQ(writeFontValue(FontChoice{QStringLiteral("Times New Roman"), 10.5, false}),
              QStringLiteral("Times New Roman;10.5pt;Normal"));

    // What the picker writes, it reads back the same (whole sizes).
    for (const FontChoice& font : {FontChoice{QStringLiteral("Arial"), 14, true},
                                   FontChoice{QStringLiteral("Courier New"), 8, false}}) {
        const FontChoice back = fontPreset(writeFontValue(font));
        EXPECT_EQ(back.family, font.family);
        EXPECT_EQ(back.size, font.size);
        EXPECT_EQ(back.bold, font.bold);
    }

    const FontParts whole = fontParts(QStringLiteral("Arial;14pt;bold"));
    EXPECT_EQ(whole.family, QStringLiteral("Arial"));
    EXPECT_EQ(whole.size, QStringLiteral("14pt"));
    EXPECT_EQ(whole.weight, QStringLiteral("bold"));
    const FontParts familyOnly = fontParts(QStringLiteral("Arial"));
    EXPECT_EQ(familyOnly.family, QStringLiteral("Arial"));
    EXPECT_TRUE(familyOnly.size.isEmpty());
    EXPECT_TRUE(familyOnly.weight.isEmpty());
    EXPECT_EQ(fontParts(QStringLiteral("a;b;c;d")).weight, QStringLiteral("c"));
    EXPECT_TRUE(fontParts(QString()).family.isEmpty());
}
