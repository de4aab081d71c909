#include "platform/media_player.h"

#include "platform/clock.h"

namespace sob {

void MediaPlayer::Open(AudioOutput& output, const Clock& clock) {
    clock_ = &clock;
    clip_ = output.open(fileName_);
}

bool MediaPlayer::isPlaying() const {
    if (!clip_ || !everStarted_) return false;
    return clock_->nowMs() < startedAt_ + clip_->lengthMs();
}

void MediaPlayer::Play() {
    ++requests_;
    if (!clip_ || isPlaying()) return;
    // At the end (or never played): rewind and play from the start.
    startedAt_ = clock_->nowMs();
    everStarted_ = true;
    ++starts_;
    clip_->start(0);
}

void MediaPlayer::Close() { clip_.reset(); }

}  // namespace sob
