#pragma once
// SDL audio for the application: the engine's SDL sink opens only while such a session lives.
// Create one in main() before the first sound and keep it until the end. SDL's audio subsystem
// itself starts with each opening of the output and stops with its closing, so an idle program
// keeps none of SDL's threads (its device hot-plug watcher among them) awake.
namespace audio {

class SdlAudioSession {
  public:
    SdlAudioSession();
    // Ends SDL audio, closing an output still open, so a capture file is complete.
    ~SdlAudioSession();
    SdlAudioSession(const SdlAudioSession&) = delete;
    SdlAudioSession& operator=(const SdlAudioSession&) = delete;
};

}  // namespace audio
