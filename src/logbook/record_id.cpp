// SPDX-License-Identifier: MIT
#include "logbook/record_id.h"

#include <cstdint>
#include <mutex>
#include <random>

namespace logbook {

std::string newRecordId() {
    // Seeded once from the system's entropy: random_device alone may be slow, and a generator
    // seeded from the clock would give two machines started together the same ids.
    static std::mutex guard;
    static std::mt19937_64 generator = [] {
        std::random_device device;
        std::seed_seq seed{device(), device(), device(), device(), device(), device()};
        return std::mt19937_64(seed);
    }();
    std::uint64_t high = 0, low = 0;
    {
        const std::lock_guard<std::mutex> lock(guard);
        high = generator();
        low = generator();
    }
    high = (high & ~std::uint64_t{0xf000}) | 0x4000;                      // version 4
    low = (low & ~(std::uint64_t{0xc} << 60)) | (std::uint64_t{8} << 60); // variant 10xx
    static const char digits[] = "0123456789abcdef";
    std::string id;
    id.reserve(36);
    const auto put = [&id](std::uint64_t bits, int from, int to) {
        for (int nibble = from; nibble > to; --nibble)
            id += digits[(bits >> (4 * (nibble - 1))) & 0xf];
    };
    put(high, 16, 8);
    id += '-';
    put(high, 8, 4);
    id += '-';
    put(high, 4, 0);
    id += '-';
    put(low, 16, 12);
    id += '-';
    put(low, 12, 0);
    return id;
}

} // namespace logbook
