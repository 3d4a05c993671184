#include <gtest/gtest.h>
#include <QSet>
#include <map>

#include "about/aboutinfo.h"
#include "about/registry.h"
#include "events.h"
#include "support/testsupport.h"
#include "version.h"
#include "wizard/controlnames.h"

using namespace torvel;

namespace {

const QString kPathKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kFolderKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString kUnavailable = QStringLiteral("System Information Is Unavailable At This Time");
constexpr quint32 kRegBinary = 3;

// A registry held in memory. It counts the keys left open and remembers which keys were asked for.
class FakeRegistry : public RegistryReader {
public:
    struct Value {
        quint32 type;
        QByteArray data;
    };
    void set(quint32 root, const QString& key, const QString& name, quint32 type, const QByteArray& data) {
        keys_[{root, key}][name] = Value{type, data};
    }
    void setString(const QString& key, const QString& name, const QByteArray& text) {
        set(kLocalMachine, key, name, kRegString, text + '\0');
    }

    bool openKey(quint32 root, const QString& keyName, Key* key) override {
        asked << keyName;
        auto it = keys_.find({root, keyName});
        if (it == keys_.end()) {
            return false;
        }
        handles_[++lastHandle_] = &it->second;
        *key = lastHandle_;
        return true;
    }
    bool queryValue(Key key, const QString& valueName, quint32* type, QByteArray* data) override {
        auto values = handles_.at(key);
        auto it = values->find(valueName);
        if (it == values->end() || it->second.data.size() > kRegValueBuffer) {
            return false;
        }
        *type = it->second.type;
        *data = it->second.data;
        return true;
    }
    void closeKey(Key key) override {
        EXPECT_EQ(handles_.erase(key), 1u) << "closing a key that is not open";
    }

    size_t openKeys() const { return handles_.size(); }
    QStringList asked;

private:
    std::map<std::pair<quint32, QString>, std::map<QString, Value>> keys_;
    std::map<Key, std::map<QString, Value>*> handles_;
    Key lastHandle_ = 0;
};

QByteArray bytes(std::initializer_list<unsigned char> list) {
    QByteArray b;
    for (unsigned char c : list) {
        b.append(static_cast<char>(c));
    }
    return b;
}

}  // namespace

TEST(RegistryValue, StringsNumbersOtherTypesAndFailures) {
    FakeRegistry reg;
    const QString key = QStringLiteral("SOFTWARE\\Vendor");
    reg.set(kLocalMachine, key, QStringLiteral("WithNul"), kRegString,
            QByteArray("C:\\Tools\\info.exe\0", 18));
    reg.set(kLocalMachine, key, QStringLiteral("NoNul"), kRegString, QByteArray("C:\\Tools"));
    reg.set(kLocalMachine, key, QStringLiteral("Empty"), kRegString, QByteArray("\0", 1));
    reg.set(kLocalMachine, key, QStringLiteral("Number"), kRegNumber32, bytes({0x01, 0x0C, 0xAB, 0x12}));
    reg.set(kLocalMachine, key, QStringLiteral("Zeros"), kRegNumber32, bytes({0x02, 0xFF, 0x00, 0x01}));
    reg.set(kLocalMachine, key, QStringLiteral("Binary"), kRegBinary, bytes({0xDE, 0xAD}));
    reg.set(kLocalMachine, key, QStringLiteral("Huge"), kRegString, QByteArray(kRegValueBuffer + 1, 'x'));

    QString val = QStringLiteral("before");
    EXPECT_TRUE(GetKeyValue(reg, kLocalMachine, key, QStringLiteral("WithNul"), val));
    EXPECT_EQ(val, QStringLiteral("C:\\Tools\\info.exe"));
    EXPECT_TRUE(GetKeyValue(reg, kLocalMachine, key, QStringLiteral("NoNul"), val));
    EXPECT_EQ(val, QStringLiteral("C:\\Tools"));
    EXPECT_TRUE(GetKeyValue(reg, kLocalMachine, key, QStringLiteral("Empty"), val));
    EXPECT_EQ(val, QString());

    // Numbers: the bytes' codes from the last to the first, each without leading zeros.
    EXPECT_TRUE(GetKeyValue(reg, kLocalMachine, key, QStringLiteral("Number"), val));
    EXPECT_EQ(val, QStringLiteral("&h12ABC1"));
    EXPECT_TRUE(GetKeyValue(reg, kLocalMachine, key, QStringLiteral("Zeros"), val));
    EXPECT_EQ(val, QStringLiteral("&h10FF2"));

    // Another type is read but leaves the text as it was.
    val = QStringLiteral("kept");
    EXPECT_TRUE(GetKeyValue(reg, kLocalMachine, key, QStringLiteral("Binary"), val));
    EXPECT_EQ(val, QStringLiteral("kept"));

    // Failures empty the text: a missing value, a value beyond the buffer, a missing key, another root.
    for (const auto& [k, name, root] :
         {std::tuple{key, QStringLiteral("Missing"), kLocalMachine},
          std::tuple{key, QStringLiteral("Huge"), kLocalMachine},
          std::tuple{QStringLiteral("SOFTWARE\\Nobody"), QStringLiteral("NoNul"), kLocalMachine},
          std::tuple{key, QStringLiteral("NoNul"), 0x80000001u}}) {
        val = QStringLiteral("stale");
        EXPECT_FALSE(GetKeyValue(reg, root, k, name, val)) << name.toStdString();
        EXPECT_TRUE(val.isEmpty()) << name.toStdString();
    }
    EXPECT_EQ(reg.openKeys(), 0u) << "every opened key is closed again";
}

