// The check before burning, on a CD root that holds a case of nearly every finding and on one
// that Finish has just written.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "data/statements.h"
#include "disc/disccheck.h"
#include "disctestsupport.h"
#include "files/paths.h"
#include "support/testsupport.h"
#include "wizard/disc.h"

namespace torvel::test {
namespace {

using namespace Qt::StringLiterals;

// A wizard with a stored menu of `templateName` on a CD root of its own, as after Load.
struct DiscFixture : WizardFixture {
    TempFolder disc;
    qint64 menu = 0;

    explicit DiscFixture(const QString& templateName, const QString& logo = u"none"_s) {
        clsData& data = wizard->myData();
        Params style{u"Sea"_s, u"RGB(0,0,0)"_s, u"none"_s, u"none"_s, logo,
                     u"0"_s,   u"0"_s,          u"none"_s, u"none"_s};
        for (int i = 0; i < 9; ++i) {
            style << u"Arial;10pt;normal"_s;
        }
        const qint64 styleId = data.executeInsert(QString::fromLatin1(sql::insertStyle), style);
        menu = data.executeInsert(QString::fromLatin1(sql::insertMenu),
                                  {templateName, u"Sea CD"_s, styleId, root()});
        wizard->state().curMenuID = menu;
        wizard->state().cdRoot = root();
    }
    QString root() const { return withTrailingSeparator(native(disc.path())); }
    void entry(const QString& title, const QString& link, const QString& description, const QString& shot) {
        wizard->myData().ExecuteSQL(QString::fromLatin1(sql::insertEntry),
                                    {menu, u"none"_s, title, link, description, shot});
    }
    void link(const QString& name, const QString& target) {
        ASSERT_TRUE(QFile::link(target, disc.file(name))) << name.toStdString();
    }
    // The findings as "level where", in the order given.
    QStringList findings() {
        QStringList found;
        for (const Finding& f : checkCdRoot(*wizard)) {
            found << levelName(f.level) + u' ' + f.where;
        }
        return found;
    }
};

TEST(DiscCheck, FindsWhatMakesADiscFailOrWorkOnlySomewhere) {
    DiscFixture f(u"Standard Screenshots"_s, u"/elsewhere/Styles/Sea/logo.jpg"_s);
    f.entry(u"Setup"_s, u"Tools/setup.exe"_s, QString(), u"setup.jpg"_s);
    f.entry(u"Read me"_s, u"Docs/readme.txt"_s, u"All about it"_s, u"none"_s);
    f.entry(u"Gone"_s, u"Gone/missing.exe"_s, u"Was here"_s, u"gone.jpg"_s);
    f.disc.write(u"Index.htm"_s, "<html>an old page</html>");
    f.disc.write(u"AUTORUN.INF"_s, "[autorun]");
    f.disc.write(u"Menu/Styles.css"_s, "body {}");
    f.disc.write(u"Menu/setup.jpg"_s, "jpeg");
    f.disc.write(u"Tools/setup.exe"_s, QByteArray(5000, 'x'));
    f.disc.write(u"Docs/ReadMe.TXT"_s, "read me");
    f.disc.write(u"CON.txt"_s, "device");
    f.disc.write(u"trailing."_s, "dot");
    f.disc.write(u"what?.txt"_s, "question");
    const QString longName = QString(65, u'n');
    f.disc.write(longName, "long");
    f.disc.write(u"a/b/c/d/e/f/g/h/deep.txt"_s, "deep");
    f.disc.write(u".torvel-0123456789ab.tmp"_s, "a safe writer's leftover");
    f.link(u"outside"_s, QDir::tempPath());
    f.link(u"dangling"_s, f.disc.path() + u"/nothing"_s);
    f.link(u"Tools/again"_s, f.disc.path() + u"/Tools"_s);
    f.link(u"setup-link.exe"_s, f.disc.path() + u"/Tools/setup.exe"_s);

    const QStringList found = f.findings();
    QStringList expected = {u"error Start.exe"_s,
                            u"error Menu/logo.jpg"_s,
                            u"error Gone/missing.exe"_s,
                            u"error Menu/gone.jpg"_s,
                            u"error Tools/again"_s,
                            u"error dangling"_s,
                            u"error outside"_s,
                            u"warning Docs/ReadMe.TXT"_s,
                            u"warning CON.txt"_s,
                            u"warning a/b/c/d/e/f/g/h"_s,
                            u"warning "_s + longName,
                            u"warning trailing."_s,
                            u"warning what?.txt"_s,
                            u"warning Index.htm"_s,
                            u"note Tools/setup.exe"_s,
                            u"note CON.txt"_s,
                            u"note a/b/c/d/e/f/g/h/deep.txt"_s,
                            u"note "_s + longName,
                            u"note setup-link.exe"_s,
                            u"note trailing."_s,
                            u"note what?.txt"_s,
                            u"note "_s};
    QStringList sorted = found;
    sorted.sort();
    expected.sort();
    EXPECT_EQ(sorted, expected);
    // Errors come first, then warnings, then notes.
    const auto rank = [](const QString& finding) {
        return QStringList{u"error"_s, u"warning"_s, u"note"_s}.indexOf(finding.section(u' ', 0, 0));
    };
    EXPECT_TRUE(std::is_sorted(found.begin(), found.end(),
                               [&](const QString& a, const QString& b) { return rank(a) < rank(b); }));

    // Every file counts in whole sectors, a link inside the root as the file it leads to.
    const std::vector<Finding> all = checkCdRoot(*f.wizard);
    EXPECT_EQ(all.back().what, u"The contents take 32,768 bytes in 2,048-byte sectors: they fit on a CD."_s);
}

TEST(DiscCheck, AFinishedDiscHasNoProblemsUntilItsMenuChanges) {
    DiscFixture f(u"Extended Screenshots"_s);
    f.program.copyInstalledFiles();
    f.entry(u"Setup"_s, u"Tools/setup.exe"_s, u"Installs it"_s, u"setup.jpg"_s);
    f.disc.write(u"Tools/setup.exe"_s, "MZ");
    f.disc.write(u"Menu/setup.jpg"_s, "jpeg");
    f.disc.write(u"Menu/Styles.css"_s, "body {}");
    f.form().setText(ctl::cmbTemplate, u"Extended Screenshots"_s);
    f.form().setText(ctl::txtTitle, u"Sea CD"_s);
    f.wizard->click(ctl::Finish);
    ASSERT_EQ(f.takeMessages(), QStringList{u"Your Menu has been successfully created!"_s});

    // Just loaded (the stored menu counts) and on "Add Files" (the window's fields count).
    for (const int page : {1, 4}) {
        f.wizard->state().curStep = page;
        EXPECT_EQ(f.findings(), QStringList{u"note "_s}) << page;
    }
    f.form().setText(ctl::txtTitle, u"Sea CD 2"_s);
    EXPECT_EQ(f.findings(), (QStringList{u"warning Index.htm"_s, u"note "_s}));
    f.wizard->state().curStep = 1;  // the stored menu, whose title is still the one on the page
    EXPECT_EQ(f.findings(), QStringList{u"note "_s});
}

TEST(DiscCheck, TheSmallestMediumCountsTheBytesEachHolds) {
    const std::pair<qint64, const char*> cases[] = {{0, "CD"},
                                                    {737'280'000, "CD"},
                                                    {737'280'001, "DVD"},
                                                    {4'707'319'808, "DVD"},
                                                    {4'707'319'809, "DVD DL"},
                                                    {8'543'666'176, "DVD DL"},
                                                    {8'543'666'177, "BD"},
                                                    {25'025'314'816, "BD"},
                                                    {25'025'314'817, nullptr}};
    for (const auto& [bytes, medium] : cases) {
        const std::optional<Medium> found = smallestMedium(bytes);
        EXPECT_EQ(found ? QString::fromLatin1(found->name) : QString(), QString::fromLatin1(medium)) << bytes;
    }
}

}  // namespace
}  // namespace torvel::test
