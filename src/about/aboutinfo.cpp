#include "about/aboutinfo.h"

#include "version.h"

namespace torvel {

AboutInfo aboutInfo() {
    AboutInfo info;
    info.title = QStringLiteral("Torvel");
    info.major = version::major;
    info.minor = version::minor;
    info.revision = version::revision;
    info.description = QString::fromUtf8(version::description);
    info.product = QStringLiteral("Torvel");
    info.company = QString::fromUtf8(version::webAddress);
    info.copyright = QStringLiteral("Copyright \u00A9 2026 the Torvel developers");
    return info;
}

QString versionText(const AboutInfo& info) {
    return QStringLiteral("Version %1.%2.%3").arg(info.major).arg(info.minor).arg(info.revision);
}

}  // namespace torvel
