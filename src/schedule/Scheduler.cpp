#include "Scheduler.h"

#include "ports/FormControls.h"
#include "ports/FormState.h"
#include "ports/Platform.h"
#include "schedule/ActionText.h"

#include <algorithm>
#include <utility>

namespace {

// The running second's fraction is dropped, not rounded: the clock shows the second it is in.
DateValue currentDateTime(const Platform &platform)
{
    WallClock now = platform.currentDateTime();
    now.millisecond = 0;
    return datevalue::fromWallClock(now);
}

// Margin after the boundary: a timer runs on the monotonic clock, which may be slewed
// against the wall clock by a millisecond or so; firing just early would show the old second.
constexpr int tickMarginMs = 2;

// A set time crossed while the program could not tick for longer than this (the machine
// asleep, the process stopped) counts as passed: the user opening a laptop in the morning
// must not see it shut down. A stalled event loop or a stepped clock stays well inside it.
constexpr std::int64_t longestTickGapMs = 60'000;

} // namespace

int msUntilNextTick(int millisecond)
{
    return 1000 - millisecond + tickMarginMs;
}

Scheduler::Scheduler(FormState &state, FormControls &form, Platform &platform)
    : m_state(state), m_form(form), m_platform(platform)
{
}

void Scheduler::Timer1_Timer()
{
    const DateValue now = currentDateTime(m_platform);
    m_form.setLabelCaption(datevalue::clockText(now, m_platform.separators()));
    if (m_state.blnArmed != vbTrue)
        return;

    const std::int64_t nowSecond = datevalue::wholeSeconds(now);
    const auto previousSecond = std::exchange(m_previousArmedSecond, nowSecond);
    const std::int64_t nowBootMs = m_platform.sinceBootMs();
    const std::int64_t sincePreviousMs = nowBootMs - std::exchange(m_previousArmedBootMs, nowBootMs);
    const std::int64_t countDownStep = countDownSecondsDue(m_platform.monotonicMs());
    const bool countDownRan = m_form.optionValue(Option::Option2) == vbTrue && stepCountDown(countDownStep);

    WhenToAsk::Tick tick =
        m_form.optionValue(Option::Option1) == vbTrue
            ? setTimeTrigger(nowSecond, previousSecond, sincePreviousMs)
            : WhenToAsk::Tick{WhenToAsk::Trigger::CountDown, countDownAtZero(), countDownRan, 0, std::nullopt};
    tick.action = actionFromText(m_form.comboText());
    if (const auto action = m_whenToAsk.onTick(tick, m_platform.lastAnswer()))
        ask(*action);
}

void Scheduler::Command1_Click()
{
    m_state.blnArmed = vbTrue;
    m_form.setButtonEnabled(Button::Command1, false);
    m_form.setButtonEnabled(Button::Command2, true);
    m_form.giveFocus(Button::Command2);
    m_previousArmedSecond = datevalue::wholeSeconds(currentDateTime(m_platform));
    m_previousArmedBootMs = m_platform.sinceBootMs();
    m_countedUpToMs.reset();
    m_whenToAsk.rearmed();
}

void Scheduler::Command2_Click()
{
    m_state.blnArmed = vbFalse;
    m_form.setButtonEnabled(Button::Command1, true);
    m_form.setButtonEnabled(Button::Command2, false);
    m_form.giveFocus(Button::Command1);
}

std::int64_t Scheduler::countDownSecondsDue(std::int64_t nowMs)
{
    if (!m_countedUpToMs) {
        // The first tick after "Ok" steps one second, as every tick does in normal running.
        m_countedUpToMs = nowMs;
        return 1;
    }
    // Rounded, not floored: ticks land a few milliseconds either side of a whole second,
    // and the remainder is carried so that no time is counted twice or lost.
    const std::int64_t seconds = std::max<std::int64_t>(0, (nowMs - *m_countedUpToMs + 500) / 1000);
    *m_countedUpToMs += seconds * 1000;
    return seconds;
}

bool Scheduler::stepCountDown(std::int64_t seconds)
{
    const DateValue value = m_form.pickerValue(Picker::dtpCountDown);
    const auto left = datevalue::wholeSeconds(datevalue::timeOfDayToSecond(value));
    const std::int64_t step = std::min(seconds, left);
    if (step > 0)
        m_form.setPickerValue(Picker::dtpCountDown, datevalue::secondsEarlier(value, step));
    return left > 0;
}

WhenToAsk::Tick Scheduler::setTimeTrigger(std::int64_t nowSecond, std::optional<std::int64_t> previousSecond,
                                          std::int64_t sincePreviousMs) const
{
    // A crossing from "still ahead" to "reached": a late tick fires late rather than never,
    // and a target already passed when armed never fires.
    const std::int64_t target = datevalue::wholeSeconds(m_form.pickerValue(Picker::dtpTime));
    const bool reached = target <= nowSecond && sincePreviousMs <= longestTickGapMs;
    const bool crossed = reached && previousSecond && *previousSecond < target;
    return {WhenToAsk::Trigger::SetTime, reached, crossed, target, std::nullopt};
}

bool Scheduler::countDownAtZero() const
{
    return datevalue::sameTimeOfDay(m_form.pickerValue(Picker::dtpCountDown), 0.0);
}

void Scheduler::ask(SessionAction action)
{
    const Delivery delivery = m_platform.exitWindows(action);
    m_whenToAsk.asked(delivery);
    // "Log Off" ends the program only once its request has left it.
    if (endsProgram(action) && delivery != Delivery::NotSent)
        m_platform.endProgram();
}
