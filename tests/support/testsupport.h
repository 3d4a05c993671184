#pragma once

#include <QJsonObject>
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "form/scriptedprompts.h"
#include "wizard/wizard.h"

namespace torvel::test {

// A temporary folder that files are written into, removed with the object.
class TempFolder {
public:
    QString path() const { return dir_.path(); }
    // A path below the folder; folders on the way are created.
    QString file(const QString& relative) const;
    // Writes a file (creating its folders) and returns its path.
    QString write(const QString& relative, const QByteArray& content) const;
    // A path below the folder in the platform's own form.
    QString native(const QString& relative) const;

private:
    QTemporaryDir dir_;
};

// A temporary program folder holding a fresh Torvel.dat made from the schema.
class ProgramDir : public TempFolder {
public:
    explicit ProgramDir(bool withDatabase = true);
    QString database() const;
    // Copies the files the build installs beside the program (AUTORUN.INF, Start.exe) into this
    // folder and returns the names of those that were there to copy.
    QStringList copyInstalledFiles() const;
};

// A wizard on a fresh program folder with scripted prompts.
struct WizardFixture {
    ProgramDir program;
    ScriptedPrompts prompts;
    std::unique_ptr<Wizard> wizard;
    WizardFixture();
    FormModel& form() { return wizard->form(); }
};

QByteArray readFile(const QString& path);
// A path in the platform's own form.
QString native(const QString& path);
// One transcript line as a JSON object.
QJsonObject event(const QString& line);

}  // namespace torvel::test
