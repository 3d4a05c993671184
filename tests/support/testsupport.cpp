#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "data/schemafile.h"
#include "wizard/compose.h"

namespace torvel::test {

using namespace Qt::StringLiterals;

ProgramDir::ProgramDir(bool withDatabase) {
    if (withDatabase) {
        createDatabaseFromSchema(QStringLiteral(TORVEL_SCHEMA_FILE), database());
    }
}

QStringList ProgramDir::copyInstalledFiles() const {
    const QDir built(QStringLiteral(TORVEL_PROGRAM_DIR));
    QStringList copied;
    for (const QString& name : {u"AUTORUN.INF"_s, u"Start.exe"_s}) {
        if (QFile::copy(built.filePath(name), QDir(path()).filePath(name))) {
            copied << name;
        }
    }
    return copied;
}

QString TempFolder::file(const QString& relative) const {
    const QString path = QDir(dir_.path()).filePath(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    return path;
}

QString TempFolder::write(const QString& relative, const QByteArray& content) const {
    const QString path = file(relative);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(content);
    }
    return path;
}

WizardFixture::WizardFixture() : wizard(buildWizard(prompts, program.path())) {}

QStringList WizardFixture::takeMessages() {
    const QStringList texts = messages(prompts.transcript());
    prompts.clearTranscript();
    return texts;
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QJsonObject event(const QString& line) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(line.toUtf8(), &error);
    EXPECT_TRUE(error.error == QJsonParseError::NoError && doc.isObject()) << line.toStdString();
    return doc.object();
}

QList<QJsonObject> events(const QStringList& transcript, const QString& kind) {
    QList<QJsonObject> found;
    for (const QString& line : transcript) {
        const QJsonObject o = event(line);
        if (kind.isEmpty() || o.value(u"event"_s).toString() == kind) {
            found << o;
        }
    }
    return found;
}

QStringList messages(const QStringList& transcript) {
    QStringList texts;
    for (const QJsonObject& m : events(transcript, u"message"_s)) {
        texts << m.value(u"text"_s).toString();
    }
    return texts;
}

}  // namespace torvel::test
