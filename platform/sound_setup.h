#pragma once
// What a program without a window (mcishell) sets up before its first command: where the sound
// goes and what stands behind the CD drive letters. The window's toolkit starts SDL itself.
#include <map>
#include <memory>
#include <string>

namespace sound_setup {

// Chooses where the sound goes, before the first sound: "sdl" (the sound card) or "null" (no
// sound, in real time). False for an unknown name or once the engine runs.
bool ChooseSink(const std::string& name);

// Puts a drive or a disc image (.cue) behind each CD drive letter, in place of the machine's
// optical drives, until called again with an empty map.
void ReplaceCdDrives(std::map<char, std::string> drives);

// SDL audio, from construction to destruction; the "sdl" sink opens only while one lives.
class SdlSession {
  public:
    SdlSession();
    ~SdlSession();
    SdlSession(const SdlSession&) = delete;
    SdlSession& operator=(const SdlSession&) = delete;

  private:
    struct Running;
    std::unique_ptr<Running> running_;
};

}  // namespace sound_setup
