// SPDX-License-Identifier: MIT
#include "squadron/host_lookup.h"

#include <algorithm>
#include <arpa/inet.h>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <netdb.h>
#include <thread>

namespace squadron {

namespace {

// Shared with the lookup's thread, which may outlive the caller that gave up on it.
struct Lookup {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    std::vector<std::string> addresses;
};

std::vector<std::string> addressesOf(const std::string& name) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    std::vector<std::string> addresses;
    if (::getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0) return addresses;
    for (const addrinfo* a = found; a; a = a->ai_next) {
        char text[NI_MAXHOST];
        if (::getnameinfo(a->ai_addr, a->ai_addrlen, text, sizeof text, nullptr, 0,
                          NI_NUMERICHOST) == 0 &&
            std::find(addresses.begin(), addresses.end(), text) == addresses.end())
            addresses.emplace_back(text);
    }
    ::freeaddrinfo(found);
    return addresses;
}

} // namespace

bool needsLookUp(const std::string& host) {
    if (host.empty() || host.front() == '/' || host.find(',') != std::string::npos) return false;
    unsigned char address[sizeof(in6_addr)];
    return ::inet_pton(AF_INET, host.c_str(), address) != 1 &&
           ::inet_pton(AF_INET6, host.c_str(), address) != 1;
}

std::vector<std::string> lookUpHost(const std::string& name,
                                    std::chrono::steady_clock::time_point deadline,
                                    const std::atomic<bool>* abandon, bool& timedOut) {
    auto lookup = std::make_shared<Lookup>();
    std::thread([lookup, name] {
        auto addresses = addressesOf(name);
        std::lock_guard lock(lookup->mutex);
        lookup->addresses = std::move(addresses);
        lookup->finished = true;
        lookup->done.notify_all();
    }).detach();
    std::unique_lock lock(lookup->mutex);
    while (!lookup->finished && std::chrono::steady_clock::now() < deadline &&
           !(abandon && *abandon))
        lookup->done.wait_for(lock, std::chrono::milliseconds(100));
    timedOut = !lookup->finished;
    return lookup->addresses;
}

} // namespace squadron
