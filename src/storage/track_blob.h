// SPDX-License-Identifier: MIT
#pragma once

#include "model/search_record.h"

#include <QByteArray>
#include <vector>

namespace storage {

// A track as the logbook file keeps it: per point four little-endian 16-bit integers (x, y,
// heading, speedStep), written byte by byte so that the file reads the same on any machine.
// A break in the track (a point the aircraft was put at) is a point of speed 0, as in memory.
inline constexpr int kTrackPointBytes = 8;

QByteArray packTrack(const std::vector<logbook::TrackPoint>& track);

// A blob whose length is not a whole number of points holds no track the logbook wrote: the
// partial point at its end is dropped.
std::vector<logbook::TrackPoint> unpackTrack(const QByteArray& blob);

} // namespace storage
