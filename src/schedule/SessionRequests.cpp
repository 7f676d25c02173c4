#include "SessionRequests.h"

#include "ports/Platform.h"

namespace {

bool holdsNextRequest(RequestOutcome outcome)
{
    return outcome == RequestOutcome::Accepted || outcome == RequestOutcome::Unanswered;
}

} // namespace

SessionRequests::SessionRequests(Platform &platform) : m_platform(platform)
{
}

bool SessionRequests::ask(const RequestKey &request)
{
    if (m_held == request && holdsNextRequest(m_platform.lastRequestOutcome()))
        return false;
    if (m_platform.exitWindows(request.action) == RequestOutcome::NotSent) {
        m_held.reset();
        return false;
    }
    m_held = request;
    return true;
}

RequestOutcome SessionRequests::outcome() const
{
    return m_platform.lastRequestOutcome();
}
