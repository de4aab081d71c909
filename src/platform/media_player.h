#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace sob {

class Clock;

// A sound opened from a file. start() returns at once; the sound plays in
// the background; failures are silent.
class AudioClip {
public:
    virtual ~AudioClip() = default;
    virtual std::int64_t lengthMs() const = 0;
    virtual void start(std::int64_t fromMs) = 0;
};

// The media system: opens a WAV file. A file that cannot be opened throws
// ProgramError with the media system's error text.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // programPath: the name as the program writes it ("Sound\Close.wav").
    virtual std::unique_ptr<AudioClip> open(const std::string& programPath) = 0;
};

// A hidden media player of the main window: one WAV file, opened when the
// window is created, played on request. The play position is kept by the
// clock and the sound's length: a request while the sound is still playing
// leaves it playing; a request after it has ended rewinds and plays again.
class MediaPlayer {
public:
    MediaPlayer(std::string name, std::string fileName) : name_(std::move(name)), fileName_(std::move(fileName)) {}

    const std::string& name() const { return name_; }
    const std::string& fileName() const { return fileName_; }

    // Throws ProgramError naming the error and the file.
    void Open(AudioOutput& output, const Clock& clock);
    void Play();
    void Close();

    bool isOpen() const { return clip_ != nullptr; }
    bool isPlaying() const;
    // The number of requests and of the requests that started the sound.
    int requests() const { return requests_; }
    int starts() const { return starts_; }

private:
    std::string name_;
    std::string fileName_;
    std::unique_ptr<AudioClip> clip_;
    const Clock* clock_ = nullptr;
    std::int64_t startedAt_ = 0;
    bool everStarted_ = false;
    int requests_ = 0;
    int starts_ = 0;
};

}  // namespace sob
