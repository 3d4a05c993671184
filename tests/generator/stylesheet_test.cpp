#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "base/error.h"
#include "files/paths.h"
#include "generatortest.h"
#include "styles/stylesheet.h"

namespace torvel::test {
namespace {

// The fields as a new style has them.
StyleSheetValues defaultStyle() {
    StyleSheetValues v;
    v.titleFont = QStringLiteral("Arial;14pt;bold");
    v.titleColor = QStringLiteral("RGB(192,192,192)");
    v.backgroundColor = QStringLiteral("16777215 ");
    v.backImage = QStringLiteral("none");
    v.textFont = QStringLiteral("Arial;10pt;normal");
    v.textColor = QStringLiteral("RGB(192,192,192)");
    v.hyperFont = QStringLiteral("Arial;10pt;normal");
    v.hyperColor = QStringLiteral("RGB(192,192,192)");
    v.hyperColorActive = QStringLiteral("RGB(17,207,255)");
    v.buttonFont = QStringLiteral("Arial;10pt;bold");
    v.buttonColor = QStringLiteral("RGB(192,192,192)");
    v.top = QStringLiteral("0");
    v.left = QStringLiteral("0");
    return v;
}

struct Disc {
    QTemporaryDir dir;
    QString root() const { return withTrailingSeparator(QDir::toNativeSeparators(dir.path())); }
    QByteArray sheet() const { return readFile(root() + QStringLiteral("Menu/Styles.css")); }
    // The rule lines of the sheet: every second line, the others must be empty.
    QList<QByteArray> rules() const {
        QList<QByteArray> lines = sheet().split('\n');
        lines.removeLast();
        QList<QByteArray> rules;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            EXPECT_TRUE(lines[i].endsWith('\r'));
            lines[i].chop(1);
            if (i % 2 == 0) {
                rules << lines[i];
            } else {
                EXPECT_TRUE(lines[i].isEmpty());
            }
        }
        return rules;
    }
};

TEST(StyleSheet, DefaultStyleGivesTheTwentyFourLines) {
    Disc disc;
    writeStyleSheet(disc.root(), defaultStyle());
    EXPECT_TRUE(QFileInfo(disc.root() + QStringLiteral("Menu")).isDir());
    EXPECT_EQ(styleSheetFile(disc.root()),
              disc.root() + QStringLiteral("Menu") + nativeSeparator() + QStringLiteral("Styles.css"));
    EXPECT_EQ(disc.sheet(), golden(QStringLiteral("stylesheet_default.css")));
    EXPECT_EQ(disc.sheet().count("\r\n"), 24);

    // A second run over the first leaves one copy of the rules.
    writeStyleSheet(disc.root(), defaultStyle());
    EXPECT_EQ(disc.sheet(), golden(QStringLiteral("stylesheet_default.css")));
}

TEST(StyleSheet, BackgroundImageAndLogoPosition) {
    Disc disc;
    StyleSheetValues v = defaultStyle();
    v.backgroundColor = QStringLiteral("RGB(0,0,128)");
    v.backImage = nativePath({QStringLiteral("C:"), QStringLiteral("Pics"), QStringLiteral("sky.jpg")});
    v.top = QStringLiteral("20");
    v.left = QStringLiteral("150");
    writeStyleSheet(disc.root(), v);
    QList<QByteArray> rules = disc.rules();
    ASSERT_EQ(rules.size(), 12);
    EXPECT_EQ(rules[1], "Body{background-color:RGB(0,0,128); background-image:url(sky.jpg);}");
    EXPECT_EQ(rules[11], ".Logo{position:absolute;top:20;left:150}");
    // Every other rule is the default one.
    const QList<QByteArray> defaults = golden(QStringLiteral("stylesheet_default.css")).split('\n');
    for (int r : {0, 2, 3, 4, 5, 6, 7, 8, 9, 10}) {
        EXPECT_EQ(rules[r] + '\r', defaults[2 * r]) << r;
    }

    v.backImage = QStringLiteral("sky.jpg");  // no folder: used whole
    v.top = QStringLiteral("20px");           // copied as typed
    writeStyleSheet(disc.root(), v);
    rules = disc.rules();
    EXPECT_EQ(rules[1], "Body{background-color:RGB(0,0,128); background-image:url(sky.jpg);}");
    EXPECT_EQ(rules[11], ".Logo{position:absolute;top:20px;left:150}");

    v.backImage = QStringLiteral("None");  // only "none" means no image
    writeStyleSheet(disc.root(), v);
    EXPECT_EQ(disc.rules()[1], "Body{background-color:RGB(0,0,128); background-image:url(None);}");
}

TEST(StyleSheet, IncompleteFontsAndEscapedValues) {
    Disc disc;
    StyleSheetValues v = defaultStyle();
    v.titleFont = QStringLiteral("Arial");
    v.textFont = QString();
    v.hyperFont = QStringLiteral("\u042F Sans;12pt;bold");
    v.backImage = QStringLiteral("my sky#1 \u042F.jpg");
    writeStyleSheet(disc.root(), v);
    const QList<QByteArray> rules = disc.rules();
    ASSERT_EQ(rules.size(), 12);
    EXPECT_EQ(rules[0],
              "h2{font-size:;font-family:Arial;color:RGB(192,192,192);font-weight:;margin-top:0cm;margin-"
              "bottom:0cm;}");
    EXPECT_EQ(
        rules[2],
        "P{font-size:;font-family:;color:RGB(192,192,192);font-weight:;margin-top:0cm;margin-bottom:0cm;}");
    EXPECT_EQ(rules[1], "Body{background-color:16777215 ; background-image:url(my%20sky%231%20\\42F .jpg);}");
    EXPECT_EQ(rules[7],
              "a:hover{font-size:12pt;font-family:\\42F  "
              "Sans;color:RGB(17,207,255);font-weight:bold;margin-top:0cm;"
              "margin-bottom:0cm;}");
}

TEST(StyleSheet, FailuresNameWhatCouldNotBeWritten) {
    Disc disc;
    // A file named Menu stands where the folder should be.
    {
        QFile blocker(disc.root() + QStringLiteral("Menu"));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    try {
        writeStyleSheet(disc.root(), defaultStyle());
        FAIL() << "no error";
    } catch (const TorvelError& e) {
        EXPECT_TRUE(e.message().contains(disc.root() + QStringLiteral("Menu"))) << e.message().toStdString();
    }
    EXPECT_TRUE(QFileInfo(disc.root() + QStringLiteral("Menu")).isFile());

    const QString missing = disc.root() + QStringLiteral("gone") + nativeSeparator();
    try {
        writeStyleSheet(missing, defaultStyle());
        FAIL() << "no error";
    } catch (const TorvelError& e) {
        EXPECT_TRUE(e.message().contains(missing + QStringLiteral("Menu"))) << e.message().toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(missing));
}

}  // namespace
}  // namespace torvel::test
