#include "WhenToAsk.h"

WhenToAsk::Verdict WhenToAsk::verdict(Trigger trigger, Fate lastRequest)
{
    switch (lastRequest) {
    case Fate::None:
    case Fate::NotSent:
    case Fate::Refused:
        return Verdict::Ask;
    case Fate::Awaited:
        return Verdict::Hold;
    case Fate::HandedOver:
        return trigger == Trigger::CountDown ? Verdict::Ask : Verdict::Done;
    case Fate::Accepted:
    case Fate::NoReply:
        return trigger == Trigger::CountDown ? Verdict::Hold : Verdict::Done;
    }
    return Verdict::Ask;
}

std::optional<SessionAction> WhenToAsk::onTick(const Tick &tick, Answer answer)
{
    return tick.trigger == Trigger::CountDown ? countDown(tick, answer) : setTime(tick, answer);
}

void WhenToAsk::rearmed()
{
    m_request.reset();
    m_moment.reset();
}

std::optional<SessionAction> WhenToAsk::countDown(const Tick &tick, Answer answer)
{
    m_moment.reset(); // choosing "by Count Down" ends a moment still due
    if (!tick.met || !tick.action) {
        m_request.reset(); // the next tick at zero is a new request
        return std::nullopt;
    }
    if (tick.fresh)
        m_request.reset(); // it ran down again: a new request
    const bool same = m_request && m_request->trigger == Trigger::CountDown && m_request->action == *tick.action;
    if (same && verdict(Trigger::CountDown, lastFate(answer)) == Verdict::Hold)
        return std::nullopt;
    return ask(Trigger::CountDown, *tick.action);
}

std::optional<SessionAction> WhenToAsk::setTime(const Tick &tick, Answer answer)
{
    if (tick.fresh) {
        m_moment = Moment{tick.targetSecond, tick.atMs};
        m_request.reset();
    } else if (m_moment && (!tick.met || m_moment->targetSecond != tick.targetSecond)) {
        m_moment.reset();
    }
    if (m_moment && tick.atMs - m_moment->crossedAtMs > momentLastsMs)
        m_moment->over = true;
    if (!m_moment || m_moment->over)
        return std::nullopt;
    const Verdict now = verdict(Trigger::SetTime, lastFate(answer));
    if (now == Verdict::Hold)
        return std::nullopt;
    // A moment whose text names no action where it would ask asks for nothing, then or later.
    if (now == Verdict::Done || !tick.action) {
        m_moment->over = true;
        return std::nullopt;
    }
    return ask(Trigger::SetTime, *tick.action);
}

WhenToAsk::Fate WhenToAsk::lastFate(Answer answer) const
{
    if (!m_request)
        return Fate::None;
    switch (m_delivery) {
    case Delivery::NotSent:
        return Fate::NotSent;
    case Delivery::HandedOver:
        return Fate::HandedOver;
    case Delivery::Sent:
        break;
    }
    switch (answer) {
    case Answer::Awaited:
        return Fate::Awaited;
    case Answer::Accepted:
        return Fate::Accepted;
    case Answer::Refused:
        return Fate::Refused;
    case Answer::NoReply:
        return Fate::NoReply;
    }
    return Fate::Awaited;
}

std::optional<SessionAction> WhenToAsk::ask(Trigger trigger, SessionAction action)
{
    m_request = Request{trigger, action};
    m_delivery = Delivery::NotSent; // until asked() says how it left
    return action;
}
