// SPDX-License-Identifier: MIT
#include "storage/background_writer.h"

#include <chrono>

namespace storage {

BackgroundWriter::BackgroundWriter(std::string path, SqliteOptions options)
    : path_(std::move(path)), options_(options), worker_(new QObject) {
    thread_.setObjectName(QStringLiteral("logbook writer"));
    worker_->moveToThread(&thread_);
    thread_.start();
    delay_.setSingleShot(true);
    QObject::connect(&delay_, &QTimer::timeout, &context_, [this] { launch(); });
}

BackgroundWriter::~BackgroundWriter() {
    delay_.stop();
    // The connection is closed on the thread that opened it, after any try under way.
    QMetaObject::invokeMethod(
        worker_, [this] { store_.reset(); }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
    delete worker_;
}

void BackgroundWriter::start(std::vector<logbook::SearchRecord> held, int delayMs,
                             std::function<void()> finished) {
    waiting_ = std::move(held);
    finished_ = std::move(finished);
    running_ = {};
    if (delayMs > 0)
        delay_.start(delayMs);
    else
        launch();
}

void BackgroundWriter::launch() {
    auto promise = std::make_shared<std::promise<logbook::Attempt>>();
    running_ = promise->get_future();
    QMetaObject::invokeMethod(
        worker_,
        [this, promise, held = std::move(waiting_), finished = finished_]() mutable {
            if (replaced_.exchange(false)) store_.reset();
            if (!store_) {
                store_ = std::make_unique<SqliteStore>(path_, options_);
                store_->open(); // what it finds shows again at the write
            }
            promise->set_value(logbook::writeHeld(*store_, std::move(held)));
            if (finished) QMetaObject::invokeMethod(&context_, finished, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
    waiting_.clear();
}

std::optional<logbook::Attempt> BackgroundWriter::result(int waitMs) {
    if (waitMs > 0 && delay_.isActive()) {
        delay_.stop();
        launch();
    }
    if (!running_.valid() ||
        running_.wait_for(std::chrono::milliseconds(waitMs)) != std::future_status::ready)
        return std::nullopt;
    return running_.get();
}

} // namespace storage
