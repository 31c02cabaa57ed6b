// SPDX-License-Identifier: MIT
// The Squadron dialog over a real membership: settings in the player's real settings file (in a
// folder of this run's own), the password in a keyring of the test's, answers on this thread.
#include "logbook/squadron_dialog.h"
#include "squadron/membership.h"
#include "support/temp_folder.h"
#include "ui/headless/headless_host.h"
#include "ui/qt/player_settings.h"
#include "ui/runtime.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <sstream>
#include <thread>

namespace {

const std::string kPassword = "Tr1cky:pass\\word";

// The player's settings file, as the game keeps it.
class SettingsHost : public ui::headless::HeadlessHost {
public:
    SettingsHost() : HeadlessHost(transcript) {}
    std::optional<std::string> setting(const std::string& key) override {
        const QVariant v = ui::qt::playerSetting(QString::fromStdString(key));
        if (!v.isValid()) return std::nullopt;
        return v.toString().toStdString();
    }
    void saveSetting(const std::string& key, const std::string& value) override {
        ui::qt::keepPlayerSetting(QString::fromStdString(key), QString::fromStdString(value));
    }
    std::ostringstream transcript;
};

std::string settingsFile() {
    std::ifstream in(qEnvironmentVariable("XDG_CONFIG_HOME").toStdString() +
                     "/Vantrel/Vantrel.conf");
    return {std::istreambuf_iterator<char>(in), {}};
}

struct FakeKeyring : squadron::Keyring {
    std::map<std::string, std::string> kept;
    void read(const std::string& key,
              std::function<void(std::optional<std::string>, const std::string&)> done) override {
        auto it = kept.find(key);
        done(it == kept.end() ? std::nullopt : std::optional(it->second), {});
    }
    void write(const std::string& key, const std::string& password,
               std::function<void(const std::string&)> done) override {
        kept[key] = password;
        done({});
    }
    void remove(const std::string& key, std::function<void(const std::string&)> done) override {
        kept.erase(key);
        done({});
    }
};

struct Fixture {
    TempFolder folder;
    SettingsHost host;
    ui::Runtime runtime{host};
    std::unique_ptr<SquadronDialog> dialog;
    std::unique_ptr<squadron::Membership> membership;

    // The game started afresh: a new membership from what the last one left behind.
    void restart(squadron::Keyring* keyring) {
        dialog.reset();
        membership =
            std::make_unique<squadron::Membership>(host, folder.file("logbook.db"), keyring);
        membership->start();
        dialog = buildSquadronDialog(runtime);
        connectSquadronDialog(*dialog, *membership);
    }
    // Socket folders that hold no server, so that a link gives up at once.
    std::string server() const { return folder.file("no-server"); }
    void typeIn(std::initializer_list<std::pair<ui::TextBox*, std::string>> fields) {
        for (auto& [box, text] : fields)
            runtime.type(*box, text);
    }
};

} // namespace

TEST(SquadronDialog, okRemembersTheSettingsAndKeepsThePasswordInTheKeyringAlone) {
    Fixture f;
    FakeKeyring keyring;
    f.restart(&keyring);
    SquadronDialog& d = *f.dialog;
    EXPECT_FALSE(d.lblKeyring->visible());
    EXPECT_FALSE(d.cmdLeave->enabled());
    f.runtime.choose(*d.cboTlsMode, 2);
    f.typeIn({{d.txtServer, f.server()},
              {d.txtPort, "5433"},
              {d.txtDatabase, "squadron"},
              {d.txtTrainee, "alice"},
              {d.txtPassword, kPassword}});
    EXPECT_FALSE(d.cboTlsMode->enabled()) << "TLS does not apply to a socket folder";
    f.runtime.click(*d.cmdOK);

    const std::string file = settingsFile();
    EXPECT_NE(file.find("alice"), std::string::npos);
    EXPECT_NE(file.find("require"), std::string::npos);
    EXPECT_EQ(file.find("Tr1cky"), std::string::npos) << file;
    EXPECT_EQ(keyring.kept, (std::map<std::string, std::string>{
                                {"alice@" + f.server() + ":5433/squadron", kPassword}}));
    EXPECT_EQ(f.host.transcript.str().find("Tr1cky"), std::string::npos);

    // The next run fills the dialog from the settings and finds the password in the keyring.
    f.restart(&keyring);
    EXPECT_TRUE(f.membership->passwordKnown());
    EXPECT_NE(f.membership->link(), nullptr);
    EXPECT_EQ(f.dialog->txtServer->text(), f.server());
    EXPECT_EQ(f.dialog->txtTrainee->text(), "alice");
    EXPECT_EQ(f.dialog->cboTlsMode->listIndex(), 2);
    EXPECT_EQ(f.dialog->txtPassword->text(), "");

    // Leave asks first: Cancel keeps the squadron, OK forgets it, the password with it.
    f.host.queueAnswer(ui::msgbox::cancel);
    f.runtime.click(*f.dialog->cmdLeave);
    EXPECT_TRUE(f.membership->settings().joined());
    f.host.queueAnswer(ui::msgbox::ok);
    f.runtime.click(*f.dialog->cmdLeave);
    EXPECT_FALSE(f.membership->settings().joined());
    EXPECT_EQ(f.membership->link(), nullptr);
    EXPECT_TRUE(keyring.kept.empty());
    EXPECT_EQ(f.dialog->txtServer->text(), "");
    EXPECT_EQ(settingsFile().find("alice"), std::string::npos);
}

