#include "BusSocket.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <optional>
#include <system_error>

namespace {

std::string unescaped(std::string_view value)
{
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        unsigned byte = 0;
        if (value[i] == '%' && i + 2 < value.size() &&
            std::from_chars(value.data() + i + 1, value.data() + i + 3, byte, 16).ptr == value.data() + i + 3) {
            text += static_cast<char>(byte);
            i += 2;
        } else {
            text += value[i];
        }
    }
    return text;
}

// The socket of the first "unix:" address with a path or an abstract name; nothing for
// other transports, which are not looked at.
std::optional<sockaddr_un> socketOf(std::string_view addresses)
{
    const std::string_view address = addresses.substr(0, addresses.find(';'));
    if (address.substr(0, 5) != "unix:")
        return std::nullopt;
    std::string_view keys = address.substr(5);
    while (!keys.empty()) {
        const std::string_view pair = keys.substr(0, keys.find(','));
        keys.remove_prefix(std::min(keys.size(), pair.size() + 1));
        const bool abstract = pair.substr(0, 9) == "abstract=";
        if (!abstract && pair.substr(0, 5) != "path=")
            continue;
        std::string name(abstract ? 1 : 0, '\0'); // an abstract name begins with a NUL byte
        name += unescaped(pair.substr(pair.find('=') + 1));
        sockaddr_un socket{};
        socket.sun_family = AF_UNIX;
        if (name.size() >= sizeof(socket.sun_path))
            return std::nullopt;
        std::memcpy(socket.sun_path, name.data(), name.size());
        return socket;
    }
    return std::nullopt;
}

// A NUL byte, then the user id's digits in hex (the ASCII digit d is 0x3d).
std::string authenticationLine()
{
    std::string hello(1, '\0');
    hello.append("AUTH EXTERNAL ");
    for (const char digit : std::to_string(::getuid())) {
        hello.push_back('3');
        hello.push_back(digit);
    }
    hello.append("\r\n");
    return hello;
}

using Clock = std::chrono::steady_clock;

int msLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::max<long long>(0, left));
}

// Connects without blocking: a listener whose queue is full (a daemon stopped for hours
// keeps every closed probe queued) refuses at once, and is asked again until the deadline;
// then it counts as silent. 0 when connected, else the error.
int connectBy(int fd, const sockaddr_un &address, socklen_t length, Clock::time_point deadline)
{
    constexpr int pauseMs = 20;
    for (;;) {
        if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), length) == 0)
            return 0;
        const int error = errno;
        if (error == EINPROGRESS) { // not on a local socket, but a connect must be waited for then
            pollfd writable{fd, POLLOUT, 0};
            int result = 0;
            socklen_t size = sizeof(result);
            if (::poll(&writable, 1, msLeft(deadline)) <= 0)
                return EAGAIN;
            ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &result, &size);
            return result;
        }
        if (error != EAGAIN || msLeft(deadline) == 0)
            return error;
        ::poll(nullptr, 0, std::min(pauseMs, msLeft(deadline)));
    }
}

} // namespace

BusLook lookAtBus(std::string_view addresses, int answerWithinMs)
{
    const auto address = socketOf(addresses);
    if (!address)
        return {BusReach::Answers, {}};
    const auto deadline = Clock::now() + std::chrono::milliseconds(answerWithinMs);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 +
                                               std::strlen(address->sun_path + (address->sun_path[0] ? 0 : 1)));
    const int error = fd < 0 ? errno : connectBy(fd, *address, length, deadline);
    if (error == EAGAIN) {
        ::close(fd);
        return {BusReach::Silent, {}}; // its queue stayed full
    }
    if (error != 0) {
        if (fd >= 0)
            ::close(fd);
        return {BusReach::Absent, std::error_code(error, std::generic_category()).message()};
    }
    const std::string hello = authenticationLine();
    pollfd reply{fd, POLLIN, 0};
    const bool answered = ::send(fd, hello.data(), hello.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(hello.size()) &&
                          ::poll(&reply, 1, msLeft(deadline)) > 0;
    ::close(fd);
    return {answered ? BusReach::Answers : BusReach::Silent, {}};
}
