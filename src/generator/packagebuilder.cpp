#include "generator/packagebuilder.h"

#include <QFileInfo>
#include <exception>
#include <filesystem>
#include <system_error>

#include "files/paths.h"
#include "form/prompts.h"
#include "generator/pages.h"

namespace torvel {

bool copyReplacing(const QString& source, const QString& target) {
    if (!QFileInfo(source).isFile()) {
        return false;
    }
    std::error_code error;
    return std::filesystem::copy_file(std::filesystem::path(source.toStdU16String()),
                                      std::filesystem::path(target.toStdU16String()),
                                      std::filesystem::copy_options::overwrite_existing, error) &&
           !error;
}

void buildMenuPackage(Prompts& prompts, clsData& data, const QString& templateName, const PageInputs& inputs,
                      const QString& programDir) {
    prompts.setBusy(true);
    try {
        writeMenuPage(templateName, inputs, data);
    } catch (const std::exception&) {
        // A page that cannot be written is skipped; the rest of the package is still made.
    }
    prompts.setBusy(false);

    const QString programFolder = programDir + nativeSeparator();
    copyReplacing(programFolder + QStringLiteral("AUTORUN.INF"),
                  inputs.cdRoot + QStringLiteral("AUTORUN.INF"));
    copyReplacing(programFolder + QStringLiteral("Start.exe"), inputs.cdRoot + QStringLiteral("Start.exe"));
    copyReplacing(createMenuFile(inputs.cdRoot), inputs.cdRoot + QStringLiteral("Index.hta"));

    inform(prompts, kMenuCreatedMessage);
}

}  // namespace torvel
