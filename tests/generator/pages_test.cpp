#include <gtest/gtest.h>

#include <QFile>

#include "files/textfile.h"
#include "generator/pages.h"
#include "generatortest.h"

namespace torvel::test {
namespace {

QList<QByteArray> pageLines(const QByteArray& page) {
    QList<QByteArray> lines = page.split('\n');
    lines.removeLast();  // after the last CR LF
    for (QByteArray& l : lines) {
        l.chop(1);  // the CR
    }
    return lines;
}

// Every line of a generated page ends in CR LF and holds no other line break.
void expectCrLfLines(const QByteArray& page) {
    ASSERT_TRUE(page.endsWith("\r\n"));
    EXPECT_EQ(page.count("\r\n"), page.count('\n'));
    EXPECT_EQ(page.count("\r\n"), page.count('\r'));
}

TEST(StandardPages, OneEntryGivesTheExamplePage) {
    MenuFixture m;
    m.addEntry(QStringLiteral("none"), QStringLiteral("Setup"), QStringLiteral("Tools/setup.exe"),
               QStringLiteral("Installs it"), QStringLiteral("none"));
    ASSERT_TRUE(writeHTMLStandard(m.inputs(), m.data));
    EXPECT_EQ(m.page(), golden(QStringLiteral("standard_one_entry.htm")));
    expectCrLfLines(m.page());

    // Through the template name, over an existing page: the page is written anew, not appended.
    ASSERT_TRUE(writeMenuPage(QStringLiteral("Standard"), m.inputs(), m.data));
    EXPECT_EQ(m.page(), golden(QStringLiteral("standard_one_entry.htm")));
}

TEST(StandardPages, ScreenshotTemplateWithSoundLogoAndButtonImages) {
    MenuFixture m;
    m.addEntry(QStringLiteral("none"), QStringLiteral("Install"), QStringLiteral("Setup/install.exe"),
               QStringLiteral("Installs the program"), QStringLiteral("shot1.jpg"));
    m.addEntry(QStringLiteral("none"), QStringLiteral("Read me"), QStringLiteral("readme.txt"),
               QStringLiteral("Notes"), QStringLiteral("none"));
    PageInputs in = m.inputs(QStringLiteral("Tools Disc"));
    in.sound = nativePath({QStringLiteral("C:"), QStringLiteral("Sounds"), QStringLiteral("tune.mid")});
    in.logo = nativePath({QStringLiteral("C:"), QStringLiteral("Pics"), QStringLiteral("logo.png")});
    in.buttonOn = nativePath({QStringLiteral("C:"), QStringLiteral("Pics"), QStringLiteral("on.gif")});
    in.buttonOff = QStringLiteral("off.gif");  // no folder: used whole
    ASSERT_TRUE(writeMenuPage(QStringLiteral("Standard Screenshots"), in, m.data));
    EXPECT_EQ(m.page(), golden(QStringLiteral("standard_screen_styled.htm")));

    // The plain Standard page names the screenshot without its folder and has no screenshot cells.
    ASSERT_TRUE(writeHTMLStandard(in, m.data));
    const QList<QByteArray> lines = pageLines(m.page());
    EXPECT_TRUE(lines.contains("arS[0]= '<img src=shot1.jpg>'"));
    EXPECT_TRUE(lines.contains("arS[1]='&nbsp;'"));
    EXPECT_FALSE(m.page().contains("SShot"));
    EXPECT_EQ(lines.size(), pageLines(golden(QStringLiteral("standard_screen_styled.htm"))).size() - 2);
}

TEST(ExtendedPages, CategoriesBecomeButtonsAndPanels) {
    MenuFixture m;
    m.addEntry(QStringLiteral("Tools"), QStringLiteral("Editor"), QStringLiteral("Tools/edit.exe"),
               QStringLiteral("Edits text"), QStringLiteral("none"));
    m.addEntry(QStringLiteral("Tools"), QStringLiteral("Viewer"), QStringLiteral("Tools/view.exe"),
               QStringLiteral("Shows pictures"), QStringLiteral("none"));
    m.addEntry(QStringLiteral("Games"), QStringLiteral("Chess"), QStringLiteral("Games/chess.exe"),
               QStringLiteral("Plays chess"), QStringLiteral("none"));
    PageInputs in = m.inputs(QStringLiteral("Games and Tools"));
    in.buttonOn = nativePath({QStringLiteral("C:"), QStringLiteral("Pics"), QStringLiteral("on.gif")});
    in.sound = QString();  // empty counts as not set
    ASSERT_TRUE(writeMenuPage(QStringLiteral("Extended"), in, m.data));
    EXPECT_EQ(m.page(), golden(QStringLiteral("extended_categories.htm")));
}

TEST(StartPages, EntriesKeepTheOrderInWhichTheyWereStored) {
    MenuFixture m;
    const QStringList titles{QStringLiteral("Zebra"), QStringLiteral("Ant"), QStringLiteral("Mole")};
    for (const QString& title : titles) {
        m.addEntry(QStringLiteral("Zoo"), title, title + QStringLiteral(".exe"), QStringLiteral("d"),
                   QStringLiteral("none"));
    }
    ASSERT_TRUE(writeHTMLStandard(m.inputs(), m.data));
    QList<QByteArray> lines = pageLines(m.page());
    for (int i = 0; i < titles.size(); ++i) {
        const QByteArray title = titles[i].toLatin1();
        EXPECT_EQ(lines.indexOf("arT[" + QByteArray::number(i) + "]='<a href=" + title + ".exe>" + title +
                                "</a>';"),
                  8 + 3 * i)
            << title.constData();
        EXPECT_TRUE(lines.contains("    <p id='Bt' class='But' onmouseover='switchButton(" +
                                   QByteArray::number(i) + ")' onclick='displayText(" +
                                   QByteArray::number(i) + ")'>" + title + "</p>"))
            << title.constData();
    }

    ASSERT_TRUE(writeHTMLExtended(m.inputs(), m.data));
    lines = pageLines(m.page());
    qsizetype previous = -1;
    for (int j = 0; j < titles.size(); ++j) {
        const qsizetype at = lines.indexOf("            <p class='TLink' onclick='displayText(0," +
                                           QByteArray::number(j) + ")'>" + titles[j].toLatin1() + "</p>");
        EXPECT_GT(at, previous) << titles[j].toStdString();
        previous = at;
    }
}

TEST(ExtendedPages, ScreenshotCellsBesideEachDescription) {
    MenuFixture m;
    m.addEntry(QStringLiteral("Docs"), QStringLiteral("Manual"), QStringLiteral("Docs/manual.pdf"),
               QStringLiteral("The manual"), QStringLiteral("man.jpg"));
    m.addEntry(QStringLiteral("Docs"), QStringLiteral("Licence"), QStringLiteral("Docs/licence.txt"),
               QStringLiteral("Terms"), QStringLiteral("none"));
    PageInputs in = m.inputs(QStringLiteral("Documents"));
    in.logo = QStringLiteral("None");  // exact comparison: "None" is a file name
    in.sound = QString();
    in.buttonOff = nativePath({QStringLiteral("C:"), QStringLiteral("Pics"), QStringLiteral("off.gif")});
    ASSERT_TRUE(writeMenuPage(QStringLiteral("Extended Screenshots"), in, m.data));
    EXPECT_EQ(m.page(), golden(QStringLiteral("extended_screen_docs.htm")));
}

TEST(StartPages, MenuWithoutEntriesLeavesAnEarlierPage) {
    MenuFixture m;
    const QString file = createMenuFile(m.cdRoot());
    EXPECT_EQ(file, m.cdRoot() + QStringLiteral("Index.htm"));
    {
        QFile earlier(file);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier page");
    }
    EXPECT_FALSE(writeHTMLStandard(m.inputs(), m.data));
    EXPECT_FALSE(writeHTMLStandardScreen(m.inputs(), m.data));
    EXPECT_FALSE(writeHTMLExtended(m.inputs(), m.data));
    EXPECT_FALSE(writeHTMLExtendedScreen(m.inputs(), m.data));
    EXPECT_EQ(m.page(), QByteArray("earlier page"));

    // Another menu's entries are not this menu's; template names are compared exactly.
    m.data.ExecuteSQL(
        QStringLiteral("INSERT INTO tblDetails (MenuNo, Category, FileName) VALUES (?, 'A', 'B')"),
        {m.menuId + 1});
    EXPECT_FALSE(writeMenuPage(QStringLiteral("Standard"), m.inputs(), m.data));
    m.addEntry(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("b.exe"), QStringLiteral("c"),
               QStringLiteral("none"));
    for (const QString& name : {QStringLiteral("standard"), QStringLiteral("Extended "), QString()}) {
        EXPECT_FALSE(writeMenuPage(name, m.inputs(), m.data)) << name.toStdString();
    }
    EXPECT_EQ(m.page(), QByteArray("earlier page"));
}

TEST(StartPages, NullValuesGiveEmptyText) {
    MenuFixture m;
    m.addEntry(QVariant(), QVariant(), QVariant(), QVariant(), QVariant());
    ASSERT_TRUE(writeHTMLStandardScreen(m.inputs(QString()), m.data));
    QList<QByteArray> lines = pageLines(m.page());
    EXPECT_TRUE(lines.contains("arT[0]='<a href=></a>';"));
    EXPECT_TRUE(lines.contains("arD[0]='';"));
    EXPECT_TRUE(lines.contains("arS[0]='&nbsp;'"));
    EXPECT_TRUE(lines.contains("      <h2></h2>"));
    EXPECT_TRUE(lines.contains(
        "    <p id='Bt' class='But' onmouseover='switchButton(0)' onclick='displayText(0)'></p>"));

    // An entry without any category still has its button and its place in the panel.
    ASSERT_TRUE(writeHTMLExtendedScreen(m.inputs(), m.data));
    lines = pageLines(m.page());
    EXPECT_TRUE(lines.contains(
        "    <p id='Bt' class='But' onmouseover='switchButton(0)' onclick='displayCat(0)'></p>"));
    EXPECT_TRUE(lines.contains("            <p class='TLink' onclick='displayText(0,0)'></p>"));
    EXPECT_TRUE(lines.contains("            <p></p><a align='right' href=>Open</a>"));
    EXPECT_TRUE(
        lines.contains("          <td id='SShot' width='30%' align='right' valign='top'>&nbsp;</td>"));
}

TEST(StartPages, ButtonPositionsBeyondSixteenBits) {
    MenuFixture m;
    const int n = 1000;
    // Entries T0 .. T999 in one statement.
    m.data.ExecuteSQL(
        QStringLiteral("WITH RECURSIVE k(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM k WHERE i < ?) "
                       "INSERT INTO tblDetails (MenuNo, Category, FileName, FileLink, Description, "
                       "Screenshot) SELECT ?, 'none', 'T' || i, 'f' || i || '.exe', 'd', 'none' FROM k"),
        {n - 1, m.menuId});
    ASSERT_TRUE(writeHTMLStandard(m.inputs(), m.data));
    const QList<QByteArray> lines = pageLines(m.page());
    EXPECT_TRUE(lines.contains("var arT=new Array(1000)"));
    EXPECT_TRUE(lines.contains("arT[999]='<a href=f999.exe>T999</a>';"));
    const int last = 120 + (n - 1) * 35;  // 35085: past what a 16-bit position holds
    EXPECT_TRUE(
        lines.contains(QStringLiteral("<div style='position:absolute;top:%1px; left:20px;width:100px'>")
                           .arg(last)
                           .toLatin1()));
    EXPECT_TRUE(
        lines.contains(QStringLiteral("<div  style='position:absolute;top:%1px ;left:30px;width:100px'>")
                           .arg(last + 5)
                           .toLatin1()));
    EXPECT_TRUE(lines.contains(
        "    <p id='Bt' class='But' onmouseover='switchButton(999)' onclick='displayText(999)'>T999</p>"));
}

TEST(StartPages, ValuesAreEscapedWhereTheyLand) {
    MenuFixture m;
    const QString title = QStringLiteral("Tom's <b>Tool</b> \u042F");
    const QString description = QStringLiteral("Line one\r\nIt's \\ here</script>\nThird\rFourth \U0001F600");
    m.addEntry(QStringLiteral("Fun & Games"), title, QStringLiteral("My Setup/install 1.exe"), description,
               QStringLiteral("my shot#1.jpg"));
    m.addEntry(QStringLiteral("Fun & Games"), QStringLiteral("Docs"), QStringLiteral("Docs/\u042F?.txt"),
               QStringLiteral("plain"), QStringLiteral("none"));
    PageInputs in = m.inputs(QStringLiteral("\u00DCber \u042F"));
    in.sound = nativePath({QStringLiteral("C:"), QStringLiteral("my tune's.mid")});
    in.logo = QStringLiteral("logo=1.png");
    in.buttonOn = QStringLiteral("on it.gif");
    in.buttonOff = QStringLiteral("off\u042F.gif");

    ASSERT_TRUE(writeHTMLStandardScreen(in, m.data));
    QList<QByteArray> lines = pageLines(m.page());
    expectCrLfLines(m.page());
    EXPECT_TRUE(lines.contains("<bgsound src='Menu/my%20tune%27s.mid' loop=1'>"));
    EXPECT_TRUE(
        lines.contains("      <h2>\xDC"
                       "ber &#1071;</h2>"));
    EXPECT_TRUE(
        lines.contains("<div class='Logo' width='100px'> <img src='Menu/logo%3D1.png' border='0' ></div>"));
    EXPECT_TRUE(lines.contains("                document.all.Bi[i].src='Menu/on%20it.gif';"));
    EXPECT_TRUE(lines.contains("                  document.all.Bi[i].src='Menu/off\\u042F.gif';"));
    EXPECT_TRUE(lines.contains("    <img  id='Bi' src='Menu/off&#1071;.gif' >"));
    EXPECT_TRUE(
        lines.contains("arT[0]='<a href=My%20Setup/install%201.exe>Tom\\'s <b>Tool<\\/b> \\u042F</a>';"));
    EXPECT_TRUE(lines.contains(
        "arD[0]='Line one\\r\\nIt\\'s \\\\ here<\\/script>\\nThird\\rFourth \\uD83D\\uDE00';"));
    EXPECT_TRUE(lines.contains("arS[0]= '<img src=Menu/my%20shot%231.jpg>'"));
    EXPECT_TRUE(lines.contains("arT[1]='<a href=Docs/\\u042F%3F.txt>Docs</a>';"));
    EXPECT_TRUE(lines.contains(
        "    <p id='Bt' class='But' onmouseover='switchButton(0)' onclick='displayText(0)'>Tom's <b>Tool</b> "
        "&#1071;</p>"));

    ASSERT_TRUE(writeHTMLExtendedScreen(in, m.data));
    lines = pageLines(m.page());
    expectCrLfLines(m.page());
    EXPECT_TRUE(lines.contains(
        "    <p id='Bt' class='But' onmouseover='switchButton(0)' onclick='displayCat(0)'>Fun & Games</p>"));
    EXPECT_TRUE(lines.contains(
        "            <p class='TLink' onclick='displayText(0,0)'>Tom's <b>Tool</b> &#1071;</p>"));
    EXPECT_TRUE(lines.contains(
        "            <p>Line one<br>It's \\ here</script><br>Third<br>Fourth &#128512;</p><a align='right' "
        "href=My%20Setup/install%201.exe>Open</a>"));
    EXPECT_TRUE(lines.contains(
        " <td id='SShot' width='30%' align='right' valign='top'><img src=Menu/my%20shot%231.jpg></td>"));
    EXPECT_TRUE(lines.contains("            <p>plain</p><a align='right' href=Docs/&#1071;%3F.txt>Open</a>"));
}

}  // namespace
}  // namespace torvel::test
