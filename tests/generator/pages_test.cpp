// What the generator writes: text in Windows-1252 with CR LF line ends, escaped for where each
// value lands, the four start pages and the style sheet.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <map>

#include "base/error.h"
#include "data/clsdata.h"
#include "data/statements.h"
#include "files/escaping.h"
#include "files/paths.h"
#include "files/textfile.h"
#include "generator/pageframe.h"
#include "generator/pages.h"
#include "styles/stylesheet.h"
#include "support/testsupport.h"

namespace torvel::test {
namespace {

using namespace Qt::StringLiterals;

// An expected file of golden/, kept in UTF-8 with LF line ends: its lines with CR LF, in Windows-1252
// (© as A9), or in UTF-8 for the Modern page.
QByteArray golden(const QString& name, bool utf8 = false) {
    QString text = QString::fromUtf8(readFile(QStringLiteral(TORVEL_GOLDEN_DIR "/") + name));
    text.remove(u'\r').replace(u"\n"_s, u"\r\n"_s);
    // Latin-1 and Windows-1252 agree on every character the classic golden files hold (none in 80..9F).
    return utf8 ? text.toUtf8() : text.toLatin1();
}

// A path written with "/" in the platform's own form.
const auto nativePath = [](QString path) { return path.replace(u'/', nativeSeparator()); };

// The lines of a generated file, each of which must end in CR LF and hold no other line break.
QList<QByteArray> crLfLines(const QByteArray& file) {
    EXPECT_TRUE(file.endsWith("\r\n") && file.count("\r\n") * 2 == file.count('\r') + file.count('\n'));
    return QByteArray(file).replace("\r\n", "\n").chopped(1).split('\n');
}

// A menu in a fresh Torvel.dat and an empty CD root folder.
struct MenuFixture {
    ProgramDir program;
    QTemporaryDir disc;
    clsData data{program.database()};
    qint64 menuId =
        data.executeInsert(QString::fromLatin1(sql::insertMenu), {u"Standard"_s, u"My CD"_s, 1, cdRoot()});

