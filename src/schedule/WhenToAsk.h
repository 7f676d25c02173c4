#pragma once

#include "ports/RequestFate.h"
#include "ports/Values.h"

#include <cstdint>
#include <optional>

// When to ask the session to end, given what became of the last request. Every ask can cut
// short the time in which other programs save their work, and a set time must never turn
// into a standing order, so the two triggers follow two rules:
//
//   last request of this trigger        | count-down at 00:00:00 | set-time moment
//   ------------------------------------+------------------------+----------------
//   none yet                            | ask                    | ask
//   not sent (no bus yet)               | ask                    | ask
//   refused                             | ask                    | ask
//   handed over (no answer is kept)     | ask                    | done
//   awaited                             | hold                   | hold
//   accepted                            | hold                   | done
//   no reply within its time            | hold                   | done
//
// The count-down at zero is a state: met at every tick while it reads zero; a held request
// is asked anew when the action or the option changes, the count-down runs again, or Ok.
// The set time is a moment: it begins at the tick that crosses the target and ends when
// it is done, a minute after it began (a refusal or a missing bus never turns it into a
// standing order), when its text names no action at a tick where it would ask, when the target
// changes or is no longer reached (the clock went back, a gap too long), when "by Count
// Down" is chosen, or at Ok. Nothing brings an ended moment back; only a new crossing
// (a new target, the clock crossing it again, Ok) makes a new one.
class WhenToAsk {
public:
    enum class Verdict { Ask, Hold, Done };
    enum class Trigger { CountDown, SetTime };
    enum class Fate { None, NotSent, Refused, HandedOver, Awaited, Accepted, NoReply };

    // How long after its crossing a set time may still be asked for.
    static constexpr std::int64_t momentLastsMs = 60'000;

    // The table above.
    static Verdict verdict(Trigger trigger, Fate lastRequest);

    // The trigger as one armed tick finds it.
    struct Tick {
        Trigger trigger;
        bool met;                      // count-down: reads zero; set time: reached, with no gap too long since
        bool fresh;                    // count-down: ran down in this tick; set time: this tick crossed the target
        std::int64_t targetSecond = 0; // set time only
        std::optional<SessionAction> action; // the action box's text, when it names one
        std::int64_t atMs = 0;               // when, on a clock that runs on through sleep
    };

    // Once per armed tick: the action to ask for now, if any. `answer` is the platform's
    // answer to the last request that was sent.
    std::optional<SessionAction> onTick(const Tick &tick, Answer answer);

    // What became of the request onTick asked for.
    void asked(Delivery delivery) { m_delivery = delivery; }

    // Ok: every trigger is new.
    void rearmed();

private:
    std::optional<SessionAction> countDown(const Tick &tick, Answer answer);
    std::optional<SessionAction> setTime(const Tick &tick, Answer answer);
    Fate lastFate(Answer answer) const;
    std::optional<SessionAction> ask(Trigger trigger, SessionAction action);

    struct Request {
        Trigger trigger;
        SessionAction action;
    };
    // The last request asked for the trigger in force, and how it left.
    std::optional<Request> m_request;
    Delivery m_delivery = Delivery::NotSent;
    // The set time whose moment is running, and whether it has ended.
    struct Moment {
        std::int64_t targetSecond;
        std::int64_t crossedAtMs;
        bool over = false;
    };
    std::optional<Moment> m_moment;
};
