#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

#include "data/schemafile.h"
#include "wizard/compose.h"

namespace torvel::test {

ProgramDir::ProgramDir(bool withDatabase) {
    if (withDatabase) {
        createDatabaseFromSchema(QStringLiteral(TORVEL_SCHEMA_FILE), database());
    }
}

QString ProgramDir::database() const {
    return databaseFileIn(path());
}

QStringList ProgramDir::copyInstalledFiles() const {
    const QDir built(QStringLiteral(TORVEL_PROGRAM_DIR));
    QStringList copied;
    for (const QString& name : {QStringLiteral("AUTORUN.INF"), QStringLiteral("Start.exe")}) {
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

QString TempFolder::native(const QString& relative) const {
    return QDir::toNativeSeparators(QDir(dir_.path()).filePath(relative));
}

WizardFixture::WizardFixture() : wizard(buildWizard(prompts, program.path())) {}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QJsonObject event(const QString& line) {
    return QJsonDocument::fromJson(line.toUtf8()).object();
}

}  // namespace torvel::test
