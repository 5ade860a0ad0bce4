#pragma once
// SDL audio start-up for the application: the engine's SDL sink opens only inside such a
// session. Create one in main() before the first sound and keep it until the end.
namespace audio {

class SdlAudioSession {
  public:
    SdlAudioSession();
    ~SdlAudioSession();
    SdlAudioSession(const SdlAudioSession&) = delete;
    SdlAudioSession& operator=(const SdlAudioSession&) = delete;

    bool Started() const { return started_; }  // false without a usable SDL audio driver

  private:
    bool started_ = false;
};

}  // namespace audio
