// The ISO image, read back by xorriso: every file's bytes, names and dates, the Joliet names and
// labels; and an image that is cancelled or fails, which leaves nothing behind.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <cerrno>

#include "disc/isoimage.h"
#include "disctestsupport.h"
#include "files/safefile.h"
#include "support/testsupport.h"

namespace torvel::test {
namespace {

using namespace Qt::StringLiterals;

const QDateTime kDate(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
const QString kLongName = u"A name longer than the sixty-four characters that Joliet holds, with é.txt"_s;

// A small CD root: names with blanks, accents and more than Joliet holds, folders within folders,
// an empty file, a file of a few megabytes, a dated file, and links inside and outside the root.
struct ImageFixture {
    TempFolder disc;
    TempFolder out;
    QString image = out.file(u"disc.iso"_s);
    ImageFixture() {
        disc.write(u"Read Me.txt"_s, "read me\r\n");
        disc.write(u"Été à Zürich/Café.txt"_s, "accents");
        disc.write(kLongName, "long");
        disc.write(u"Empty"_s, QByteArray());
        writeBytes(disc.file(u"Sub/Deeper/Deepest/data.bin"_s), 3 * 1024 * 1024 + 17, 1);
        QFile dated(disc.write(u"Sub/dated.txt"_s, "from 2001"));
        dated.open(QIODevice::ReadWrite);
        dated.setFileTime(kDate, QFile::FileModificationTime);
        QFile::link(disc.file(u"Sub/dated.txt"_s), disc.file(u"Sub/link to dated.txt"_s));
        QFile::link(QDir::tempPath(), disc.file(u"outside"_s));
    }
    QStringList temporaries() const { return QDir(out.path()).entryList(QDir::Files | QDir::Hidden); }
};

TEST(IsoImage, HoldsEveryFileOfTheRootWithItsNamesBytesAndDates) {
    ImageFixture f;
    QList<std::pair<qint64, qint64>> steps;
    ASSERT_TRUE(writeIsoImage(scanDisc(f.disc.path()), u"Été 2024: Holiday photos & more"_s, f.image,
                              [&](qint64 done, qint64 total) {
                                  steps << std::pair{done, total};
                                  return true;
                              }));
    ASSERT_GE(steps.size(), 3);
    EXPECT_EQ(steps.first().first, 0);
    EXPECT_EQ(steps.last(), (std::pair{QFileInfo(f.image).size(), QFileInfo(f.image).size()}));
    EXPECT_EQ(f.temporaries(), QStringList{u"disc.iso"_s});

    TempFolder extracted;
    ASSERT_EQ(xorriso({u"-osirrox"_s, u"on"_s, u"-indev"_s, f.image, u"-extract"_s, u"/"_s, extracted.path()})
                  .first,
              0);
    std::map<QString, QByteArray> expected = filesBelow(f.disc.path());
    expected.erase(u"outside"_s);  // a link out of the root is no part of the disc
    EXPECT_EQ(filesBelow(extracted.path()), expected);
    EXPECT_FALSE(QFileInfo(extracted.file(u"Sub/link to dated.txt"_s)).isSymLink());
    EXPECT_EQ(QFileInfo(extracted.file(u"Sub/dated.txt"_s)).lastModified().toUTC(), kDate);

    // Windows reads the Joliet names: blanks and accents as they are, a long name cut short.
    const QStringList joliet = imagePaths(f.image, u"norock"_s);
    for (const QString& path :
         {u"/Read Me.txt"_s, u"/Été à Zürich/Café.txt"_s, u"/Sub/link to dated.txt"_s}) {
        EXPECT_TRUE(joliet.contains(path)) << path.toStdString() << "\n" << joliet.join(u'\n').toStdString();
    }
    const auto cut =
        std::find_if(joliet.begin(), joliet.end(), [](const QString& p) { return p.startsWith(u"/A name"); });
    ASSERT_NE(cut, joliet.end());
    EXPECT_TRUE(cut->size() - 1 < kLongName.size() && kLongName.startsWith(cut->mid(1, 40)) &&
                cut->endsWith(u".txt"_s))
        << cut->toStdString();

    // The labels: ISO 9660's own characters in the primary descriptor, the title in Joliet's.
    EXPECT_TRUE(xorriso({u"-indev"_s, f.image, u"-pvd_info"_s})
                    .second.contains(u"Volume Id    : ETE_2024_HOLIDAY_PHOTOS_MORE\n"_s));
    const QByteArray joliet17 = readFile(f.image).mid(17 * 2048, 2048);
    ASSERT_EQ(joliet17.left(6), QByteArray("\2CD001"));
    QString label;  // 16 characters, UCS-2 big-endian
    for (int at = 40; at < 72; at += 2) {
        label += QChar(static_cast<char16_t>(static_cast<uchar>(joliet17[at]) << 8 |
                                             static_cast<uchar>(joliet17[at + 1])));
    }
    EXPECT_EQ(label, u"Été 2024: Holida"_s);
}

TEST(IsoImage, ACancelledOrFailedImageLeavesNothingAndKeepsAnEarlierImage) {
    ImageFixture f;
    writeFileSafely(f.image, "an earlier image");
    const DiscTree tree = scanDisc(f.disc.path());
    EXPECT_FALSE(
        writeIsoImage(tree, u"Disc"_s, f.image, [](qint64 done, qint64) { return done < 1024 * 1024; }));
    EXPECT_EQ(readFile(f.image), QByteArray("an earlier image"));
    EXPECT_EQ(f.temporaries(), QStringList{u"disc.iso"_s});

    setWriteFault(WriteFault{1500 * 1024, ENOSPC});
    try {
        writeIsoImage(tree, u"Disc"_s, f.image, [](qint64, qint64) { return true; });
        ADD_FAILURE() << "a full disk was not reported";
    } catch (const WriteError& e) {
        EXPECT_EQ(e.message(),
                  u"The file %1 could not be written: No space left on device."_s.arg(native(f.image)));
    }
    setWriteFault(std::nullopt);
    EXPECT_EQ(readFile(f.image), QByteArray("an earlier image"));
    EXPECT_EQ(f.temporaries(), QStringList{u"disc.iso"_s});

    // A file that goes away after the root was read: the image names it.
    QFile::remove(f.disc.file(u"Sub/Deeper/Deepest/data.bin"_s));
    try {
        writeIsoImage(tree, u"Disc"_s, f.image, [](qint64, qint64) { return true; });
        ADD_FAILURE() << "a missing file was not reported";
    } catch (const WriteError& e) {
        EXPECT_TRUE(e.message().contains(u"data.bin"_s)) << e.message().toStdString();
    }
    EXPECT_EQ(f.temporaries(), QStringList{u"disc.iso"_s});
}

}  // namespace
}  // namespace torvel::test