    QString cdRoot() const { return withTrailingSeparator(QDir::toNativeSeparators(disc.path())); }
    // An entry of the menu: "category|title|link|description|screenshot".
    void addEntry(const QString& fields) {
        const QStringList f = fields.split(u'|');
        data.ExecuteSQL(QString::fromLatin1(sql::insertEntry), {menuId, f[0], f[1], f[2], f[3], f[4]});
    }
    PageInputs inputs(const QString& title = u"My CD"_s) const {
        return PageInputs{cdRoot(), menuId, title, u"none"_s, u"none"_s, u"none"_s, u"none"_s};
    }
    QByteArray page() const { return readFile(createMenuFile(cdRoot())); }
};

TEST(Windows1252, EveryCharacterOfTheCodePageAndNoOther) {
    // The bytes 80 to 9F hold typographic characters, not the C1 controls.
    EXPECT_EQ(encodeWindows1252(u"\u20AC\u201A\u0160\u2122\u0178"_s), QByteArray("\x80\x82\x8A\x99\x9F"));
    EXPECT_EQ(encodeWindows1252(u"a\u00A0\u00A9\u00E9\u00FF"_s), QByteArray("a\xA0\xA9\xE9\xFF"));
    int held = 0;
    for (char32_t c = 0; c < 0x10000; ++c) {
        held += toWindows1252(c) ? 1 : 0;
        EXPECT_FALSE(c >= 0x80 && c < 0xA0 && toWindows1252(c))
            << "C1 control " << uint(c) << " written as a byte";
    }
    EXPECT_EQ(held, 256 - 32 + 27);  // all but 80..9F, plus the 27 characters placed there
    // What the code page cannot hold never becomes "?".
    EXPECT_EQ(encodeWindows1252(u"\u0081\u042F\U0001F600"_s), QByteArray("&#129;&#1071;&#128512;"));
}

TEST(Escaping, EachPlaceHasItsOwnRules) {
    const QString plain = u"Setup/install.exe"_s;
    for (auto f : {scriptString, htmlText, htmlDescription, percentEncoded, linkAttribute, cssText, cssUrl}) {
        EXPECT_EQ(f(plain), plain);
        EXPECT_EQ(f(u"\u00E9t\u00E9"_s), u"\u00E9t\u00E9"_s);
    }
    EXPECT_EQ(scriptString(u"a\\b'c\r\nd</e/f<g!<!--"_s), u"a\\\\b\\'c\\r\\nd<\\/e/f<g!<\\!--"_s);
    EXPECT_EQ(scriptString(u"\u042F\U0001F600"_s), u"\\u042F\\uD83D\\uDE00"_s);
    EXPECT_EQ(htmlText(u"<i>x</i>\u042F\r\n"_s), u"<i>x</i>&#1071;&#13;&#10;"_s);
    EXPECT_EQ(htmlDescription(u"a\r\nb\rc\nd\n\ne"_s), u"a<br>b<br>c<br>d<br><br>e"_s);
    EXPECT_EQ(percentEncoded(u" \t\"'<>=`%#?&/\\:"_s), u"%20%09%22%27%3C%3E%3D%60%25%23%3F%26/\\:"_s);
    EXPECT_EQ(linkAttribute(u"\u042F 1.txt"_s), u"&#1071;%201.txt"_s);
    EXPECT_EQ(cssText(u"\u042Fa\r\n"_s), u"\\42F a\\D \\A "_s);
    EXPECT_EQ(cssUrl(u"a b\u20AC\u042F"_s), u"a%20b\u20AC\\42F "_s);
    EXPECT_EQ(cssUrl(u"sky (1)\\.jpg"_s), u"sky%20%281%29%5C.jpg"_s);

    // The UTF-8 page's: markup as text, lines, addresses from UTF-8 bytes, CSS strings; lone
    // surrogates become U+FFFD in the file.
    QString html, lines, path, name, css;
    appendEscapedHtml(html, u"a&<>\"'\r\n\0b\u042F\u2028"_s);
    EXPECT_EQ(html, u"a&amp;&lt;&gt;&quot;&#39;&#13;&#10;\uFFFDb\u042F\u2028"_s);
    appendEscapedLines(lines, u"a\r\nb\rc\nd\n\n<e"_s);
    EXPECT_EQ(lines, u"a<br>b<br>c<br>d<br><br>&lt;e"_s);
    appendUrl(path, u"\\/Docs\\my file:1#?&%'.txt/\u042F\U0001F600"_s, UrlPart::Path);
    EXPECT_EQ(path, u"Docs/my%20file%3A1%23%3F%26%25%27.txt/%D0%AF%F0%9F%98%80"_s);
    appendUrl(name, u"a/b\\c (1)\"<>~.gif"_s, UrlPart::Name);
    EXPECT_EQ(name, u"a%2Fb%5Cc%20(1)%22%3C%3E~.gif"_s);
    appendCssString(css, u"My \"F\\o\" </style>\n\0\u042F"_s);
    EXPECT_EQ(css, u"My \\22 F\\5C o\\22  \\3C /style>\\A \\FFFD \u042F"_s);
    QByteArray utf8;
    appendUtf8(utf8, u"a\u042F\U0001F600"_s + QChar(0xDC00) + u"b"_s + QChar(0xD800));
    EXPECT_EQ(utf8, QByteArray("a\xD0\xAF\xF0\x9F\x98\x80\xEF\xBF\xBD"
                               "b\xEF\xBF\xBD"));
}

// Expects each of `expected` among the lines of the page.
void expectLines(const QByteArray& page, std::initializer_list<const char*> expected) {
    const QList<QByteArray> lines = crLfLines(page);
    for (const char* line : expected) {
        EXPECT_TRUE(lines.contains(line)) << line;
    }
}

TEST(StartPages, EachTemplateWritesItsGoldenPage) {
    // Golden file, template, title, sound, logo and button pictures; the entries. An empty value is
    // not set; only "none" means no picture, "None" is a file name.
    const std::pair<QStringList, QStringList> cases[] = {
        {{"standard_one_entry.htm", "Standard", "My CD", "none", "none", "none", "none"},
         {"none|Setup|Tools/setup.exe|Installs it|none"}},
        {{"standard_screen_styled.htm", "Standard Screenshots", "Tools Disc", "C:/Sounds/tune.mid",
          "C:/Pics/logo.png", "C:/Pics/on.gif", "off.gif"},
         {"none|Install|Setup/install.exe|Installs the program|shot1.jpg",
          "none|Read me|readme.txt|Notes|none"}},
        {{"extended_categories.htm", "Extended", "Games and Tools", "", "none", "C:/Pics/on.gif", "none"},
         {"Tools|Editor|Tools/edit.exe|Edits text|none", "Tools|Viewer|Tools/view.exe|Shows pictures|none",
          "Games|Chess|Games/chess.exe|Plays chess|none"}},
        {{"extended_screen_docs.htm", "Extended Screenshots", "Documents", "", "None", "none",
          "C:/Pics/off.gif"},
         {"Docs|Manual|Docs/manual.pdf|The manual|man.jpg", "Docs|Licence|Docs/licence.txt|Terms|none"}},
    };
    for (const auto& [page, entries] : cases) {
        SCOPED_TRACE(page[0].toStdString());
        MenuFixture m;
        for (const QString& entry : entries) {
            m.addEntry(entry);
        }
        const PageInputs in(m.cdRoot(), m.menuId, page[2], nativePath(page[3]), nativePath(page[4]),
                            nativePath(page[5]), nativePath(page[6]));
        // Twice: the second page replaces the first, it is not appended to it.
        for (int run = 0; run < 2; ++run) {
            ASSERT_TRUE(writeMenuPage(page[1], in, m.data));
            EXPECT_EQ(m.page(), golden(page[0]));
        }
        if (page[1] == u"Standard Screenshots"_s) {
            // The plain Standard page names the screenshot without its folder and has no screenshot cells.
            ASSERT_TRUE(writeHTMLStandard(in, m.data));
            expectLines(m.page(), {"arS[0]= '<img src=shot1.jpg>'"});
        }
    }
}

TEST(StartPages, TheModernPageShowsEveryValueAsTextInUtf8) {
    MenuFixture m;
    // Categories in any letter case, none ("none", empty), hard text, links and screenshot paths.
    for (const QString& entry :
         {u"Tools|Setup|Tools/setup.exe|Installs it.\r\nIt's quick: \"really\" & easy|shot 1.jpg"_s,
          u"Игры|Шахматы \U0001F600|Games/шахматы.exe|Schach\u2028Chess|C:/Shots/chess.png"_s,
          u"tools|Read </script> me|Docs/read me?.txt|Line 'one'\nLine two </script><!--|none"_s,
          u"none|Licence|/licence:1.txt|Terms|none"_s, u"||Docs\\notes#2.txt|Notes|none"_s}) {
        m.addEntry(nativePath(entry));
    }
    PageTwin twin{m.cdRoot() + u"Index.hta"_s, std::nullopt};
    PageInputs in{m.cdRoot(),
                  m.menuId,
                  u"Tom's <b>Disc</b> & \"Шахматы\""_s,
                  nativePath(u"C:/Sounds/my tune.wav"_s),
                  nativePath(u"C:/Pics/logo#1.png"_s),
                  u"on.gif"_s,
                  nativePath(u"C:/Pics/off (1).gif"_s),
                  &twin};
    // Fonts, colours (RGB with blanks and a component above 255, a colour number, an unreadable
    // text), a background picture and the logo's place.
    in.style = {u"My \"Font\" </style>;18pt;Bold"_s,
                u"RGB( 255 , 0 , 300 )"_s,
                u"16777215 "_s,
                nativePath(u"C:/Pics/sky.jpg"_s),
                u"Arial;10;normal"_s,
                u"RGB(1,2,3)"_s,
                u"Arial;1.5em;600"_s,
                u"blue"_s,
                u"RGB(17,207,255)"_s,
                u"Trebuchet MS;11pt;bold"_s,
                u"255"_s,
                u"20"_s,
                u"15px"_s};
    ASSERT_TRUE(writeHTMLModern(in, m.data));
    EXPECT_EQ(m.page(), golden(u"modern_categories.htm"_s, true));
    EXPECT_EQ(readFile(twin.path), m.page());
    EXPECT_FALSE(twin.failure);

    // Without any category: one list, no headings and no tabs; a style without values adds no rule.
    m.data.ExecuteSQL(u"UPDATE tblDetails SET Category = 'none'"_s);
    ASSERT_TRUE(writeMenuPage(u"Modern"_s, m.inputs(), m.data));
    const QByteArray page = m.page();
    EXPECT_TRUE(
        page.contains("<section class=\"group\" id=\"g0\">\r\n<ul>\r\n<li><button type=\"button\" "
                      "class=\"pick\">Setup</button>"));
    EXPECT_FALSE(page.contains("id=\"g1\"") || page.contains("<h2 id=\"h") || page.contains("{color:"));
}

TEST(StartPages, ManyEntriesKeepTheOrderInWhichTheyWereStoredAndTheirPlaces) {
    MenuFixture m;
    // Entries T0 .. T999 in one statement: sorted by title they would come as T0, T1, T10, T100 ...
    m.data.ExecuteSQL(
        u"WITH RECURSIVE k(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM k WHERE i < 999) "
        "INSERT INTO tblDetails SELECT ?, 'none', 'T' || i, 'f' || i || '.exe', 'd', 'none' FROM k"_s,
        {m.menuId});
    QStringList stored;
    for (int i = 0; i < 1000; ++i) {
        stored << u"%1:T%1"_s.arg(i);
    }
    // "INDEX:TITLE" of each line of the page that matches `pattern`, in the page's order.
    const auto listed = [&m](const QString& pattern) {
        QStringList found;
        const QRegularExpression expression(pattern);
        for (const QByteArray& line : crLfLines(m.page())) {
            const QRegularExpressionMatch match = expression.match(QString::fromLatin1(line));
            if (match.hasMatch()) {
                found << match.captured(1) + u':' + match.captured(2);
            }
        }
        return found;
    };
    ASSERT_TRUE(writeHTMLStandard(m.inputs(), m.data));
    EXPECT_EQ(listed(uR"(^arT\[(\d+)\]='<a href=f\d+\.exe>(\w+)</a>';$)"_s), stored);
    EXPECT_EQ(listed(uR"(switchButton\((\d+)\)' onclick='displayText\(\1\)'>(\w+)</p>$)"_s), stored);
    // The last button's top is 120 + 999 * 35 = 35085: past what a 16-bit position holds.
    expectLines(m.page(), {"var arT=new Array(1000)",
                           "<div style='position:absolute;top:35085px; left:20px;width:100px'>",
                           "<div  style='position:absolute;top:35090px ;left:30px;width:100px'>"});
    ASSERT_TRUE(writeHTMLExtended(m.inputs(), m.data));
    EXPECT_EQ(listed(uR"(class='TLink' onclick='displayText\(0,(\d+)\)'>(\w+)</p>$)"_s), stored);
}

TEST(StartPages, NoPageForAMenuWithoutEntriesOrAnUnknownTemplateAndNullsAsEmptyText) {
    MenuFixture m;
    QFile earlier(createMenuFile(m.cdRoot()));
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier page") == 12);
    earlier.close();
    for (auto writer : {writeHTMLStandard, writeHTMLStandardScreen, writeHTMLExtended,
                        writeHTMLExtendedScreen, writeHTMLModern}) {
        EXPECT_FALSE(writer(m.inputs(), m.data));
    }
    // Another menu's entries are not this menu's; template names are compared exactly.
    m.data.ExecuteSQL(u"INSERT INTO tblDetails (MenuNo, Category, FileName) VALUES (?, 'A', 'B')"_s,
                      {m.menuId + 1});
    EXPECT_FALSE(writeMenuPage(u"Standard"_s, m.inputs(), m.data));
    m.data.ExecuteSQL(u"INSERT INTO tblDetails (MenuNo) VALUES (?)"_s, {m.menuId});
    for (const QString& name : {u"standard"_s, u"Extended "_s, QString()}) {
        EXPECT_FALSE(writeMenuPage(name, m.inputs(), m.data)) << name.toStdString();
    }
    EXPECT_EQ(m.page(), QByteArray("earlier page"));

    // An entry stored with NULL values gives empty text, and without a category it still has its
    // button and its place in the panel.
    ASSERT_TRUE(writeHTMLStandardScreen(m.inputs(QString()), m.data));
    expectLines(m.page(),
                {"arT[0]='<a href=></a>';", "arD[0]='';", "arS[0]='&nbsp;'", "      <h2></h2>",
                 "    <p id='Bt' class='But' onmouseover='switchButton(0)' onclick='displayText(0)'></p>"});
    ASSERT_TRUE(writeHTMLExtendedScreen(m.inputs(), m.data));
    expectLines(m.page(),
                {"    <p id='Bt' class='But' onmouseover='switchButton(0)' onclick='displayCat(0)'></p>",
                 "            <p class='TLink' onclick='displayText(0,0)'></p>",
                 "            <p></p><a align='right' href=>Open</a>",
                 "          <td id='SShot' width='30%' align='right' valign='top'>&nbsp;</td>"});
}

TEST(StartPages, ValuesAreEscapedWhereTheyLand) {
    MenuFixture m;
    m.addEntry(
        u"Fun & Games|Tom's <b>Tool</b> \u042F|My Setup/install 1.exe|"
        "Line one\r\nIt's \\ here</script>\nThird\rFourth \U0001F600|my shot#1.jpg"_s);
    m.addEntry(u"Fun & Games|Docs|Docs/\u042F?.txt|plain|none"_s);
    const PageInputs in(m.cdRoot(), m.menuId, u"\u00DCber \u042F"_s, nativePath(u"C:/my tune's.mid"_s),
                        u"logo=1.png"_s, u"on it.gif"_s, u"off\u042F.gif"_s);
    ASSERT_TRUE(writeHTMLStandardScreen(in, m.data));
    expectLines(
        m.page(),
        {"<bgsound src='Menu/my%20tune%27s.mid' loop=1'>", "      <h2>\334ber &#1071;</h2>",
         "<div class='Logo' width='100px'> <img src='Menu/logo%3D1.png' border='0' ></div>",
         "                document.all.Bi[i].src='Menu/on%20it.gif';",
         "                  document.all.Bi[i].src='Menu/off\\u042F.gif';",
         "    <img  id='Bi' src='Menu/off&#1071;.gif' >",
         "arT[0]='<a href=My%20Setup/install%201.exe>Tom\\'s <b>Tool<\\/b> \\u042F</a>';",
         "arD[0]='Line one\\r\\nIt\\'s \\\\ here<\\/script>\\nThird\\rFourth \\uD83D\\uDE00';",
         "arS[0]= '<img src=Menu/my%20shot%231.jpg>'", "arT[1]='<a href=Docs/\\u042F%3F.txt>Docs</a>';",
         "    <p id='Bt' class='But' onmouseover='switchButton(0)' onclick='displayText(0)'>Tom's "
         "<b>Tool</b> &#1071;</p>"});
    ASSERT_TRUE(writeHTMLExtendedScreen(in, m.data));
    expectLines(
        m.page(),
        {"    <p id='Bt' class='But' onmouseover='switchButton(0)' onclick='displayCat(0)'>Fun & Games</p>",
         "            <p class='TLink' onclick='displayText(0,0)'>Tom's <b>Tool</b> &#1071;</p>",
         "            <p>Line one<br>It's \\ here</script><br>Third<br>Fourth &#128512;</p><a align='right' "
         "href=My%20Setup/install%201.exe>Open</a>",
         " <td id='SShot' width='30%' align='right' valign='top'><img src=Menu/my%20shot%231.jpg></td>",
         "            <p>plain</p><a align='right' href=Docs/&#1071;%3F.txt>Open</a>"});
}

// Style sheet values in their order: title, background, text, links, buttons, the logo's position.
StyleSheetValues style(const QStringList& v) {
    return StyleSheetValues(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11], v[12]);
}

// The rules of a sheet: every second line, each followed by an empty one.
QList<QByteArray> rules(const QByteArray& sheet) {
    QList<QByteArray> rules;
    const QList<QByteArray> lines = crLfLines(sheet);
    for (qsizetype i = 0; i < lines.size(); i += 2) {
        rules << lines[i];
        EXPECT_TRUE(i + 1 < lines.size() && lines[i + 1].isEmpty()) << i;
    }
    return rules;
}

// A font rule: its opening up to the size, then the values.
QByteArray fontRule(const char* opening, const char* size, const char* family, const char* weight,
                    const char* colour = "RGB(192,192,192)") {
    return QByteArray(opening) + size + ";font-family:" + family + ";color:" + colour +
           ";font-weight:" + weight + ";margin-top:0cm;margin-bottom:0cm;}";
}

TEST(StyleSheet, EachValueLandsInItsRule) {
    QTemporaryDir disc;
    const QString root = withTrailingSeparator(QDir::toNativeSeparators(disc.path()));
    const QString file = root + u"Menu"_s + nativeSeparator() + u"Styles.css"_s;
    // The values of a new style; a second run over the first leaves one copy of the rules.
    const QStringList defaults =
        u"Arial;14pt;bold|RGB(192,192,192)|16777215 |none|Arial;10pt;normal|RGB(192,192,192)|"
        "Arial;10pt;normal|RGB(192,192,192)|RGB(17,207,255)|Arial;10pt;bold|RGB(192,192,192)|0|0"_s.split(
            u'|');
    for (int run = 0; run < 2; ++run) {
        writeStyleSheet(root, style(defaults));
        EXPECT_EQ(readFile(file), golden(u"stylesheet_default.css"_s));
    }
    const QList<QByteArray> defaultRules = rules(golden(u"stylesheet_default.css"_s));
    ASSERT_EQ(defaultRules.size(), 12);

    // Values changed (by their place in the list) and the rules that then differ.
    const std::pair<std::map<int, QString>, std::map<int, QByteArray>> cases[] = {
        // The background picture is named without its folder; the logo's position copied as typed.
        {{{2, u"RGB(0,0,128)"_s}, {3, nativePath(u"C:/Pics/sky.jpg"_s)}, {11, u"20px"_s}, {12, u"150"_s}},
         {{1, "Body{background-color:RGB(0,0,128); background-image:url(sky.jpg);}"},
          {11, ".Logo{position:absolute;top:20px;left:150}"}}},
        // Only "none" means no picture; a file name is escaped for the style sheet.
        {{{3, u"None"_s}}, {{1, "Body{background-color:16777215 ; background-image:url(None);}"}}},
        {{{3, u"my sky#1 (\u042F).jpg"_s}},
         {{1, "Body{background-color:16777215 ; background-image:url(my%20sky%231%20%28\\42F %29.jpg);}"}}},
        // Missing parts of a font value stay empty; a family is escaped.
        {{{0, u"Arial"_s}}, {{0, fontRule("h2{font-size:", "", "Arial", "")}}},
        {{{4, QString()}},
         {{2, fontRule("P{font-size:", "", "", "")}, {3, fontRule("TD{font-size:", "", "", "")}}},
        {{{9, u"\u042F Sans;12pt;bold"_s}},
         {{8, fontRule(".TLink{cursor:hand;font-size:", "12pt", "\\42F  Sans", "bold")},
          {9, fontRule(".But{cursor:hand;font-size:", "12pt", "\\42F  Sans", "bold")},
          {10,
           fontRule(".ButActive{cursor:hand;font-size:", "12pt", "\\42F  Sans", "bold", "RGB(17,207,255)")}}},
    };
    for (const auto& [changes, changedRules] : cases) {
        QStringList values = defaults;
        for (const auto& [place, value] : changes) {
            values[place] = value;
        }
        writeStyleSheet(root, style(values));
        const QList<QByteArray> written = rules(readFile(file));
        ASSERT_EQ(written.size(), 12);
        for (int r = 0; r < 12; ++r) {
            EXPECT_EQ(written[r], changedRules.count(r) != 0 ? changedRules.at(r) : defaultRules[r]) << r;
        }
    }
}

TEST(StyleSheet, FailuresNameTheMenuFolderThatCouldNotBeWritten) {
    QTemporaryDir disc;
    const QString root = withTrailingSeparator(QDir::toNativeSeparators(disc.path()));
    // A file named Menu where the folder should be; a CD root that is not there.
    QFile(root + u"Menu"_s).open(QIODevice::WriteOnly);
    for (const QString& cdRoot : {root, root + u"gone"_s + nativeSeparator()}) {
        try {
            writeStyleSheet(cdRoot, StyleSheetValues());
            ADD_FAILURE() << "no error";
        } catch (const TorvelError& e) {
            EXPECT_TRUE(e.message().contains(cdRoot + u"Menu"_s)) << e.message().toStdString();
        }
    }
    EXPECT_TRUE(QFileInfo(root + u"Menu"_s).isFile());
    EXPECT_FALSE(QFileInfo::exists(root + u"gone"_s));
}

}  // namespace
}  // namespace torvel::test
