#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <memory>

#include "form/prompts.h"

namespace torvel {

// Registry roots and value types by their Windows numbers.
inline constexpr quint32 kLocalMachine = 0x80000002u;  // HKEY_LOCAL_MACHINE
inline constexpr quint32 kRegString = 1;               // REG_SZ
inline constexpr quint32 kRegNumber32 = 4;             // REG_DWORD
// The buffer a value is read into; a longer value cannot be read.
inline constexpr int kRegValueBuffer = 1024;

// Read access to the Windows registry, one call per registry function, so that the About box's
// logic runs against a fake on every platform.
class RegistryReader {
public:
    using Key = quintptr;
    virtual ~RegistryReader() = default;
    // Opens keyName below root with full access; false when it cannot be opened.
    virtual bool openKey(quint32 root, const QString& keyName, Key* key) = 0;
    // Reads a value's type and its bytes (at most kRegValueBuffer of them, as stored, a string's
    // terminating NUL included); false when the value is missing or does not fit.
    virtual bool queryValue(Key key, const QString& valueName, quint32* type, QByteArray* data) = 0;
    virtual void closeKey(Key key) = 0;
};

// The registry of this machine: the real one on Windows, elsewhere one that holds no keys.
std::unique_ptr<RegistryReader> systemRegistry();

// Reads the value valueName of the key keyName under root into keyVal. A string value gives its
// text; a 32-bit number gives "&h" followed by the hexadecimal codes of its bytes, last byte first,
// each without leading zeros; any other type leaves keyVal unchanged. Returns false, with keyVal
// empty, when the key cannot be opened or the value cannot be read.
bool GetKeyValue(RegistryReader& reader, quint32 root, const QString& keyName, const QString& valueName,
                 QString& keyVal);

using FileExists = std::function<bool(const QString& path)>;

// Starts the system-information tool named in the registry, or tells that it is unavailable.
void StartSysInfo(RegistryReader& reader, const FileExists& fileExists, Prompts& prompts);

}  // namespace torvel
