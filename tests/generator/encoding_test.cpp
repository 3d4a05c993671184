#include <gtest/gtest.h>

#include "files/escaping.h"
#include "files/textfile.h"

namespace torvel {
namespace {

TEST(Windows1252, EveryCharacterOfTheCodePageAndNoOther) {
    // The bytes 80 to 9F hold typographic characters, not the C1 controls.
    EXPECT_EQ(encodeWindows1252(QStringLiteral("\u20AC\u201A\u0160\u2122\u0178")),
              QByteArray("\x80\x82\x8A\x99\x9F"));
    EXPECT_EQ(encodeWindows1252(QStringLiteral("a\u00A0\u00A9\u00E9\u00FF")),
              QByteArray("a\xA0\xA9\xE9\xFF"));
    int held = 0;
    for (char32_t c = 0; c < 0x10000; ++c) {
        if (const auto b = toWindows1252(c)) {
            ++held;
            if (c >= 0x80 && c < 0xA0) {
                ADD_FAILURE() << "C1 control " << uint(c) << " written as a byte";
            }
        }
    }
    EXPECT_EQ(held, 256 - 32 + 27);  // all but 80..9F, plus the 27 characters placed there
    // What the code page cannot hold never becomes "?".
    EXPECT_EQ(encodeWindows1252(QStringLiteral("\u0081\u042F\U0001F600")),
              QByteArray("&#129;&#1071;&#128512;"));
}

TEST(Escaping, EachPlaceHasItsOwnRules) {
    const QString plain = QStringLiteral("Setup/install.exe");
    for (auto f : {scriptString, htmlText, htmlDescription, percentEncoded, linkAttribute, cssText, cssUrl}) {
        EXPECT_EQ(f(plain), plain);
        EXPECT_EQ(f(QStringLiteral("\u00E9t\u00E9")), QStringLiteral("\u00E9t\u00E9"));
    }
    EXPECT_EQ(scriptString(QStringLiteral("a\\b'c\r\nd</e/f<g!<!--")),
              QStringLiteral("a\\\\b\\'c\\r\\nd<\\/e/f<g!<\\!--"));
    EXPECT_EQ(scriptString(QStringLiteral("\u042F\U0001F600")), QStringLiteral("\\u042F\\uD83D\\uDE00"));
    EXPECT_EQ(htmlText(QStringLiteral("<i>x</i>\u042F\r\n")), QStringLiteral("<i>x</i>&#1071;&#13;&#10;"));
    EXPECT_EQ(htmlDescription(QStringLiteral("a\r\nb\rc\nd\n\ne")),
              QStringLiteral("a<br>b<br>c<br>d<br><br>e"));
    EXPECT_EQ(percentEncoded(QStringLiteral(" \t\"'<>=`%#?&/\\:")),
              QStringLiteral("%20%09%22%27%3C%3E%3D%60%25%23%3F%26/\\:"));
    EXPECT_EQ(linkAttribute(QStringLiteral("\u042F 1.txt")), QStringLiteral("&#1071;%201.txt"));
    EXPECT_EQ(cssText(QStringLiteral("\u042Fa\r\n")), QStringLiteral("\\42F a\\D \\A "));
    EXPECT_EQ(cssUrl(QStringLiteral("a b\u20AC\u042F")), QStringLiteral("a%20b\u20AC\\42F "));
    EXPECT_EQ(cssUrl(QStringLiteral("sky (1)\\.jpg")), QStringLiteral("sky%20%281%29%5C.jpg"));
}

}  // namespace
}  // namespace torvel
