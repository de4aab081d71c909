#include <gtest/gtest.h>

#include "platform/errors.h"
#include "support/test_platform.h"

namespace sob {
namespace {

TEST(MediaPlayer, ACueStillSoundingPlaysOnAndOneThatEndedStartsAgain) {
    testing::TestPlatform env;
    env.audio.clipLengthMs = 100;
    MediaPlayer player("MediaPlayer1", "Sound\\KeyBoard.wav");
    player.Open(env.audio, env.clock);

    player.Play();
    env.clock.advanceBy(50);
    player.Play();  // still sounding: nothing new
    env.clock.advanceBy(49);
    player.Play();
    EXPECT_EQ(player.starts(), 1);
    env.clock.advanceBy(1);  // at its end: rewinds and plays
    player.Play();
    EXPECT_EQ(player.starts(), 2);
    EXPECT_EQ(player.requests(), 4);
    EXPECT_EQ(env.audio.started.size(), 2u);
}

TEST(MediaPlayer, OpeningAFileThatCannotBeOpenedThrows) {
    testing::TestPlatform env;
    env.audio.failures["Sound\\Close.wav"] = "The specified file was not found (Sound\\Close.wav)";
    MediaPlayer player("MediaPlayer6", "Sound\\Close.wav");
    EXPECT_THROW(player.Open(env.audio, env.clock), ProgramError);
    player.Play();  // a player that is not open stays silent
    EXPECT_TRUE(env.audio.started.empty());
}

}  // namespace
}  // namespace sob
