// The Windows registry, read through the ANSI functions of advapi32. Built on Windows only.
#include <QtGlobal>

#ifdef Q_OS_WIN

#include "about/registry.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#ifdef _MSC_VER
#pragma comment(lib, "advapi32.lib")
#endif

namespace torvel {

namespace {

class WindowsRegistry : public RegistryReader {
public:
    bool openKey(quint32 root, const QString& keyName, Key* key) override {
        // The predefined roots are sign-extended 32-bit numbers.
        const HKEY rootKey =
            reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(root))));
        const QByteArray name = keyName.toLocal8Bit();
        HKEY opened = nullptr;
        if (RegOpenKeyExA(rootKey, name.constData(), 0, KEY_ALL_ACCESS, &opened) != ERROR_SUCCESS) {
            return false;
        }
        *key = reinterpret_cast<Key>(opened);
        return true;
    }

    bool queryValue(Key key, const QString& valueName, quint32* type, QByteArray* data) override {
        const QByteArray name = valueName.toLocal8Bit();
        QByteArray buffer(kRegValueBuffer, '\0');
        DWORD valueType = 0;
        DWORD size = static_cast<DWORD>(buffer.size());
        if (RegQueryValueExA(reinterpret_cast<HKEY>(key), name.constData(), nullptr, &valueType,
                             reinterpret_cast<LPBYTE>(buffer.data()), &size) != ERROR_SUCCESS) {
            return false;
        }
        buffer.truncate(static_cast<qsizetype>(size));
        *type = static_cast<quint32>(valueType);
        *data = buffer;
        return true;
    }

    void closeKey(Key key) override { RegCloseKey(reinterpret_cast<HKEY>(key)); }
};

}  // namespace

std::unique_ptr<RegistryReader> systemRegistry() {
    return std::make_unique<WindowsRegistry>();
}

}  // namespace torvel

#endif  // Q_OS_WIN
