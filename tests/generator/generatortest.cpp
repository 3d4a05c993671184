#include "generatortest.h"

#include <gtest/gtest.h>

#include <QDir>

#include "data/statements.h"
#include "files/paths.h"

namespace torvel::test {

QByteArray golden(const QString& name) {
    QString text = QString::fromUtf8(readFile(QStringLiteral(TORVEL_GOLDEN_DIR "/") + name));
    // A checkout that turned the line ends into CR LF reads the same.
    text.remove(QLatin1Char('\r'));
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    // Latin-1 and Windows-1252 give the same byte for every character below 100 hex except 80..9F.
    for (const QChar c : text) {
        if (c.unicode() > 0xFF || (c.unicode() >= 0x80 && c.unicode() < 0xA0)) {
            ADD_FAILURE() << name.toStdString() << " holds U+" << std::hex
                          << static_cast<unsigned>(c.unicode())
                          << ", which this comparison cannot turn into its Windows-1252 byte";
        }
    }
    return text.toLatin1();
}

QString nativePath(const QStringList& parts) {
    return parts.join(nativeSeparator());
}

MenuFixture::MenuFixture() {
    menuId = data.executeInsert(QString::fromLatin1(sql::insertMenu),
                                {QStringLiteral("Standard"), QStringLiteral("My CD"), 1, cdRoot()});
}

QString MenuFixture::cdRoot() const {
    return withTrailingSeparator(QDir::toNativeSeparators(disc.path()));
}

void MenuFixture::addEntry(const QVariant& category, const QVariant& title, const QVariant& link,
                           const QVariant& description, const QVariant& screenshot) {
    data.ExecuteSQL(QString::fromLatin1(sql::insertEntry),
                    {menuId, category, title, link, description, screenshot});
}

PageInputs MenuFixture::inputs(const QString& title) const {
    PageInputs in;
    in.cdRoot = cdRoot();
    in.menuId = menuId;
    in.title = title;
    in.sound = QStringLiteral("none");
    in.logo = QStringLiteral("none");
    in.buttonOn = QStringLiteral("none");
    in.buttonOff = QStringLiteral("none");
    return in;
}

QByteArray MenuFixture::page() const {
    return readFile(createMenuFile(cdRoot()));
}

}  // namespace torvel::test
