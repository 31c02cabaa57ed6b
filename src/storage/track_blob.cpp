// SPDX-License-Identifier: MIT
#include "storage/track_blob.h"

#include <cstdint>

namespace storage {

namespace {

void putInt16(char*& out, std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    *out++ = static_cast<char>(bits & 0xff);
    *out++ = static_cast<char>(bits >> 8);
}

std::int16_t takeInt16(const char*& in) {
    const auto low = static_cast<std::uint8_t>(*in++);
    const auto high = static_cast<std::uint8_t>(*in++);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
}

} // namespace

QByteArray packTrack(const std::vector<logbook::TrackPoint>& track) {
    QByteArray blob(static_cast<qsizetype>(track.size()) * kTrackPointBytes, '\0');
    char* out = blob.data();
    for (const auto& point : track) {
        putInt16(out, point.x);
        putInt16(out, point.y);
        putInt16(out, point.heading);
        putInt16(out, point.speedStep);
    }
    return blob;
}

std::vector<logbook::TrackPoint> unpackTrack(const QByteArray& blob) {
    std::vector<logbook::TrackPoint> track(
        static_cast<std::size_t>(blob.size() / kTrackPointBytes));
    const char* in = blob.constData();
    for (auto& point : track) {
        point.x = takeInt16(in);
        point.y = takeInt16(in);
        point.heading = takeInt16(in);
        point.speedStep = takeInt16(in);
    }
    return track;
}

} // namespace storage
