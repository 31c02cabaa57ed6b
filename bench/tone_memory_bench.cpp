// SPDX-License-Identifier: MIT
// vantrel-bench-tone-memory: the peak resident memory of a process that hands one tone file to
// the sound player, beside one that hands it none: the game's own tone, the largest file that
// is still played, and a 1.5 GB file that is refused. Each figure comes from a fresh process.
//   vantrel-bench-tone-memory [--hold MS]
// --hold: how long each process runs its events after handing the file over (default 1500).
#include "assets/tone/elt_tone.h"
#include "options.h"
#include "process_usage.h"
#include "sound/sound_player.h"
#include "sound/wave_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

namespace {

void write(const QString& path, const std::vector<std::uint8_t>& bytes, std::uintmax_t size) {
    std::ofstream(path.toStdString(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    // The rest of a file larger than its bytes is a hole: silence, taking no room on disk.
    std::filesystem::resize_file(path.toStdString(), size);
}

// A 16-bit mono wave file of `size` bytes in all, its data chunk saying so.
std::vector<std::uint8_t> header(std::uintmax_t size) {
    auto bytes = assets::waveFile({}, assets::EltTone::sampleRate);
    const auto data = static_cast<std::uint32_t>(std::min<std::uintmax_t>(size - 44, 0xfffffff0));
    for (int b = 0; b < 4; ++b) {
        bytes[40 + b] = static_cast<std::uint8_t>(data >> (8 * b));
        bytes[4 + b] = static_cast<std::uint8_t>((data + 36) >> (8 * b));
    }
    return bytes;
}

int child(const QString& file, int holdMs) {
    ui::qt::SoundPlayer player;
    if (!file.isEmpty()) player.open(file.toStdString());
    QEventLoop loop;
    QTimer::singleShot(holdMs, &loop, &QEventLoop::quit);
    loop.exec();
    std::printf("%ld\n", bench::processUsage().peakResidentKb);
    return 0;
}

long peakKb(const QString& file, int holdMs) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QCoreApplication::applicationFilePath(),
            {"--child", file.isEmpty() ? QStringLiteral("-") : file, "--hold",
             QString::number(holdMs)});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return -1;
    return p.readAllStandardOutput().trimmed().toLong();
}

} // namespace

int main(int argc, char** argv) {
    bench::checkOptions(argc, argv,
                        "usage: vantrel-bench-tone-memory [--hold MS]\n"
                        "Measures the peak memory of a process playing sound files.\n",
                        {"--hold", "--child"});
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int holdMs = bench::intOption(args, "--hold", 1500);
    if (args.contains("--child")) {
        const QString file = bench::wordOption(args, "--child");
        return child(file == "-" ? QString() : file, holdMs);
    }

    QTemporaryDir dir;
    const QString tone = dir.filePath("tone.wav"), largest = dir.filePath("largest.wav"),
                  huge = dir.filePath("huge.wav");
    const auto toneBytes = assets::waveFile(assets::eltToneSamples(), assets::EltTone::sampleRate);
    write(tone, toneBytes, toneBytes.size());
    write(largest, header(ui::maxWaveFileBytes), ui::maxWaveFileBytes);
    write(huge, header(1'500'000'000), 1'500'000'000);

    const long none = peakKb({}, holdMs);
    std::printf("Peak resident memory (VmHWM) of a process with a sound player, %d ms after\n"
                "handing it the file, beside one handed nothing:\n",
                holdMs);
    std::printf("  %-44s %8.1f MB\n", "no file (baseline)", none / 1024.0);
    const std::pair<const char*, QString> cases[]{
        {"the game's tone (132 kB, played)", tone},
        {"the largest file played (4 MiB)", largest},
        {"a 1.5 GB file (refused)", huge},
    };
    for (const auto& [name, path] : cases) {
        const long kb = peakKb(path, holdMs);
        std::printf("  %-44s %8.1f MB  (%+.1f MB)\n", name, kb / 1024.0, (kb - none) / 1024.0);
    }
    return 0;
}
