#include "PowerHold.h"

#include "Wide.h"

namespace {

// A system power request with its reason, set; nothing where that cannot be had.
HANDLE systemRequest(const std::string &reason)
{
    using Create = HANDLE(WINAPI *)(PREASON_CONTEXT);
    using Set = BOOL(WINAPI *)(HANDLE, POWER_REQUEST_TYPE);
    static const auto create = systemFunction<Create>(L"kernel32.dll", "PowerCreateRequest");
    static const auto set = systemFunction<Set>(L"kernel32.dll", "PowerSetRequest");
    if (!create || !set)
        return nullptr;
    std::wstring text = wide(reason);
    REASON_CONTEXT context{};
    context.Version = POWER_REQUEST_CONTEXT_VERSION;
    context.Flags = POWER_REQUEST_CONTEXT_SIMPLE_STRING;
    context.Reason.SimpleReasonString = text.data();
    HANDLE request = create(&context);
    if (request == INVALID_HANDLE_VALUE || request == nullptr)
        return nullptr;
    if (!set(request, PowerRequestSystemRequired)) {
        CloseHandle(request);
        return nullptr;
    }
    return request;
}

} // namespace

void PowerHold::hold(const std::string &reason)
{
    HANDLE request = systemRequest(reason);
    release();
    if (request)
        m_request = request;
    else
        m_threadState = SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED) != 0;
}

void PowerHold::release()
{
    using Clear = BOOL(WINAPI *)(HANDLE, POWER_REQUEST_TYPE);
    static const auto clear = systemFunction<Clear>(L"kernel32.dll", "PowerClearRequest");
    if (m_request) {
        if (clear)
            clear(m_request, PowerRequestSystemRequired);
        CloseHandle(m_request);
        m_request = nullptr;
    }
    if (m_threadState)
        SetThreadExecutionState(ES_CONTINUOUS);
    m_threadState = false;
}
