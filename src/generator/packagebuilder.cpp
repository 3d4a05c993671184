#include "generator/packagebuilder.h"

#include <QFileInfo>

#include "base/error.h"
#include "files/paths.h"
#include "files/safefile.h"
#include "form/prompts.h"
#include "generator/pages.h"

namespace torvel {

namespace {

QString withStop(const QString& reason) {
    return reason.endsWith(QLatin1Char('.')) ? reason : reason + QLatin1Char('.');
}

// Writes the start page; false with a line in `failures` when no page was written.
bool writeStartPage(clsData& data, const QString& templateName, const PageInputs& inputs,
                    QStringList& failures) {
    if (!isTemplateName(templateName)) {
        failures
            << QStringLiteral("Index.htm was not written: the template \"%1\" is unknown.").arg(templateName);
        return false;
    }
    try {
        if (writeMenuPage(templateName, inputs, data)) {
            return true;
        }
        failures << QStringLiteral("Index.htm was not written: the menu has no entries.");
    } catch (const WriteError& e) {
        failures << QStringLiteral("Index.htm could not be written: ") + withStop(e.reason());
    } catch (const TorvelError& e) {
        failures << QStringLiteral("Index.htm could not be written: ") + withStop(e.message());
    }
    return false;
}

// Copies one of the files installed beside the program into the CD root.
void copyProgramFile(const QString& programDir, const QString& name, const QString& cdRoot,
                     QStringList& failures) {
    const QString source = programDir + nativeSeparator() + name;
    if (!QFileInfo(source).isFile()) {
        failures << QStringLiteral("%1 could not be copied: the program folder has no %1.").arg(name);
        return;
    }
    try {
        copyFileSafely(source, cdRoot + name);
    } catch (const WriteError& e) {
        failures << QStringLiteral("%1 could not be copied: ").arg(name) + withStop(e.reason());
    }
}

}  // namespace

QStringList buildMenuPackage(Prompts& prompts, clsData& data, const QString& templateName,
                             const PageInputs& inputs, const QString& programDir) {
    QStringList failures;
    // The twin is written from the same bytes as the page, in the same run: an older Index.htm
    // is never handed on as new.
    PageTwin twin{inputs.cdRoot + QStringLiteral("Index.hta"), std::nullopt};
    PageInputs withTwin = inputs;
    withTwin.twin = &twin;
    prompts.setBusy(true);
    const bool pageWritten = writeStartPage(data, templateName, withTwin, failures);
    prompts.setBusy(false);

    copyProgramFile(programDir, QStringLiteral("AUTORUN.INF"), inputs.cdRoot, failures);
    copyProgramFile(programDir, QStringLiteral("Start.exe"), inputs.cdRoot, failures);

    if (!pageWritten) {
        failures << QStringLiteral("Index.hta was not written: no start page was written.");
    } else if (twin.failure) {
        failures << QStringLiteral("Index.hta could not be written: ") + withStop(*twin.failure);
    }
    return failures;
}

void reportMenuPackage(Prompts& prompts, const QStringList& failures) {
    if (failures.isEmpty()) {
        inform(prompts, kMenuCreatedMessage);
        return;
    }
    prompts.message(MessageIcon::Critical, MessageButtons::Ok, kMessageTitle,
                    (QStringList{kMenuIncompleteMessage} + failures).join(QLatin1Char('\n')));
}

}  // namespace torvel
