#include "tests/support/soundfont_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <utility>

namespace sound_files {

namespace {

constexpr int kFrames = 2000;
constexpr int kSampleGuard = 46;  // zero frames the format asks for after each sample
constexpr int kInstrumentGenerator = 41;
constexpr int kSampleGenerator = 53;

// Little-endian fields, each a value and its width in bytes.
std::string Fields(std::initializer_list<std::pair<std::uint32_t, int>> fields) {
    std::string out;
    for (const auto& [value, bytes] : fields)
        for (int i = 0; i < bytes; ++i) out.push_back(char(value >> (8 * i) & 0xFF));
    return out;
}

std::string Name(const std::string& name) {
    return name + std::string(20 - name.size(), '\0');
}

std::string Chunk(const std::string& id, const std::string& body) {
    return id + Fields({{std::uint32_t(body.size()), 4}}) + body;
}

std::string List(const std::string& type, const std::string& chunks) {
    return Chunk("LIST", type + chunks);
}

// Library, genre and morphology follow the bag, unused.
std::string PresetHeader(const std::string& name, int program, int bank, int bag) {
    return Name(name) + Fields({{program, 2}, {bank, 2}, {bag, 2}, {0, 4}, {0, 4}, {0, 4}});
}

// A bag's first generator, and no modulators; or a generator's operation and amount.
std::string Pair(int first, int second = 0) {
    return Fields({{first, 2}, {second, 2}});
}

std::string InstrumentHeader(const std::string& name, int bag) {
    return Name(name) + Fields({{bag, 2}});
}

// Start, end, loop start and end, rate; original key, pitch correction, link and type.
std::string SampleHeader(const std::string& name, int end, int type) {
    return Name(name) + Fields({{0, 4}, {end, 4}, {8, 4}, {std::max(end - 8, 0), 4}, {44100, 4}}) +
           Fields({{60, 1}, {0, 1}, {0, 2}, {type, 2}});
}

}  // namespace

std::string MakeSoundfont() {
    std::string samples;
    for (int i = 0; i < kFrames; ++i) {
        const double tone = 8000 * std::sin(2 * std::numbers::pi * 441 * i / 44100);
        samples += Fields({{std::uint16_t(std::lround(tone)), 2}});
    }
    samples.append(2 * kSampleGuard, '\0');

    const std::string info =
        List("INFO", Chunk("ifil", Pair(2, 1)) + Chunk("isng", std::string("EMU8000\0", 8)) +
                         Chunk("INAM", std::string("Test\0\0", 6)));
    const std::string sdta = List("sdta", Chunk("smpl", samples));
    const std::string noModulators(10, '\0');
    const std::string pdta =
        List("pdta",
             Chunk("phdr", PresetHeader("Piano", 0, 0, 0) + PresetHeader("Kit", 0, 128, 1) +
                               PresetHeader("EOP", 0, 0, 2)) +
                 Chunk("pbag", Pair(0) + Pair(1) + Pair(2)) + Chunk("pmod", noModulators) +
                 Chunk("pgen", Pair(kInstrumentGenerator) + Pair(kInstrumentGenerator) + Pair(0)) +
                 Chunk("inst", InstrumentHeader("Sine", 0) + InstrumentHeader("EOI", 1)) +
                 Chunk("ibag", Pair(0) + Pair(1)) + Chunk("imod", noModulators) +
                 Chunk("igen", Pair(kSampleGenerator) + Pair(0)) +
                 Chunk("shdr", SampleHeader("Sine", kFrames, 1) + SampleHeader("EOS", 0, 0)));
    return Chunk("RIFF", "sfbk" + info + sdta + pdta);
}

}  // namespace sound_files
