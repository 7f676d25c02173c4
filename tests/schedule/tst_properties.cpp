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

constexpr std::array actionTexts{"Shut Down", "Restart", "Log Off", "Shut Dow", "restart"};

// One thing that happens: which kind, and how much or which (0-999).
struct Step {
    std::size_t kind;
    int value;
};

// The window, and an observer that knows only what the user and the system did.
class Run {
public:
    // What each kind of step does, and how often it comes: ticks most often, so that targets
    // are crossed and count-downs run out.
    struct Kind {
        const char *name;
        int weight;
        void (*happen)(Run &, int value);
    };
    static const Kind kinds[18];

    bool ended = false; // the program has ended itself: nothing happens to it any more

    // The machine is held awake exactly while armed.
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

    void ok() // only one of the two buttons is enabled at a time
    {
        if (armed())
            return;
        w.ok();
        m_stepped = 0;
        m_previous = clocks();
        m_moment.reset();
        m_countDownAlone = !w.controls.setTimeSelected;
        m_okMonotonic = w.platform.monotonic;
    }
    void cancel()
    {
        if (armed())
            w.cancel();
    }
    void choose(bool setTime) { w.controls.setTimeSelected = setTime, m_countDownAlone = false; }
    void answer(int answer) { w.platform.answer = static_cast<Answer>(answer); }
    void retarget(int seconds) { w.controls.target = static_cast<double>(nowSecond() + seconds) / secondsPerDay; }

    void tick(std::int64_t ms, bool bootClock = true, bool monotonic = true)
    {
        if (ended)
            return;
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
        ended = os.endProgramCalls > endsBefore;
        if (ended) // "Log Off" ends the program only once its request left
            RC_ASSERT((asked == 1U && os.requests.back() == SessionAction::LogOff));
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

const Run::Kind Run::kinds[18] = {
    // about a second; now and then exactly on the next second's start
    {"tick", 12,
     [](Run &r, int v) { r.tick(v % 8 == 0 ? 1000 - r.w.platform.currentDateTime().millisecond : 950 + v % 100); }},
    // one to two minutes of ticks, so that moments can run out
    {"wait", 2,
     [](Run &r, int v) {
         for (int second = 0; second < 60 + v % 60; ++second)
             r.tick(1000);
     }},
    {"stall", 1, [](Run &r, int v) { r.tick(1500 + v * 10); }},                           // a busy event loop
    {"sleep", 1, [](Run &r, int v) { r.tick((30 + v * 60) * 1000LL, true, false); }},     // the monotonic clock stands
    {"step clock", 1, [](Run &r, int v) { r.tick((v - 500) * 15'000LL, false, false); }}, // two hours either way
    // another zone, from twelve hours west to fourteen east, in quarter hours
    {"zone", 1, [](Run &r, int v) { r.w.platform.now += (v % 105 - 48) / 96.0; }},
    {"action", 2, [](Run &r, int v) { r.w.controls.actionText = actionTexts[static_cast<std::size_t>(v % 5)]; }},
    {"option", 2, [](Run &r, int v) { r.choose(v % 2 == 0); }},
    {"target", 3, [](Run &r, int v) { r.retarget(v % 16 - 3); }},
    {"count-down", 3, [](Run &r, int v) { r.w.controls.setCountDown(v % 8), r.m_countDownAlone = false; }},
    {"ok", 2, [](Run &r, int) { r.ok(); }},
    {"cancel", 1, [](Run &r, int) { r.cancel(); }},
    {"rearm", 2, [](Run &r, int) { r.cancel(), r.ok(); }},
    // the other option for a tick, then back
    {"toggle", 3,
     [](Run &r, int) {
         r.choose(!r.w.controls.setTimeSelected), r.tick(1000), r.choose(!r.w.controls.setTimeSelected);
     }},
    {"retarget", 3, [](Run &r, int v) { r.retarget(-1 - v % 3), r.tick(1000); }}, // a target just passed
    {"answer", 3, [](Run &r, int v) { r.answer(v % 4); }},
    // an answer, a tick, then a refusal and a tick: a refusal after an acceptance
    {"answers", 3, [](Run &r, int v) { r.answer(1 + v % 2 * 2), r.tick(1000), r.answer(2), r.tick(1000); }},
    {"delivery", 2, [](Run &r, int v) { r.w.platform.delivery = static_cast<Delivery>(v % 3); }},
};

void showValue(const Step &step, std::ostream &out)
{
    out << Run::kinds[step.kind].name << ' ' << step.value;
}

} // namespace

namespace rc {
template <> struct Arbitrary<Step> {
    static Gen<Step> arbitrary()
    {
        int total = 0;
        for (const Run::Kind &kind : Run::kinds)
            total += kind.weight;
        // By weight, whatever the size (which would narrow the range); shrinks towards a tick.
        const auto kind = gen::map(gen::resize(100, gen::inRange(0, total)), [](int n) {
            std::size_t k = 0;
            for (; n >= Run::kinds[k].weight; n -= Run::kinds[k++].weight) {
            }
            return k;
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
            Run::kinds[step.kind].happen(run, step.value);
            if (run.ended)
                break;
            run.checkHold();
        }
    }));
}
