#include "Scheduler.h"

#include "ports/FormControls.h"
#include "ports/FormState.h"
#include "ports/Platform.h"
#include "schedule/ActionText.h"

#include <algorithm>
#include <utility>

namespace {

// Margin after the boundary: a timer runs on the monotonic clock, which may be slewed
// against the wall clock by a millisecond or so; firing just early would show the old second.
constexpr int tickMarginMs = 2;

// A set time crossed while the program could not tick for longer than this (the machine
// asleep, the process stopped) counts as passed: the user opening a laptop in the morning
// must not see it shut down. A stalled event loop or a stepped clock stays well inside it.
// It is the same minute in which a crossing may still be asked for.
constexpr std::int64_t longestTickGapMs = WhenToAsk::momentLastsMs;

// A wall clock that moved this much further than the time that really passed jumped (a
// zone moved east, a clock set hours ahead): a set time it passes over counts as passed.
// Daylight saving's hour, read on two clocks a little apart, stays inside it.
constexpr std::int64_t longestClockLeapMs = 3600'000 + 1000;

} // namespace

int msUntilNextTick(int millisecond)
{
    return 1000 - millisecond + tickMarginMs;
}

Scheduler::Scheduler(FormState &state, FormControls &form, Platform &platform)
    : m_state(state), m_form(form), m_platform(platform)
{
}

Scheduler::Reading Scheduler::read(DateValue second, int millisecond) const
{
    return {datevalue::wholeSeconds(second) * 1000 + millisecond, m_platform.sinceBootMs(), m_platform.monotonicMs()};
}

std::pair<DateValue, int> Scheduler::wallSecond() const
{
    // The running second's fraction is kept apart: the clock shows the second it is in.
    WallClock wall = m_platform.currentDateTime();
    const int millisecond = std::exchange(wall.millisecond, 0);
    return {datevalue::fromWallClock(wall), millisecond};
}

void Scheduler::Timer1_Timer()
{
    const auto [second, millisecond] = wallSecond();
    m_form.setLabelCaption(datevalue::clockText(second, m_platform.separators()));
    if (m_state.blnArmed != vbTrue)
        return;

    const Reading now = read(second, millisecond);
    const Reading previous = std::exchange(m_previous, now);
    const std::int64_t countDownStep = countDownSecondsDue(now.awakeMs);
    const bool countDownRan = m_form.optionValue(Option::Option2) == vbTrue && stepCountDown(countDownStep);

    WhenToAsk::Tick tick =
        m_form.optionValue(Option::Option1) == vbTrue
            ? setTimeTrigger(now, previous)
            : WhenToAsk::Tick{WhenToAsk::Trigger::CountDown, countDownAtZero(), countDownRan, 0, std::nullopt};
    tick.atMs = now.bootMs;
    tick.action = actionFromText(m_form.comboText());
    holdAwake();
    if (const auto action = m_whenToAsk.onTick(tick, m_platform.lastAnswer()))
        ask(*action);
}

void Scheduler::Command1_Click()
{
    m_state.blnArmed = vbTrue;
    m_form.setButtonEnabled(Button::Command1, false);
    m_form.setButtonEnabled(Button::Command2, true);
    m_form.giveFocus(Button::Command2);
    const auto [second, millisecond] = wallSecond();
    m_previous = read(second, millisecond);
    m_countedUpToMs = m_previous.awakeMs;
    m_whenToAsk.rearmed();
    holdAwake();
}

void Scheduler::Command2_Click()
{
    m_state.blnArmed = vbFalse;
    m_form.setButtonEnabled(Button::Command1, true);
    m_form.setButtonEnabled(Button::Command2, false);
    m_form.giveFocus(Button::Command1);
    m_holdReason.reset();
    m_platform.releaseAwake();
}

std::int64_t Scheduler::countDownSecondsDue(std::int64_t awakeMs)
{
    // The whole seconds awake since the last counted moment, Ok the first: a stall before
    // or between ticks neither stretches nor shortens it, and the remainder is carried.
    const std::int64_t seconds = std::max<std::int64_t>(0, (awakeMs - m_countedUpToMs) / 1000);
    m_countedUpToMs += seconds * 1000;
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

WhenToAsk::Tick Scheduler::setTimeTrigger(const Reading &now, const Reading &previous) const
{
    // A crossing from "still ahead" to "reached": a late tick fires late rather than never,
    // and a target already passed when armed never fires. Across a long gap or a leap of
    // the wall clock, the target counts as passed.
    const std::int64_t target = datevalue::wholeSeconds(m_form.pickerValue(Picker::dtpTime));
    const std::int64_t realMs = now.bootMs - previous.bootMs;
    const bool continuous = realMs <= longestTickGapMs && now.wallMs - previous.wallMs - realMs <= longestClockLeapMs;
    const bool reached = continuous && target * 1000 <= now.wallMs;
    const bool crossed = reached && previous.wallMs < target * 1000;
    return {WhenToAsk::Trigger::SetTime, reached, crossed, target, std::nullopt};
}

bool Scheduler::countDownAtZero() const
{
    return datevalue::sameTimeOfDay(m_form.pickerValue(Picker::dtpCountDown), 0.0);
}

void Scheduler::holdAwake()
{
    // What the system shows as the hold's reason: the action and its trigger, as they stand.
    const std::string text = m_form.comboText();
    const std::string action = actionFromText(text) ? text : "The session's end";
    const std::string reason =
        m_form.optionValue(Option::Option1) == vbTrue
            ? action + " at " + datevalue::clockText(m_form.pickerValue(Picker::dtpTime), m_platform.separators())
            : action + " when the count-down ends";
    if (reason != m_holdReason)
        m_platform.holdAwake(*(m_holdReason = reason));
}

void Scheduler::ask(SessionAction action)
{
    const Delivery delivery = m_platform.exitWindows(action);
    m_whenToAsk.asked(delivery);
    // "Log Off" ends the program only once its request has left it.
    if (endsProgram(action) && delivery != Delivery::NotSent)
        m_platform.endProgram();
}
