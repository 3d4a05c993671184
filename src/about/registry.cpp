#include "about/registry.h"

#include "about/aboutinfo.h"

namespace torvel {

namespace {

const char* const kSysInfoPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char* const kSysInfoPathValue = "PATH";
const char* const kSysInfoFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const char* const kSysInfoFolderValue = "MSINFO";
const char* const kSysInfoProgram = "\\MSINFO32.EXE";

#ifndef Q_OS_WIN
// A machine without a registry: no key can be opened.
class NoRegistry : public RegistryReader {
public:
    bool openKey(quint32, const QString&, Key*) override { return false; }
    bool queryValue(Key, const QString&, quint32*, QByteArray*) override { return false; }
    void closeKey(Key) override {}
};
#endif

}  // namespace

#ifndef Q_OS_WIN
std::unique_ptr<RegistryReader> systemRegistry() {
    return std::make_unique<NoRegistry>();
}
#endif

bool GetKeyValue(RegistryReader& reader, quint32 root, const QString& keyName, const QString& valueName,
                 QString& keyVal) {
    RegistryReader::Key key = 0;
    if (!reader.openKey(root, keyName, &key)) {
        keyVal.clear();
        return false;
    }
    quint32 type = 0;
    QByteArray data;
    if (!reader.queryValue(key, valueName, &type, &data) || data.size() > kRegValueBuffer) {
        keyVal.clear();
        reader.closeKey(key);
        return false;
    }
    if (!data.isEmpty() && data.back() == '\0') {
        data.chop(1);
    }
    if (type == kRegString) {
        keyVal = QString::fromLocal8Bit(data);
    } else if (type == kRegNumber32) {
        QString hex = QStringLiteral("&h");
        for (qsizetype i = data.size() - 1; i >= 0; --i) {
            hex += QString::number(static_cast<quint8>(data[i]), 16).toUpper();
        }
        keyVal = hex;
    }
    reader.closeKey(key);
    return true;
}

void StartSysInfo(RegistryReader& reader, const FileExists& fileExists, Prompts& prompts) {
    QString program;
    QString folder;
    bool found = GetKeyValue(reader, kLocalMachine, QString::fromLatin1(kSysInfoPathKey),
                             QString::fromLatin1(kSysInfoPathValue), program);
    if (!found && GetKeyValue(reader, kLocalMachine, QString::fromLatin1(kSysInfoFolderKey),
                              QString::fromLatin1(kSysInfoFolderValue), folder)) {
        program = folder + QString::fromLatin1(kSysInfoProgram);
        found = fileExists && fileExists(program);
    }
    if (found && prompts.startProgram(program)) {
        return;
    }
    prompts.message(MessageIcon::None, MessageButtons::Ok, aboutInfo().title,
                    QStringLiteral("System Information Is Unavailable At This Time"));
}

}  // namespace torvel
