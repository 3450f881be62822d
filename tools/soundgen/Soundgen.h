#pragma once
#include <string>

namespace soundgen {

constexpr int kEffectSlotCount = 81;

// Renders every recipe of the effect file into wave_<resource>.wav files.
bool RenderEffects(const std::string& recipePath, const std::string& outDir, std::string& error,
                   std::string& report);

// Renders one song file (notes in text) into the WAVE or MIDI resource that
// its "output" line names.
bool RenderSong(const std::string& songPath, const std::string& outDir, std::string& error, std::string& report);

}  // namespace soundgen
