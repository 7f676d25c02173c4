#pragma once

#include <QByteArray>
#include <QList>

#include <cstdio>
#include <cstdlib>
#include <signal.h>
#include <string>

// Two private message buses, started by the test itself before anything connects, that
// stand in for the session and system buses: no request ever reaches the machine's own.
class PrivateBuses {
public:
    PrivateBuses()
    {
        setenv("DBUS_SESSION_BUS_ADDRESS", start().constData(), 1);
        setenv("DBUS_SYSTEM_BUS_ADDRESS", start().constData(), 1);
    }
    ~PrivateBuses()
    {
        for (const int pid : m_pids)
            kill(pid, SIGTERM);
    }
    PrivateBuses(const PrivateBuses &) = delete;
    PrivateBuses &operator=(const PrivateBuses &) = delete;

private:
    QByteArray start()
    {
        FILE *daemon = popen("dbus-daemon --session --fork --print-address=1 --print-pid=1", "r");
        if (!daemon)
            std::abort();
        char address[512] = {};
        char pid[32] = {};
        const bool read = fgets(address, sizeof address, daemon) && fgets(pid, sizeof pid, daemon);
        pclose(daemon);
        if (!read)
            std::abort();
        m_pids.append(std::atoi(pid));
        return QByteArray(address).trimmed();
    }

    QList<int> m_pids;
};
