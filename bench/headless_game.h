// SPDX-License-Identifier: MIT
#pragma once

#include "game/game.h"
#include "ui/headless/headless_host.h"
#include "ui/runtime.h"

#include <ostream>
#include <streambuf>

namespace bench {

// A stream buffer that keeps nothing: the host still writes every transcript line in full.
struct NullBuffer : std::streambuf {
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// A started game on the host without a display, its transcript thrown away.
struct HeadlessGame {
    HeadlessGame() { game.start(); }

    NullBuffer nothing;
    std::ostream out{&nothing};
    ui::headless::HeadlessHost host{out};
    ui::Runtime runtime{host};
    Game game{runtime};
};

} // namespace bench
