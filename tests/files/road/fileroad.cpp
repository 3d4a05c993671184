// The file entry page driven through the script runner the way an author uses it: a new menu
// on a CD root, an entry with a screenshot, a click, a rename, a second save and a removal.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "scriptrunner.h"
#include "support/testsupport.h"

using namespace torvel;

namespace {

void writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QJsonObject lastDump(const QString& out) {
    QJsonObject dump;
    for (const QString& line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QJsonObject o = QJsonDocument::fromJson(line.toUtf8()).object();
        if (o[QStringLiteral("event")].toString() == QStringLiteral("dump")) {
            dump = o;
        }
    }
    return dump;
}

QStringList listItems(const QJsonObject& dump) {
    QStringList items;
    for (const auto& v :
         dump[QStringLiteral("controls")][QStringLiteral("lstFiles")][QStringLiteral("items")].toArray()) {
        items << v.toString();
    }
    return items;
}

}  // namespace

TEST(FileEntryRoad, AddClickRenameAndRemoveThroughTheScriptRunner) {
    test::ProgramDir program;
    QTemporaryDir work;
    const QString disc = QDir::toNativeSeparators(work.filePath(QStringLiteral("Disc")));
    const QString install = QDir::toNativeSeparators(work.filePath(QStringLiteral("Disc/Setup/install.exe")));
    const QString shot = QDir::toNativeSeparators(work.filePath(QStringLiteral("Pictures/shot.jpg")));
    writeFile(install, "exe");
    writeFile(shot, "picture");

    QString outText;
    QString errText;
    QTextStream out(&outText);
    QTextStream err(&errText);
    ScriptRunner runner(program.path(), out, err);
    const int status = runner.run(QStringList{
        QStringLiteral("click cmdNew"),
        QStringLiteral("set txtTitle Road test"),
        QStringLiteral("folder ") + disc,
        QStringLiteral("choose cmbStyles 1: Midnight"),
        QStringLiteral("click cmdNext"),
        QStringLiteral("click cmdNext"),
        QStringLiteral("click cmdNext"),
        QStringLiteral("file ") + install,
        QStringLiteral("click cmdFile"),
        QStringLiteral("file ") + shot,
        QStringLiteral("click cmdFScreenshot"),
        QStringLiteral("set txtFileTitle Install"),
        QStringLiteral("set txtFileDescription Line one\\nLine two"),
        QStringLiteral("click cmdSave"),
        QStringLiteral("dump"),
        QStringLiteral("choose lstFiles Install"),
        QStringLiteral("set txtFileTitle Setup"),
        QStringLiteral("click cmdSave"),
        QStringLiteral("click cmdSave"),
        QStringLiteral("dump"),
    });
    ASSERT_EQ(status, kScriptOk) << errText.toStdString();
    EXPECT_EQ(runner.wizard().state().curStep, 4);
    EXPECT_EQ(test::readFile(work.filePath(QStringLiteral("Disc/Menu/shot.jpg"))), QByteArray("picture"));

    Wizard& w = runner.wizard();
    auto rows =
        w.myData().GetRS(QStringLiteral("SELECT * FROM tblDetails WHERE MenuNo=?"), {w.state().curMenuID});
    ASSERT_EQ(rows->recordCount(), 1);
    EXPECT_EQ(rows->field(QStringLiteral("FileName")), QStringLiteral("Setup"));
    EXPECT_EQ(rows->field(QStringLiteral("FileLink")), QStringLiteral("Setup/install.exe"));
    EXPECT_EQ(rows->field(QStringLiteral("Description")), QStringLiteral("Line one\nLine two"));
    EXPECT_EQ(rows->field(QStringLiteral("Screenshot")), QStringLiteral("shot.jpg"));
    const QJsonObject dump = lastDump(outText);
    EXPECT_EQ(listItems(dump), QStringList{QStringLiteral("Setup")});
    EXPECT_EQ(dump[QStringLiteral("state")][QStringLiteral("curFileName")].toString(),
              QStringLiteral("Setup"));

    outText.clear();
    ASSERT_EQ(runner.run(QStringList{QStringLiteral("choose lstFiles Setup"), QStringLiteral("answer yes"),
                                     QStringLiteral("click cmdFileRemove"), QStringLiteral("dump")}),
              kScriptOk)
        << errText.toStdString();
    EXPECT_TRUE(listItems(lastDump(outText)).isEmpty());
    EXPECT_EQ(w.myData().GetRS(QStringLiteral("SELECT * FROM tblDetails"))->recordCount(), 0);
}
