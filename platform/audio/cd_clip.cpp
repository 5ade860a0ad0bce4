// An audio CD as one clip covering the whole disc. Each voice reads its sectors on a thread
// of its own into a ring the audio thread copies from: reading a drive may take a second
// to spin up, and the mix must never wait for it. A sector not read in time plays as silence.
#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "platform/audio/cd_audio.h"
#include "platform/audio/cd_source.h"
#include "platform/audio/cue_image.h"
#include "platform/audio/engine.h"
#include "platform/audio/spsc_ring.h"

namespace audio {

namespace {

// About a second and a quarter of sound ahead of the mix, kept as the disc holds it: a
// playing disc holds a quarter of a megabyte, however many play.
constexpr std::size_t kRingSectors = 96;
constexpr auto kIdlePause = std::chrono::milliseconds(5);

struct Sector {
    std::uint64_t generation = 0;  // the seek it was read for
    std::int64_t number = 0;
    std::array<std::int16_t, 2 * kCdFramesPerSector> samples{};
};

// One producer (the reading thread) and one consumer (the audio thread). A voice starts
// reading at its span's start when it is cued; going round a loop bumps the generation, and
// sectors of an older one are skipped unplayed.
class CdVoice final : public Voice {
  public:
    CdVoice(std::string source, std::int64_t leadOut, const Span& span)
        : source_(std::move(source)),
          leadOut_(leadOut),
          loopStart_(span.loopStart),
          seekSector_(span.from / kCdFramesPerSector),
          frame_(span.from),
          reader_([this](std::stop_token stop) { ReadAhead(stop); }) {}

    std::unique_ptr<Voice> Cue(const Span& span) const override {
        return std::make_unique<CdVoice>(source_, leadOut_, span);
    }

    void Rewind() override {
        frame_ = loopStart_;
        ring_.Consume(ring_.Size());
        seekSector_.store(loopStart_ / kCdFramesPerSector, std::memory_order_relaxed);
        generation_.fetch_add(1, std::memory_order_release);
    }

    bool Render(float* stereo, int frames) override {
        const std::uint64_t generation = generation_.load(std::memory_order_relaxed);
        while (frames > 0) {
            const std::span<const Sector> sectors = ring_.Readable()[0];
            if (sectors.empty()) break;
            const Sector& sector = sectors.front();
            const std::int64_t first = sector.number * kCdFramesPerSector;
            if (sector.generation != generation || first + kCdFramesPerSector <= frame_) {
                ring_.Consume(1);
                continue;
            }
            const std::int64_t offset = std::max<std::int64_t>(frame_ - first, 0);
            const int count =
                static_cast<int>(std::min<std::int64_t>(frames, kCdFramesPerSector - offset));
            const std::int16_t* from = sector.samples.data() + 2 * offset;
            for (int i = 0; i < 2 * count; ++i) stereo[i] += float(from[i]) / 32768.0f;
            stereo += 2 * count;
            frames -= count;
            frame_ += count;
            if (offset + count == kCdFramesPerSector) ring_.Consume(1);
        }
        frame_ += frames;  // what was not read in time passes as silence
        return frames == 0;
    }

  private:
    void ReadAhead(const std::stop_token& stop) {
        CdSectorReader reader(source_);
        std::uint64_t generation = 0;
        std::int64_t next = seekSector_.load(std::memory_order_relaxed);
        reader.Seek(next);
        while (!stop.stop_requested()) {
            const std::uint64_t wanted = generation_.load(std::memory_order_acquire);
            if (wanted != generation) {
                generation = wanted;
                next = seekSector_.load(std::memory_order_relaxed);
                reader.Seek(next);
            }
            const std::span<Sector> free = ring_.Writable()[0];
            if (next >= leadOut_ || free.empty()) {
                std::this_thread::sleep_for(kIdlePause);
                continue;
            }
            Sector& sector = free.front();
            sector.generation = generation;
            sector.number = next++;
            if (const std::int16_t* samples = reader.Read())
                std::copy_n(samples, sector.samples.size(), sector.samples.begin());
            else
                sector.samples.fill(0);
            ring_.Commit(1);
        }
    }

