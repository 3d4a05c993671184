#pragma once

#include <QJsonObject>
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "form/scriptedprompts.h"
#include "wizard/wizard.h"

namespace torvel::test {

// A temporary program folder holding a fresh Torvel.dat made from the schema.
class ProgramDir {
public:
    explicit ProgramDir(bool withDatabase = true);
    QString path() const { return dir_.path(); }
    QString database() const;
    // A path below the program folder; folders on the way are created.
    QString file(const QString& relative) const;
    // Writes a file (creating its folders) and returns its path.
    QString write(const QString& relative, const QByteArray& content) const;

private:
    QTemporaryDir dir_;
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
