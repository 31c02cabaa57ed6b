// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace ui {
class MultimediaControl;
}

// How the player hears the receiver: not at all, the tone once at every new reception, or the
// tone all the time, louder as the aircraft closes on the ELT.
enum class ReceiverAudio { Off, Classic, Continuous };

// The ELT's tone file, beside the program in `appPath`.
std::string eltToneFile(const std::string& appPath);

// Hands the tone to the sound device, to be played once from its start.
void startEltTone(ui::MultimediaControl& player, const std::string& toneFile);

// Loops the tone at the loudness the signal `strength` gives: silent where the ELT is not
// heard, full over it.
void loopEltTone(ui::MultimediaControl& player, const std::string& toneFile, float strength);

// Stops a looping tone.
void silenceEltTone(ui::MultimediaControl& player);