TEST(SystemInfo, FirstLocationThenSecondWithItsProgramElseTheMessage) {
    const QString tool = QStringLiteral("C:\\Program Files\\Common Files\\msinfo32.exe");
    const QString folder = QStringLiteral("C:\\Program Files\\Common Files\\MSInfo");
    const QString inFolder = folder + QStringLiteral("\\MSINFO32.EXE");
    QSet<QString> files;
    const FileExists exists = [&files](const QString& path) { return files.contains(path); };

    auto unavailableShown = [](const ScriptedPrompts& prompts) {
        const auto messages = eventsOf(prompts.transcript(), QStringLiteral("message"));
        return messages.size() == 1 && messages[0].value(QStringLiteral("text")).toString() == kUnavailable &&
               messages[0].value(QStringLiteral("icon")).toString() == QStringLiteral("none") &&
               messages[0].value(QStringLiteral("buttons")).toString() == QStringLiteral("ok") &&
               messages[0].value(QStringLiteral("title")).toString() == aboutInfo().title;
    };
    auto started = [](const ScriptedPrompts& prompts) {
        QStringList paths;
        for (const auto& e : eventsOf(prompts.transcript(), QStringLiteral("start-program"))) {
            paths << e.value(QStringLiteral("path")).toString();
        }
        return paths;
    };

    {  // First location present: started from it, the second is never looked at.
        FakeRegistry reg;
        reg.setString(kPathKey, QStringLiteral("PATH"), tool.toLocal8Bit());
        reg.setString(kFolderKey, QStringLiteral("MSINFO"), folder.toLocal8Bit());
        files << inFolder;
        ScriptedPrompts prompts;
        prompts.programStarter = [](const QString&) { return true; };
        StartSysInfo(reg, exists, prompts);
        EXPECT_EQ(started(prompts), QStringList{tool});
        EXPECT_TRUE(eventsOf(prompts.transcript(), QStringLiteral("message")).empty());
        EXPECT_FALSE(reg.asked.contains(kFolderKey));

        // The program cannot be started: the message.
        ScriptedPrompts failing;
        failing.programStarter = [](const QString&) { return false; };
        StartSysInfo(reg, exists, failing);
        EXPECT_TRUE(unavailableShown(failing));
        EXPECT_EQ(reg.openKeys(), 0u);
    }
    {  // Only the second location: its folder's MSINFO32.EXE when it exists, else the message.
        FakeRegistry reg;
        reg.setString(kFolderKey, QStringLiteral("MSINFO"), folder.toLocal8Bit());
        files = {inFolder};
        ScriptedPrompts prompts;
        prompts.programStarter = [](const QString&) { return true; };
        StartSysInfo(reg, exists, prompts);
        EXPECT_EQ(started(prompts), QStringList{inFolder});
        EXPECT_TRUE(eventsOf(prompts.transcript(), QStringLiteral("message")).empty());

        files.clear();
        ScriptedPrompts missing;
        missing.programStarter = [](const QString&) { return true; };
        StartSysInfo(reg, exists, missing);
        EXPECT_TRUE(started(missing).isEmpty());
        EXPECT_TRUE(unavailableShown(missing));
    }
    {  // No registry values at all (any machine without the tool).
        FakeRegistry reg;
        ScriptedPrompts prompts;
        StartSysInfo(reg, exists, prompts);
        EXPECT_TRUE(started(prompts).isEmpty());
        EXPECT_TRUE(unavailableShown(prompts));
        EXPECT_EQ(reg.asked, (QStringList{kPathKey, kFolderKey}));
    }
}

