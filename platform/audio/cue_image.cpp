#include "platform/audio/cue_image.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/audio/cue_sheet_check.h"
#include "platform/core/ignoring_case.h"

namespace audio {

namespace {

constexpr int kAudioSectorBytes = 2 * 2 * kCdFramesPerSector;

// Sheets are checked plain first, so times are mm:ss:ff.
std::int64_t sectorsOf(const std::string& time) {
    return (std::stoi(time.substr(0, 2)) * 60 + std::stoi(time.substr(3, 2))) *
               kCdSectorsPerSecond +
           std::stoi(time.substr(6, 2));
}

int sectorBytesOf(const std::string& trackType) {
    if (text::EqualsIgnoringCase(trackType, "MODE1/2048")) return 2048;
    if (text::EqualsIgnoringCase(trackType, "CDG")) return 2448;
    if (trackType.ends_with("2336")) return 2336;
    return kAudioSectorBytes;
}

// A FILE line's name, quoted or a single word, and its type after it.
std::pair<std::string, std::string> fileNameAndType(std::istringstream& words) {
    words >> std::ws;
    std::string name;
    if (words.peek() == '"') {
        words.get();
        std::getline(words, name, '"');
    } else {
        words >> name;
    }
    std::string type;
    words >> type;
    return {name, type};
}

// Opens without blocking (a FIFO would wait for a writer) and keeps only a regular file.
int openRegular(const std::filesystem::path& file) {
    const int descriptor = open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return -1;
    struct stat status {};
    if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) return descriptor;
    close(descriptor);
    return -1;
}

std::int64_t fileBytes(const std::filesystem::path& file) {
    const int descriptor = openRegular(file);
    if (descriptor < 0) return -1;
    struct stat status {};
    fstat(descriptor, &status);
    close(descriptor);
    return status.st_size;
}

// Lays the sheet's files one after another on the disc, a PREGAP as silence before its track.
class Layout {
  public:
    explicit Layout(std::filesystem::path folder) : folder_(std::move(folder)) {}

    bool File(const std::string& name, const std::string& type) {
        if (!closeFile()) return false;
        if (!text::EqualsIgnoringCase(type, "BINARY") && !text::EqualsIgnoringCase(type, "MOTOROLA"))
            return false;
        image_.files.push_back(folder_ / name);
        image_.bigEndian.push_back(text::EqualsIgnoringCase(type, "MOTOROLA"));
        bytes_ = fileBytes(image_.files.back());
        sectorBytes_ = 0;
        fileSector_ = 0;
        return bytes_ >= 0;
    }

    bool Track(int number, const std::string& type) {
        const int bytes = sectorBytesOf(type);
        if (sectorBytes_ != 0 && bytes != sectorBytes_) return false;  // one size per file
        if (sectorBytes_ == 0) startSegment(0, bytes);
        image_.toc.tracks.push_back(CdTrack{number, -1, 0, text::EqualsIgnoringCase(type, "AUDIO")});
        return true;
    }

    void Pregap(std::int64_t sectors) { pregap_ += sectors; }

    bool Start(std::int64_t fileSector) {
        CdTrack& track = image_.toc.tracks.back();
        if (track.firstSector >= 0 || fileSector < fileSector_) return false;
        fileSector_ = fileSector;
        if (pregap_ > 0) {
            endSegment(fileSector);
            disc_ += pregap_;
            pregap_ = 0;
            startSegment(fileSector, sectorBytes_);
        }
        track.firstSector = disc_ + fileSector - image_.segments.back().firstByte / sectorBytes_;
        return true;
    }

    std::optional<CueImage> Finish() {
        if (!closeFile() || image_.toc.tracks.empty()) return std::nullopt;
        image_.toc.leadOut = disc_;
        auto& tracks = image_.toc.tracks;
        for (std::size_t i = 0; i < tracks.size(); ++i) {
            const std::int64_t end = i + 1 < tracks.size() ? tracks[i + 1].firstSector : disc_;
            if (tracks[i].firstSector < 0 || end <= tracks[i].firstSector) return std::nullopt;
            tracks[i].sectors = end - tracks[i].firstSector;
        }
        return std::move(image_);
    }

  private:
    void startSegment(std::int64_t fileSector, int sectorBytes) {
        sectorBytes_ = sectorBytes;
        image_.segments.push_back(
            CueSegment{image_.files.size() - 1, disc_, 0, fileSector * sectorBytes, sectorBytes});
    }

