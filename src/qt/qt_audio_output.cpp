#include "qt/qt_audio_output.h"

#include <sndfile.h>

#include <cstdlib>
#include <filesystem>

#include <QSoundEffect>
#include <QUrl>

#include "platform/errors.h"
#include "platform/file_system.h"

namespace sob::qt {

namespace {

class QtAudioClip final : public AudioClip {
public:
    QtAudioClip(std::int64_t lengthMs, const std::string& osPath, bool audible)
        : lengthMs_(lengthMs) {
        if (!audible) return;
        effect_ = std::make_unique<QSoundEffect>();
        effect_->setSource(QUrl::fromLocalFile(QString::fromStdString(osPath)));
    }

    std::int64_t lengthMs() const override { return lengthMs_; }

    void start(std::int64_t /*fromMs*/) override {
        // The media player asks for a start only once the sound has ended
        // by the clock; stop first in case playback runs a little late.
        if (!effect_) return;
        effect_->stop();
        effect_->play();
    }

private:
    std::int64_t lengthMs_;
    std::unique_ptr<QSoundEffect> effect_;
};

bool isPlayableWav(const SF_INFO& info) {
    const int type = info.format & SF_FORMAT_TYPEMASK;
    if (type != SF_FORMAT_WAV && type != SF_FORMAT_WAVEX) return false;
    switch (info.format & SF_FORMAT_SUBMASK) {
        case SF_FORMAT_PCM_U8:
        case SF_FORMAT_PCM_16:
        case SF_FORMAT_PCM_24:
        case SF_FORMAT_PCM_32:
        case SF_FORMAT_FLOAT:
            return true;
        default:
            return false;
    }
}

}  // namespace

QtAudioOutput::QtAudioOutput() : audible_(soundServerReachable()) {}

bool QtAudioOutput::soundServerReachable() {
    if (const char* off = std::getenv("SOBESEDNIK_NO_SOUND");
        off != nullptr && *off != '\0' && std::string(off) != "0")
        return false;
    if (const char* server = std::getenv("PULSE_SERVER"); server != nullptr && *server != '\0')
        return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr || *runtime == '\0') return false;
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(runtime) / "pulse" / "native", error);
}

std::unique_ptr<AudioClip> QtAudioOutput::open(const std::string& programPath) {
    const std::string osPath = resolvePath(programPath);
    SF_INFO info{};
    SNDFILE* file = sf_open(osPath.c_str(), SFM_READ, &info);
    if (file == nullptr) throw ProgramError(sf_strerror(nullptr));
    const bool playable = isPlayableWav(info);
    sf_close(file);
    if (!playable) throw ProgramError("not a PCM WAV sound");
    std::int64_t lengthMs = 0;
    if (info.samplerate > 0)
        lengthMs =
            (static_cast<std::int64_t>(info.frames) * 1000 + info.samplerate - 1) / info.samplerate;
    return std::make_unique<QtAudioClip>(lengthMs, osPath, audible_);
}

}  // namespace sob::qt