TEST(AboutBox, LoadsVersionInformationAndOffersLinkAndSystemInfo) {
    test::WizardFixture f;
    FormModel& dlg = f.wizard->dialog(ctl::frmAbout);
    f.wizard->click(ctl::mnuAbout);
    EXPECT_TRUE(f.wizard->isDialogOpen(ctl::frmAbout));
    EXPECT_EQ(eventSummary(f.prompts.transcript()), QStringList{QStringLiteral("show frmAbout")});

    EXPECT_EQ(dlg.caption(ctl::frmAbout), QStringLiteral("About Torvel"));
    const int color = dlg.color(ctl::frmAbout);
    EXPECT_EQ(color & 0xFF, 110);
    EXPECT_EQ((color >> 8) & 0xFF, 130);
    EXPECT_EQ((color >> 16) & 0xFF, 190);
    EXPECT_EQ(color >> 24, 0);
    EXPECT_EQ(dlg.caption(ctl::lblTitle), QStringLiteral("Torvel"));
    EXPECT_EQ(dlg.caption(ctl::lblVersion), QStringLiteral("Version ") + QString::fromUtf8(version::text));
    EXPECT_EQ(dlg.caption(ctl::lblDescription), QString::fromUtf8(version::description));
    EXPECT_FALSE(dlg.caption(ctl::lblDescription).isEmpty());
    const QString address = QString::fromUtf8(version::webAddress);
    EXPECT_EQ(dlg.caption(ctl::lblCompany), address);
    EXPECT_TRUE(dlg.caption(ctl::lblCopyright).startsWith(QStringLiteral("Copyright")));
    EXPECT_EQ(dlg.caption(ctl::ZelBText1), address);
    EXPECT_EQ(dlg.get(ctl::ZelBText1).tooltip, QStringLiteral("visit ") + address);
    EXPECT_EQ(dlg.get(ctl::cmdOK).tooltip, QStringLiteral("Close window"));
    EXPECT_EQ(dlg.get(ctl::cmdSysInfo).tooltip, QStringLiteral("display system information"));

    AboutInfo later = aboutInfo();
    later.revision = 15;
    EXPECT_EQ(versionText(later), QStringLiteral("Version %1.%2.15").arg(later.major).arg(later.minor));

    f.prompts.clearTranscript();
    f.wizard->click(QStringLiteral("frmAbout.ZelBText1"));
    const auto urls = eventsOf(f.prompts.transcript(), QStringLiteral("open-url"));
    ASSERT_EQ(urls.size(), 1u);
    EXPECT_EQ(urls[0].value(QStringLiteral("url")).toString(), address);

#ifndef Q_OS_WIN
    // Without a registry System Info only tells that it is unavailable; the dialog stays open.
    f.prompts.clearTranscript();
    f.wizard->click(QStringLiteral("frmAbout.cmdSysInfo"));
    EXPECT_EQ(eventSummary(f.prompts.transcript()), QStringList{QStringLiteral("message ") + kUnavailable});
    EXPECT_EQ(eventsOf(f.prompts.transcript())[0].value(QStringLiteral("title")).toString(),
              QStringLiteral("Torvel"));
    EXPECT_TRUE(f.wizard->isDialogOpen(ctl::frmAbout));
#endif

    f.prompts.clearTranscript();
    f.wizard->click(QStringLiteral("frmAbout.cmdOK"));
    EXPECT_FALSE(f.wizard->isDialogOpen(ctl::frmAbout));
    EXPECT_EQ(eventSummary(f.prompts.transcript()), QStringList{QStringLiteral("close frmAbout")});
}