    // The segment ends at `fileSector` of its file, and the disc goes on after it.
    void endSegment(std::int64_t fileSector) {
        CueSegment& segment = image_.segments.back();
        segment.sectors = fileSector - segment.firstByte / segment.sectorBytes;
        disc_ += segment.sectors;
    }

    // A file's last segment runs to its end; a file without a track holds nothing.
    bool closeFile() {
        if (image_.files.empty()) return true;
        if (sectorBytes_ == 0) return false;
        const std::int64_t sectors = bytes_ / sectorBytes_;
        if (sectors < fileSector_) return false;
        endSegment(sectors);
        return true;
    }

    const std::filesystem::path folder_;
    CueImage image_;
    std::int64_t bytes_ = 0;       // of the current file
    int sectorBytes_ = 0;          // of the current file's tracks
    std::int64_t fileSector_ = 0;  // the latest track start in the current file
    std::int64_t disc_ = 0;        // where the current segment starts
    std::int64_t pregap_ = 0;
};

}  // namespace

std::optional<std::filesystem::path> CueSheetFor(const std::filesystem::path& source) {
    const std::string extension = source.extension().string();
    if (text::EqualsIgnoringCase(extension, ".cue")) return source;
    if (!text::EqualsIgnoringCase(extension, ".bin")) return std::nullopt;
    return std::filesystem::path(source).replace_extension(".cue");
}

std::optional<CueImage> ReadCueImage(const std::filesystem::path& sheet) {
    const std::int64_t size = fileBytes(sheet);
    if (size < 0 || std::uintmax_t(size) > kLargestCueSheet) return std::nullopt;
    std::ifstream in(sheet, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    if (!IsPlainCueSheet(text)) return std::nullopt;
    Layout layout(sheet.parent_path());
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream words(line);
        std::string command;
        words >> command;
        std::string first;
        std::string second;
        bool fine = true;
        if (text::EqualsIgnoringCase(command, "FILE")) {
            const auto [name, type] = fileNameAndType(words);
            fine = layout.File(name, type);
        } else if (text::EqualsIgnoringCase(command, "TRACK") && words >> first >> second) {
            fine = layout.Track(std::stoi(first), second);
        } else if (text::EqualsIgnoringCase(command, "PREGAP") && words >> first) {
            layout.Pregap(sectorsOf(first));
        } else if (text::EqualsIgnoringCase(command, "INDEX") && words >> first >> second &&
                   std::stoi(first) == 1) {
            fine = layout.Start(sectorsOf(second));
        }
        if (!fine) return std::nullopt;
    }
    return layout.Finish();
}

CueSectorReader::CueSectorReader(CueImage image) : image_(std::move(image)) {
    for (const auto& file : image_.files) descriptors_.push_back(openRegular(file));
}

CueSectorReader::~CueSectorReader() {
    for (int descriptor : descriptors_)
        if (descriptor >= 0) close(descriptor);
}

bool CueSectorReader::Read(std::int64_t sector, std::int16_t* frames) const {
    const auto after = std::ranges::upper_bound(image_.segments, sector, {},
                                                &CueSegment::firstSector);
    const std::size_t samples = 2 * kCdFramesPerSector;
    if (after == image_.segments.begin() || sector - std::prev(after)->firstSector >=
                                                 std::prev(after)->sectors) {
        std::fill_n(frames, samples, std::int16_t{0});  // a gap between files plays silent
        return sector >= 0 && sector < image_.toc.leadOut;
    }
    const CueSegment& segment = *std::prev(after);
    std::array<unsigned char, kAudioSectorBytes> bytes{};
    const off_t at = segment.firstByte + (sector - segment.firstSector) * segment.sectorBytes;
    const std::size_t wanted = std::min<std::size_t>(bytes.size(), segment.sectorBytes);
    if (pread(descriptors_[segment.file], bytes.data(), wanted, at) != ssize_t(wanted))
        return false;
    const bool big = image_.bigEndian[segment.file];
    for (std::size_t i = 0; i < samples; ++i) {
        const unsigned low = bytes[2 * i + (big ? 1 : 0)];
        const unsigned high = bytes[2 * i + (big ? 0 : 1)];
        frames[i] = static_cast<std::int16_t>(low | high << 8);
    }
    return true;
}

}  // namespace audio
