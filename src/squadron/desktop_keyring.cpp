// SPDX-License-Identifier: MIT
#include "squadron/keyring.h"

#include <filesystem>
#include <qt6keychain/keychain.h>

namespace squadron {

namespace {

constexpr const char* kService = "Vantrel";

std::string problemOf(const QKeychain::Job& job) {
    if (job.error() == QKeychain::NoError) return {};
    return "The keyring failed: " + job.errorString().toStdString();
}

// Jobs delete themselves once they have answered.
template <class J>
J* newJob(const std::string& key) {
    auto* job = new J(QString::fromLatin1(kService));
    job->setAutoDelete(true);
    // Never a file of settings in place of the keyring.
    job->setInsecureFallback(false);
    job->setKey(QString::fromStdString(key));
    return job;
}

class DesktopKeyring : public Keyring {
public:
    void read(const std::string& key,
              std::function<void(std::optional<std::string>, const std::string&)> done) override {
        auto* job = newJob<QKeychain::ReadPasswordJob>(key);
        QObject::connect(job, &QKeychain::Job::finished,
                         [done = std::move(done)](QKeychain::Job* j) {
                             auto* read = static_cast<QKeychain::ReadPasswordJob*>(j);
                             if (read->error() == QKeychain::EntryNotFound)
                                 return done(std::nullopt, {});
                             if (read->error() != QKeychain::NoError)
                                 return done(std::nullopt, problemOf(*read));
                             done(read->textData().toStdString(), {});
                         });
        job->start();
    }

    void write(const std::string& key, const std::string& password,
               std::function<void(const std::string&)> done) override {
        auto* job = newJob<QKeychain::WritePasswordJob>(key);
        job->setTextData(QString::fromStdString(password));
        QObject::connect(job, &QKeychain::Job::finished,
                         [done = std::move(done)](QKeychain::Job* j) { done(problemOf(*j)); });
        job->start();
    }

    void remove(const std::string& key, std::function<void(const std::string&)> done) override {
        auto* job = newJob<QKeychain::DeletePasswordJob>(key);
        QObject::connect(
            job, &QKeychain::Job::finished, [done = std::move(done)](QKeychain::Job* j) {
                done(j->error() == QKeychain::EntryNotFound ? std::string() : problemOf(*j));
            });
        job->start();
    }
};

} // namespace

std::unique_ptr<Keyring> makeDesktopKeyring() {
    // Without a session bus no keyring can answer: better to say so at once than after a job.
    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") &&
        (runtimeDir.isEmpty() || !std::filesystem::exists(runtimeDir.toStdString() + "/bus")))
        return nullptr;
    return std::make_unique<DesktopKeyring>();
}

} // namespace squadron
