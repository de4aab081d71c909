#pragma once

#include "platform/clock.h"
#include "platform/dispatcher.h"
#include "platform/media_player.h"
#include "platform/pickers.h"
#include "platform/random.h"
#include "platform/scheduler.h"
#include "platform/screen.h"

namespace sob {

// What the windows are given by whoever runs them: the clock and the
// scheduler of their timers, the handler dispatcher with its error box, the
// random generator, the sound output, the pickers and the screen. The
// program passes the real ones; tests pass a virtual clock and doubles.
struct Platform {
    Clock& clock;
    Scheduler& scheduler;
    Dispatcher& dispatcher;
    RandomGenerator& random;
    AudioOutput& audio;
    PickerHost& pickers;
    Screen& screen;
};

}  // namespace sob
