#include "BusSocket.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
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

} // namespace

BusLook lookAtBus(std::string_view addresses, int answerWithinMs)
{
    const auto address = socketOf(addresses);
    if (!address)
        return {BusReach::Answers, {}};
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 +
                                               std::strlen(address->sun_path + (address->sun_path[0] ? 0 : 1)));
    if (fd < 0 || ::connect(fd, reinterpret_cast<const sockaddr *>(&*address), length) != 0) {
        const int error = errno;
        if (fd >= 0)
            ::close(fd);
        return {BusReach::Absent, std::error_code(error, std::generic_category()).message()};
    }
    const std::string hello = authenticationLine();
    pollfd reply{fd, POLLIN, 0};
    const bool answered = ::send(fd, hello.data(), hello.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(hello.size()) &&
                          ::poll(&reply, 1, answerWithinMs) > 0;
    ::close(fd);
    return {answered ? BusReach::Answers : BusReach::Silent, {}};
}
