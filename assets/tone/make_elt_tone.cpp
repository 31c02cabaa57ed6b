// SPDX-License-Identifier: MIT
// make-elt-tone FILE: writes the ELT's tone as a wave file (run by the build).
#include "elt_tone.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make-elt-tone FILE\n";
        return 2;
    }
    const auto bytes = assets::waveFile(assets::eltToneSamples(), assets::EltTone::sampleRate);
    std::ofstream file(argv[1], std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        std::cerr << "make-elt-tone: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
