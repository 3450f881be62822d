// Build-time sound maker: turns the readable recipes and notes under
// data/sound into the game's WAVE and MIDI resources.
//   soundgen OUT_DIR DATA_DIR
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "Soundgen.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: soundgen OUT_DIR DATA_DIR\n");
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path out = argv[1], data = argv[2];
    std::error_code ec;
    fs::create_directories(out, ec);
    std::string error, report;
    if (!soundgen::RenderEffects((data / "effects.txt").string(), out.string(), error, report)) {
        std::fprintf(stderr, "soundgen: %s\n", error.c_str());
        return 1;
    }
    std::vector<fs::path> songs;
    for (const auto& entry : fs::directory_iterator(data)) {
        if (entry.path().extension() == ".song") songs.push_back(entry.path());
    }
    std::sort(songs.begin(), songs.end());
    for (const fs::path& song : songs) {
        if (!soundgen::RenderSong(song.string(), out.string(), error, report)) {
            std::fprintf(stderr, "soundgen: %s\n", error.c_str());
            return 1;
        }
    }
    std::FILE* f = std::fopen((out / "sounds.txt").string().c_str(), "w");
    if (f) {
        std::fputs(report.c_str(), f);
        std::fclose(f);
    }
    return 0;
}
