// The output opens at the first sound and closes after a quiet spell (a paused track is
// quiet); while it is closed none of the engine's threads wakes, and a resume opens it again.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/audio/mixer.h"
#include "platform/audio/sink.h"
#include "platform/audio/track.h"
#include "tests/support/eventually.h"
#include "tests/support/process_resources.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace std::chrono_literals;
using test_support::Eventually;

TEST(IdleOutputTest, ClosesWhenQuietAndSleepsUntilTheNextSound) {
    test_support::TempFolder dir;
    const auto tone = audio::LoadWaveFile(dir.Write("t.wav", sound_files::MakeWave({})));
    const auto mixer = std::make_shared<audio::Mixer>(44100, 200ms);
    mixer->SetOutput(audio::OpenNullSink);
    const auto track = std::make_shared<audio::Track>(tone.clip, mixer);
    const auto control = [&](auto change) {
        std::lock_guard lock(mixer->Lock());
        return change();
    };
    control([&] { mixer->Register(track); });
    EXPECT_FALSE(mixer->OutputOpen());
    const audio::Span span = track->Clamp({.end = track->LengthFrames()});
    auto voice = track->Cue(span);
    ASSERT_TRUE(control([&] { return track->Play(span, voice); }));
    EXPECT_TRUE(mixer->OutputOpen());
    ASSERT_TRUE(Eventually([&] { return track->PositionFrames() > 0; }));
    ASSERT_TRUE(control([&] { return track->Pause(); }));
    ASSERT_TRUE(Eventually([&] { return !mixer->OutputOpen(); }));

    // Once a thread has finished its last round, it waits with no deadline: no clock wakes it.
    EXPECT_TRUE(Eventually(
        [] { return test_support::ProcessResources::ThreadsWaitWithoutTimeout("audio-"); }));

    const std::int64_t paused = track->PositionFrames();
    ASSERT_TRUE(control([&] { return track->Resume(); }));
    EXPECT_TRUE(mixer->OutputOpen());
    EXPECT_TRUE(Eventually([&] { return track->PositionFrames() > paused; }));
    control([&] { mixer->Unregister(track.get()); });
    mixer->Shutdown();
}

}  // namespace
