#include "tests/support/soundfont_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace sound_files {

namespace {

constexpr int kFrames = 2000;
constexpr int kSampleGuard = 46;  // zero frames the format asks for after each sample
constexpr int kInstrumentGenerator = 41;
constexpr int kSampleGenerator = 53;

void Put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(char(value >> (8 * i) & 0xFF));
}

void PutName(std::string& out, const std::string& name) {
    out += name;
    out.append(20 - name.size(), '\0');
}

std::string Chunk(const std::string& id, const std::string& body) {
    std::string out = id;
    Put(out, std::uint32_t(body.size()), 4);
    return out + body;
}

std::string List(const std::string& type, const std::string& chunks) {
    return Chunk("LIST", type + chunks);
}

std::string PresetHeader(const std::string& name, int program, int bank, int bag) {
    std::string out;
    PutName(out, name);
    Put(out, program, 2);
    Put(out, bank, 2);
    Put(out, bag, 2);
    Put(out, 0, 4);  // library, genre, morphology: unused
    Put(out, 0, 4);
    Put(out, 0, 4);
    return out;
}

std::string Bag(int generator) {
    std::string out;
    Put(out, generator, 2);
    Put(out, 0, 2);  // no modulators
    return out;
}

std::string Generator(int operation, int amount) {
    std::string out;
    Put(out, operation, 2);
    Put(out, amount, 2);
    return out;
}

std::string InstrumentHeader(const std::string& name, int bag) {
    std::string out;
    PutName(out, name);
    Put(out, bag, 2);
    return out;
}

std::string SampleHeader(const std::string& name, int end, int type) {
    std::string out;
    PutName(out, name);
    Put(out, 0, 4);                                    // start
    Put(out, std::uint32_t(end), 4);                   // end
    Put(out, 8, 4);                                    // loop start
    Put(out, std::uint32_t(std::max(end - 8, 0)), 4);  // loop end
    Put(out, 44100, 4);
    Put(out, 60, 1);  // original key
    Put(out, 0, 1);   // pitch correction
    Put(out, 0, 2);   // link
    Put(out, type, 2);
    return out;
}

}  // namespace

std::string MakeSoundfont() {
    std::string samples;
    for (int i = 0; i < kFrames; ++i)
        Put(samples,
            std::uint16_t(std::lround(8000 * std::sin(2 * std::numbers::pi * 441 * i / 44100))), 2);
    samples.append(2 * kSampleGuard, '\0');

    std::string version;
    Put(version, 2, 2);
    Put(version, 1, 2);
    const std::string info =
        List("INFO", Chunk("ifil", version) + Chunk("isng", std::string("EMU8000\0", 8)) +
                         Chunk("INAM", std::string("Test\0\0", 6)));
    const std::string sdta = List("sdta", Chunk("smpl", samples));
    const std::string noModulators(10, '\0');
    const std::string pdta = List(
        "pdta", Chunk("phdr", PresetHeader("Piano", 0, 0, 0) + PresetHeader("Kit", 0, 128, 1) +
                                  PresetHeader("EOP", 0, 0, 2)) +
                    Chunk("pbag", Bag(0) + Bag(1) + Bag(2)) + Chunk("pmod", noModulators) +
                    Chunk("pgen", Generator(kInstrumentGenerator, 0) +
                                      Generator(kInstrumentGenerator, 0) + Generator(0, 0)) +
                    Chunk("inst", InstrumentHeader("Sine", 0) + InstrumentHeader("EOI", 1)) +
                    Chunk("ibag", Bag(0) + Bag(1)) + Chunk("imod", noModulators) +
                    Chunk("igen", Generator(kSampleGenerator, 0) + Generator(0, 0)) +
                    Chunk("shdr", SampleHeader("Sine", kFrames, 1) + SampleHeader("EOS", 0, 0)));
    return Chunk("RIFF", "sfbk" + info + sdta + pdta);
}

}  // namespace sound_files
