#pragma once

#include "DateValue.h"
#include "WhenToAsk.h"
#include "ports/Values.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

class FormControls;
class Platform;
struct FormState;

// How long a timer waits, from a wall-clock time with this millisecond, to land just after
// the next second begins. Re-read every tick, so a late or lost tick, a busy event loop or a
// stepped clock never leaves the ticks out of step with the real second.
int msUntilNextTick(int millisecond);

// The once-a-second tick and the two arming buttons. The schedule itself lives in the
// controls and in FormState; this keeps only what is needed so that late, lost or
// doubled ticks, sleeps and jumps of the clock neither miss a set time, nor fire one by
// surprise, nor stretch a count-down. When a met trigger asks the session to end is
// WhenToAsk's rule. While armed, the machine is held awake to carry the schedule out.
class Scheduler {
public:
    Scheduler(FormState &state, FormControls &form, Platform &platform);

    void Timer1_Timer();
    void Command1_Click(); // "Ok": arm
    void Command2_Click(); // "Cancel": disarm

private:
    // Where an armed tick (or Ok) found the clocks.
    struct Reading {
        std::int64_t wallMs;  // the wall clock, in the zone then in force
        std::int64_t bootMs;  // the clock that runs on through sleep
        std::int64_t awakeMs; // the clock that stands still while asleep
    };
    std::pair<DateValue, int> wallSecond() const; // the second it is in, and its millisecond
    Reading read(DateValue second, int millisecond) const;
    std::int64_t countDownSecondsDue(std::int64_t awakeMs);
    bool stepCountDown(std::int64_t seconds); // true while it was above zero
    WhenToAsk::Tick setTimeTrigger(const Reading &now, const Reading &previous) const;
    bool countDownAtZero() const;
    void ask(SessionAction action);
    void holdAwake();

    FormState &m_state;
    FormControls &m_form;
    Platform &m_platform;
    // The previous armed tick, or Ok: the target must still have been ahead then for a
    // later tick to fire it.
    Reading m_previous{};
    // Awake milliseconds up to which the count-down has been stepped, from Ok on.
    std::int64_t m_countedUpToMs = 0;
    // Why the machine is held awake, while it is.
    std::optional<std::string> m_holdReason;
    WhenToAsk m_whenToAsk;
};
