// A stand-in service for the real-window tests: owns a name on the bus that the
// environment names, and prints one line per method call it receives:
//   <epoch ms> <path> <interface>.<member>(<signature>) <arguments>
// Usage: fake_service system|session NAME [refuse|never]
#include "FakeBusService.h"

#include <QCoreApplication>
#include <QDateTime>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    const QByteArray bus = args[1] == u"system" ? "DBUS_SYSTEM_BUS_ADDRESS" : "DBUS_SESSION_BUS_ADDRESS";
    const QString answer = args.value(3);
    FakeBusService service(bus, args[2],
                           answer == u"refuse"  ? FakeBusService::Answer::AccessDenied
                           : answer == u"never" ? FakeBusService::Answer::Never
                                                : FakeBusService::Answer::Reply);
    service.onCall = [](const QString &call) {
        std::printf("%lld %s\n", static_cast<long long>(QDateTime::currentMSecsSinceEpoch()), qPrintable(call));
        std::fflush(stdout);
    };
    std::printf("ready\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}
