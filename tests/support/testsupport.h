#pragma once

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <ostream>

#include "form/scriptedprompts.h"
#include "wizard/controlnames.h"
#include "wizard/wizard.h"

namespace torvel::test {

// A path in the platform's own form.
inline QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// A temporary folder that files are written into, removed with the object.
class TempFolder {
public:
    QString path() const { return dir_.path(); }
    // A path below the folder; folders on the way are created.
    QString file(const QString& relative) const;
    // Writes a file (creating its folders) and returns its path.
    QString write(const QString& relative, const QByteArray& content) const;
    // A path below the folder in the platform's own form.
    QString native(const QString& relative) const { return test::native(QDir(path()).filePath(relative)); }

private:
    QTemporaryDir dir_;
};

// A temporary program folder holding a fresh Torvel.dat made from the schema.
class ProgramDir : public TempFolder {
public:
    explicit ProgramDir(bool withDatabase = true);
    QString database() const { return databaseFileIn(path()); }
    // Copies AUTORUN.INF and Start.exe from the build's program folder; the names of those copied.
    QStringList copyInstalledFiles() const;
};

// A wizard on a fresh program folder with scripted prompts.
struct WizardFixture {
    ProgramDir program;
    ScriptedPrompts prompts;
    std::unique_ptr<Wizard> wizard;
    WizardFixture();
    FormModel& form() { return wizard->form(); }
    int step() const { return wizard->state().curStep; }
    void next() { wizard->click(ctl::cmdNext); }
    // The texts of the messages shown since the last call.
    QStringList takeMessages();
    // The number of rows a query gives.
    int count(const QString& sql, const Params& params = {}) {
        return wizard->myData().GetRS(sql, params)->recordCount();
    }
};

QByteArray readFile(const QString& path);
// One transcript line as a JSON object; a line that is not one fails the test.
QJsonObject event(const QString& line);
// The events of a transcript or of the script runner's output; with a kind, those of that kind.
QList<QJsonObject> events(const QStringList& transcript, const QString& kind = QString());
// The texts of the messages of a transcript, in order.
QStringList messages(const QStringList& transcript);

}  // namespace torvel::test

// Failure messages show texts and JSON values as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QJsonValue& value, std::ostream* out) {
    *out << QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact).toStdString();
}
inline void PrintTo(const QJsonObject& object, std::ostream* out) {
    PrintTo(QJsonValue(object), out);
}
