#pragma once

#include <memory>
#include <string>

#include "platform/media_player.h"

namespace sob::qt {

// Sound through Qt Multimedia. Each WAV file is checked when it is opened,
// synchronously, with libsndfile: a missing, unreadable or non-WAV file
// throws ProgramError with libsndfile's error text, and the sound's length
// comes from its frame count and rate. Playing is QSoundEffect's, in the
// background. A machine with no sound server plays nothing, silently: the
// media player keeps its position by the clock all the same.
class QtAudioOutput : public AudioOutput {
public:
    // audible: whether to play at all; by default, whether a sound server
    // can be reached (see soundServerReachable()).
    QtAudioOutput();
    explicit QtAudioOutput(bool audible) : audible_(audible) {}

    std::unique_ptr<AudioClip> open(const std::string& programPath) override;

    bool audible() const { return audible_; }

    // Whether this session has a sound server Qt can play through
    // (PulseAudio or PipeWire's PulseAudio socket). Asking Qt itself would
    // connect and complain on standard error where there is none.
    // SOBESEDNIK_NO_SOUND=1 turns the sound off (tests running several
    // copies at once).
    static bool soundServerReachable();

private:
    bool audible_;
};

}  // namespace sob::qt