    const std::string source_;
    const std::int64_t leadOut_;
    const std::int64_t loopStart_;
    SpscRing<Sector, kRingSectors> ring_;
    std::atomic<std::uint64_t> generation_{0};
    std::atomic<std::int64_t> seekSector_;
    std::int64_t frame_;   // consumer only
    std::jthread reader_;  // last: it starts once everything it uses exists
};

// The voice a CD player holds from its open: it only cues voices that read the disc.
class IdleCdVoice final : public Voice {
  public:
    IdleCdVoice(std::string source, std::int64_t leadOut)
        : source_(std::move(source)), leadOut_(leadOut) {}
    std::unique_ptr<Voice> Cue(const Span& span) const override {
        return std::make_unique<CdVoice>(source_, leadOut_, span);
    }
    bool Render(float*, int) override { return true; }
    void Rewind() override {}

  private:
    const std::string source_;
    const std::int64_t leadOut_;
};

class CdClip final : public Clip {
  public:
    CdClip(std::string source, std::int64_t leadOut)
        : source_(std::move(source)), leadOut_(leadOut) {}

    std::int64_t LengthMs() const override { return leadOut_ * 1000 / kCdSectorsPerSecond; }
    Line OutputLine() const override { return Line::Cd; }
    std::int64_t LengthFrames() const override { return leadOut_ * kCdFramesPerSector; }
    int SampleRate() const override { return kCdSampleRate; }
    std::unique_ptr<Voice> NewVoice() const override {
        return std::make_unique<IdleCdVoice>(source_, leadOut_);
    }

  private:
    const std::string source_;
    const std::int64_t leadOut_;
};

CdToc readLibcdioToc(CdIo_t* cdio) {
    CdToc toc;
    const track_t first = cdio_get_first_track_num(cdio);
    const track_t count = cdio_get_num_tracks(cdio);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0) return toc;
    for (track_t number = first; number < first + count; ++number) {
        const lsn_t start = cdio_get_track_lsn(cdio, number);
        const lsn_t last = cdio_get_track_last_lsn(cdio, number);
        if (start == CDIO_INVALID_LSN || last < start) return {};
        toc.tracks.push_back(CdTrack{number, start, last - start + 1,
                                     cdio_get_track_format(cdio, number) == TRACK_FORMAT_AUDIO});
    }
    toc.leadOut = cdio_get_track_lsn(cdio, CDIO_CDROM_LEADOUT_TRACK);
    if (toc.leadOut == CDIO_INVALID_LSN) return {};
    return toc;
}

// Empty when the source holds no disc.
CdToc readToc(const std::string& source) {
    if (const auto sheet = CueSheetFor(source)) {
        auto image = ReadCueImage(*sheet);
        return image ? std::move(image->toc) : CdToc{};
    }
    const CdioHandle cdio = OpenCdSource(source);
    if (!cdio) return {};
    const auto lock = LockLibcdio();
    return readLibcdioToc(cdio.get());
}

}  // namespace

CdLoadResult LoadCdAudio(const std::string& source) {
    std::error_code error;
    const auto kind = std::filesystem::status(source, error).type();
    if (kind == std::filesystem::file_type::not_found) return {nullptr, {}, CdError::NoDrive};
    const CdError unreadable =
        kind == std::filesystem::file_type::block ? CdError::NoDisc : CdError::NotADisc;
    CdToc toc = readToc(source);
    if (toc.tracks.empty()) return {nullptr, {}, unreadable};
    if (Engine::Shared().SampleRate() != kCdSampleRate) return {nullptr, {}, CdError::NoOutput};
    return {std::make_shared<CdClip>(source, toc.leadOut), std::move(toc), CdError::None};
}

std::vector<std::string> OpticalDrives() {
    std::vector<std::string> drives;
    const auto lock = LockLibcdio();
    char** names = cdio_get_devices(DRIVER_DEVICE);
    for (char** name = names; name && *name; ++name) drives.emplace_back(*name);
    cdio_free_device_list(names);
    return drives;
}

}  // namespace audio
