// Properties of the tick over random sequences of what a user, the clocks and the system
// do. RapidCheck shrinks a failing sequence to its shortest form and prints it.
#include "schedule/ActionText.h"
#include "support/FormRig.h"

#include <doctest.h>
#include <rapidcheck.h>

#include <array>
#include <optional>
#include <ostream>
#include <utility>

namespace {

enum class Kind {
    Tick,
    Wait,
    Stall,
    Sleep,
    StepClock,
    Zone,
    Action,
    Option,
    Target,
    CountDown,
    Ok,
    Cancel,
    Rearm,
    Toggle,
    Retarget,
    Answer,
    Answers,
    Delivery
};
// Each kind's name, and how often it comes: ticks most often, so that targets are crossed and
// count-downs run out.
constexpr std::pair<const char *, int> kinds[] = {
    {"tick", 12},  {"wait", 2},   {"stall", 1},    {"sleep", 1},      {"step clock", 1}, {"zone", 1},
    {"action", 2}, {"option", 2}, {"target", 3},   {"count-down", 2}, {"ok", 2},         {"cancel", 1},
    {"rearm", 2},  {"toggle", 3}, {"retarget", 3}, {"answer", 3},     {"answers", 2},    {"delivery", 2}};
static_assert(std::size(kinds) == static_cast<std::size_t>(Kind::Delivery) + 1);

// One thing that happens; `value` (0-999) says how much or which.
struct Step {
    Kind kind;
    int value;
};

void showValue(const Step &step, std::ostream &out)
{
    out << kinds[static_cast<std::size_t>(step.kind)].first << ' ' << step.value;
}

constexpr std::array actionTexts{"Shut Down", "Restart", "Log Off", "Shut Dow", "restart"};

// The window, and an observer that knows only what the user and the system did.
class Run {
public:
    // False once the program has ended itself.
    bool apply(const Step &step)
    {
        FakeForm &form = w.controls;
        const auto v = static_cast<std::size_t>(step.value);
        switch (step.kind) {
        case Kind::Tick: // about a second; now and then exactly on the next second's start
            return tick(step.value % 8 == 0 ? 1000 - w.platform.currentDateTime().millisecond : 950 + step.value % 100,
                        true, true);
        case Kind::Wait: // one to two minutes of ticks, so that moments can run out
            for (int second = 0; second < 60 + step.value % 60; ++second) {
                if (!tick(1000, true, true))
                    return false;
            }
            return true;
        case Kind::Stall: // a busy event loop
            return tick(1500 + step.value * 10, true, true);
        case Kind::Sleep: // the monotonic clock stands
            return tick((30 + step.value * 60) * 1000LL, true, false);
        case Kind::StepClock: // up to two hours either way
            return tick((step.value - 500) * 15'000LL, false, false);
        case Kind::Zone: // another zone, from twelve hours west to fourteen east, in quarter hours
            w.platform.now += (step.value % 105 - 48) / 96.0;
            break;
        case Kind::Action:
            form.actionText = actionTexts[v % actionTexts.size()];
            break;
        case Kind::Option:
            form.setTimeSelected = v % 2 == 0;
            m_countDownAlone = false;
            break;
        case Kind::Target:
            form.target = static_cast<double>(nowSecond() + step.value % 16 - 3) / secondsPerDay;
            break;
        case Kind::CountDown:
            form.setCountDown(step.value % 8);
            m_countDownAlone = false;
            break;
        case Kind::Ok: // only one of the two buttons is enabled at a time
            if (!armed()) {
                w.ok();
                m_stepped = 0;
                m_previous = clocks();
                m_moment.reset();
                m_countDownAlone = !form.setTimeSelected;
                m_okMonotonic = w.platform.monotonic;
            }
            break;
        case Kind::Cancel:
            if (armed())
                w.cancel();
            break;
        case Kind::Rearm: // Cancel, then Ok at once
            return apply({Kind::Cancel, 0}), apply({Kind::Ok, 0});
        case Kind::Toggle: // the other option for a tick, then back
            apply({Kind::Option, form.setTimeSelected ? 1 : 0});
            if (!tick(1000, true, true))
                return false;
            return apply({Kind::Option, form.setTimeSelected ? 1 : 0});
        case Kind::Retarget: // a target just passed, then a tick
            form.target = static_cast<double>(nowSecond() - 1 - step.value % 3) / secondsPerDay;
            return tick(1000, true, true);
        case Kind::Answer:
            w.platform.answer = static_cast<Answer>(v % 4);
            break;
        case Kind::Answers: // an answer, a tick, then a refusal and a tick: a refusal after an acceptance
            for (const std::size_t answer : {v % 4, std::size_t{2}}) {
                w.platform.answer = static_cast<Answer>(answer);
                if (!tick(1000, true, true))
                    return false;
            }
            break;
        case Kind::Delivery:
            w.platform.delivery = static_cast<Delivery>(v % 3);
            break;
        }
        return true;
    }

    // The machine is held awake exactly while armed.
    void checkHold() const { RC_ASSERT(w.platform.hold.has_value() == armed()); }

private:
    // A set time's moment: it begins at the first armed tick at or after the target whose
    // previous armed tick was before it.
    struct Moment {
        std::int64_t target;
        std::int64_t crossedAtBootMs;
        bool spoiled; // its text named no action when it began
        bool taken = false;
    };
    // The wall clock to the millisecond, and the clock that runs on through sleep.
    struct Clocks {
        std::int64_t wallMs;
        std::int64_t bootMs;
    };

    bool armed() const { return w.form.state().blnArmed == vbTrue; }
    std::int64_t nowSecond() const
    {
        WallClock now = w.platform.currentDateTime();
        now.millisecond = 0;
        return datevalue::wholeSeconds(datevalue::fromWallClock(now));
    }
    Clocks clocks() const
    {
        return {nowSecond() * 1000 + w.platform.currentDateTime().millisecond, w.platform.sinceBoot};
    }

    bool tick(std::int64_t ms, bool bootClock, bool monotonic)
    {
        FakePlatform &os = w.platform;
        os.now += static_cast<double>(ms) / 86'400'000.0;
        os.sinceBoot += bootClock ? ms : 0;
        os.monotonic += monotonic ? ms : 0;
        const bool wasArmed = armed(), bySetTime = w.controls.setTimeSelected;
        const auto action = actionFromText(w.controls.actionText);
        const Clocks now = clocks(), previous = wasArmed ? std::exchange(m_previous, now) : now;
        const std::int64_t realMs = now.bootMs - previous.bootMs, leapMs = now.wallMs - previous.wallMs - realMs;
        const bool crossing = wasArmed && observeMoment(action.has_value(), previous, realMs, leapMs);
        const std::size_t requestsBefore = w.requests();
        const std::int64_t leftBefore = w.controls.secondsLeft();
        const int endsBefore = os.endProgramCalls, asksBefore = os.asks;

        w.form.scheduler().Timer1_Timer();

        const std::size_t asked = w.requests() - requestsBefore;
        const std::int64_t left = w.controls.secondsLeft();
        RC_ASSERT(asked <= 1U);
        RC_ASSERT((left >= 0 && left < secondsPerDay)); // never below zero; its date never changes
        if (asked == 1) {
            RC_ASSERT((wasArmed && action == os.requests.back()));
            RC_ASSERT((bySetTime ? m_moment.has_value() : left == 0));
            if (bySetTime) {
                // Never across a leap of the wall clock (a zone moved east), never after its minute.
                RC_ASSERT(leapMs <= 3601'000);
                RC_ASSERT(now.bootMs - m_moment->crossedAtBootMs <= 60'000);
                RC_ASSERT(!m_moment->spoiled);
                RC_ASSERT(!m_moment->taken);
                m_moment->taken = os.delivery == Delivery::HandedOver;
            }
        }
        if (os.asks > asksBefore) {
            m_lastAskedBySetTime = bySetTime;
            m_lastDelivery = os.delivery;
        }
        // What must ask, when something can carry the request.
        const bool mustAsk = action && (bySetTime ? crossing : leftBefore > 0 && left == 0);
        if (wasArmed && mustAsk && os.delivery != Delivery::NotSent)
            RC_ASSERT(asked == 1U);
        // Never stepped disarmed; armed, by the whole seconds awake since Ok: a stall, the
        // first tick's included, does not stretch it, and sleep does not count; never by
        // more, whatever was edited.
        m_stepped += wasArmed && !bySetTime ? leftBefore - left : 0;
        if (wasArmed) {
            const std::int64_t awake = (os.monotonic - m_okMonotonic) / 1000;
            RC_ASSERT((m_countDownAlone && left > 0 ? m_stepped == awake : m_stepped <= awake));
        }
        if (!wasArmed || bySetTime)
            RC_ASSERT(left == leftBefore);
        if (os.endProgramCalls == endsBefore)
            return true;
        // "Log Off" ends the program only once its request left.
        RC_ASSERT((asked == 1U && os.requests.back() == SessionAction::LogOff));
        return false;
    }

    // Before an armed tick: whether it crosses the set time, and what became of its moment.
    bool observeMoment(bool namesAction, const Clocks &previous, std::int64_t realMs, std::int64_t leapMs)
    {
        const FakePlatform &os = w.platform;
        const std::int64_t now = nowSecond();
        const bool answered = os.answer == Answer::Accepted || os.answer == Answer::NoReply;
        if (m_moment && m_lastAskedBySetTime && m_lastDelivery == Delivery::Sent && answered)
            m_moment->taken = true;
        const std::int64_t target = datevalue::wholeSeconds(w.controls.pickerValue(Picker::dtpTime));
        const bool reached = w.controls.setTimeSelected && target <= now && realMs <= 60'000 && leapMs <= 3601'000;
        if (reached && previous.wallMs < target * 1000) {
            m_moment = Moment{target, os.sinceBoot, !namesAction};
            m_lastAskedBySetTime = false;
            return true;
        }
        if (m_moment && (!reached || m_moment->target != target))
            m_moment.reset(); // the clock went back or leapt, a new target, a long gap, or the count-down chosen
        return false;
    }

    FormRig w;
    Clocks m_previous{};
    std::optional<Moment> m_moment;
    bool m_lastAskedBySetTime = false;
    Delivery m_lastDelivery = Delivery::NotSent;
    std::int64_t m_stepped = 0;
    bool m_countDownAlone = false; // armed by count-down, neither it nor the option changed since
    std::int64_t m_okMonotonic = 0;
};

} // namespace

namespace rc {
template <> struct Arbitrary<Step> {
    static Gen<Step> arbitrary()
    {
        int total = 0;
        for (const auto &[name, weight] : kinds)
            total += weight;
        const auto kind = gen::map(gen::inRange(0, total), [](int n) { // by weight; shrinks towards a tick
            std::size_t k = 0;
            for (; n >= kinds[k].second; n -= kinds[k++].second) {
            }
            return static_cast<Kind>(k);
        });
        return gen::construct<Step>(kind, gen::inRange(0, 1000));
    }
};
} // namespace rc

TEST_CASE("over any sequence of ticks, sleeps, clock steps, edits and answers, the tick asks only when it must")
{
    CHECK(rc::check("the schedule's invariants", [](const std::vector<Step> &steps) {
        Run run;
        for (const Step &step : steps) {
            if (!run.apply(step))
                break;
            run.checkHold();
        }
    }));
}