TEST(SquadronDialog, withoutAKeyringThePasswordLastsOneRun) {
    Fixture f;
    qputenv("PGPASSFILE", f.folder.file("none").c_str());
    f.restart(nullptr);
    EXPECT_TRUE(f.dialog->lblKeyring->visible());
    EXPECT_NE(f.dialog->lblKeyring->caption().find("No keyring"), std::string::npos);
    f.membership->join({f.server(), "", "", "bob", "verify-full", ""}, kPassword);
    EXPECT_TRUE(f.membership->passwordKnown());
    f.restart(nullptr);
    EXPECT_FALSE(f.membership->passwordKnown());
    // libpq's own password file still serves.
    std::ofstream(f.folder.file("pgpass")) << "localhost:5432:*:bob:x\n";
    qputenv("PGPASSFILE", f.folder.file("pgpass").c_str());
    EXPECT_TRUE(f.membership->passwordKnown());
    EXPECT_EQ(settingsFile().find("Tr1cky"), std::string::npos);
}

TEST(SquadronMembership, settingsBecomeLibpqKeywordsWithTlsOnlyOverTheNetwork) {
    using S = squadron::Settings;
    const struct {
        logbook::SquadronSettings settings;
        std::optional<std::string> password;
        S expected;
    } cases[] = {
        {{"/run/pg", "", "", "ann", "verify-full", "/ca.crt"},
         "",
         {{"host", "/run/pg"}, {"user", "ann"}, {"connect_timeout", "8"}}},
        {{"sar.org", "5433", "sq", "ann", "", ""},
         "pw",
         {{"host", "sar.org"},
          {"port", "5433"},
          {"dbname", "sq"},
          {"user", "ann"},
          {"password", "pw"},
          {"sslmode", "verify-full"},
          {"connect_timeout", "8"}}},
        {{"10.0.0.1", "", "sq", "ann", "prefer", "/ca.crt"},
         std::nullopt,
         {{"host", "10.0.0.1"},
          {"dbname", "sq"},
          {"user", "ann"},
          {"sslmode", "prefer"},
          {"sslrootcert", "/ca.crt"},
          {"connect_timeout", "8"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(squadron::connectionSettings(c.settings, c.password), c.expected)
            << c.settings.server;
}

TEST(SquadronMembership, aTestAnswersOnTheCallersThreadThroughItsEventLoop) {
    Fixture f;
    f.restart(nullptr);
    std::optional<std::pair<bool, std::string>> answer;
    std::thread::id answeredOn;
    f.membership->test({f.server(), "", "sq", "ann", "verify-full", ""}, kPassword,
                       [&](bool ok, const std::string& words) {
                           answer.emplace(ok, words);
                           answeredOn = std::this_thread::get_id();
                       });
    EXPECT_FALSE(answer) << "the caller never waits for the server";
    QElapsedTimer waited;
    waited.start();
    while (!answer && waited.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    ASSERT_TRUE(answer);
    EXPECT_FALSE(answer->first);
    EXPECT_FALSE(answer->second.empty());
    EXPECT_EQ(answer->second.find("Tr1cky"), std::string::npos);
    EXPECT_EQ(answeredOn, std::this_thread::get_id());
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // The player's settings file of this run alone, before anything reads it.
    const TempFolder config;
    qputenv("XDG_CONFIG_HOME", config.path.c_str());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
