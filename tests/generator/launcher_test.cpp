#include <gtest/gtest.h>

#include <QtEndian>

#include "support/testsupport.h"

namespace torvel::test {
namespace {

quint16 u16(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}
quint32 u32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}

TEST(ProgramFolder, StartProgramIsA64BitWindowsGuiExecutableWithAnIcon) {
    const QByteArray exe = readFile(QStringLiteral(TORVEL_PROGRAM_DIR "/Start.exe"));
    ASSERT_GT(exe.size(), 1024) << "Start.exe missing from the program folder";
    EXPECT_LT(exe.size(), 64 * 1024);
    ASSERT_TRUE(exe.startsWith("MZ"));
    const quint32 pe = u32(exe, 0x3C);
    ASSERT_LT(pe + 24 + 112 + 8 * 3, quint32(exe.size()));
    ASSERT_EQ(exe.mid(pe, 4), QByteArray("PE\0\0", 4));
    EXPECT_EQ(u16(exe, pe + 4), 0x8664);  // x86-64
    const quint32 optional = pe + 24;
    EXPECT_EQ(u16(exe, optional), 0x20B);                 // PE32+
    EXPECT_EQ(u16(exe, optional + 68), 2);                // Windows GUI subsystem
    EXPECT_GT(u32(exe, optional + 112 + 8 * 2 + 4), 0u);  // a resource directory (the icon)
}

TEST(ProgramFolder, AutorunFileOpensTheStartProgram) {
    EXPECT_EQ(
        readFile(QStringLiteral(TORVEL_PROGRAM_DIR "/AUTORUN.INF")),
        QByteArray("[autorun]\r\nopen=Start.exe\r\nicon=Start.exe,0\r\naction=Open the start menu\r\n"));
}

}  // namespace
}  // namespace torvel::test
