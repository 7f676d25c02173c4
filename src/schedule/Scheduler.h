#pragma once

#include "DateValue.h"
#include "WhenToAsk.h"
#include "ports/Values.h"

#include <cstdint>
#include <optional>

class FormControls;
class Platform;
struct FormState;

// How long a timer waits, from a wall-clock time with this millisecond, to land just after
// the next second begins. Re-read every tick, so a late or lost tick, a busy event loop or a
// stepped clock never leaves the ticks out of step with the real second.
int msUntilNextTick(int millisecond);

// The once-a-second tick and the two arming buttons. The schedule itself lives in the
// controls and in FormState; this keeps only what is needed so that late, lost or
// doubled ticks and a stepped clock neither miss a set time nor stretch a count-down.
// When a met trigger asks the session to end is WhenToAsk's rule.
class Scheduler {
public:
    Scheduler(FormState &state, FormControls &form, Platform &platform);

    void Timer1_Timer();
    void Command1_Click(); // "Ok": arm
    void Command2_Click(); // "Cancel": disarm

private:
    std::int64_t countDownSecondsDue(std::int64_t nowMs);
    bool stepCountDown(std::int64_t seconds); // true while it was above zero
    WhenToAsk::Tick setTimeTrigger(std::int64_t nowSecond, std::optional<std::int64_t> previousSecond,
                                   std::int64_t sincePreviousMs) const;
    bool countDownAtZero() const;
    void ask(SessionAction action);

    FormState &m_state;
    FormControls &m_form;
    Platform &m_platform;
    // The wall-clock second of the previous armed tick (or of arming): the target must
    // still have been ahead then for a later tick to fire it.
    std::optional<std::int64_t> m_previousArmedSecond;
    // When that was, on the clock that runs on through sleep.
    std::int64_t m_previousArmedBootMs = 0;
    // Monotonic milliseconds up to which the count-down has been stepped; empty until
    // the first armed tick after arming.
    std::optional<std::int64_t> m_countedUpToMs;
    WhenToAsk m_whenToAsk;
};
