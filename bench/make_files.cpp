// Writes the files bench/peers plays into a folder: a busy and a dense one-minute song and a
// tone, and in its subfolder "keys" one-note songs on different instruments.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "bench/song_generator.h"
#include "tests/support/sound_files.h"

namespace {

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: bench_make_files FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];
    WriteFile(folder + "/busy.mid", audio_bench::MakeBusySong(60));
    WriteFile(folder + "/dense.mid", audio_bench::MakeDenseSong(60));
    WriteFile(folder + "/tone.wav", sound_files::MakeWave({.frames = 44100 * 5}));
    std::filesystem::create_directories(folder + "/keys");
    for (int program : {0, 11, 19, 24, 32, 40, 56, 73})
        WriteFile(folder + "/keys/note " + std::to_string(program) + ".mid",
                  audio_bench::MakeOneNoteSong(program));
    std::cout << folder << "/busy.mid\n" << folder << "/dense.mid\n" << folder << "/tone.wav\n";
    return 0;
}
