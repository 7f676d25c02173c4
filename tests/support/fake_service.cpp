// A stand-in service for the real-window tests: owns a name on the bus that the
// environment names, and prints one line per method call it receives:
//   <epoch ms> <sender> <member> <signature> <arguments>
// Usage: fake_service system|session NAME [reply|refuse|silent]
#include "FakeBusService.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    const QByteArray bus = args[1] == u"system" ? "DBUS_SYSTEM_BUS_ADDRESS" : "DBUS_SESSION_BUS_ADDRESS";
    const QString mode = args.value(3, QStringLiteral("reply"));
    const auto answer = mode == u"refuse"   ? FakeBusService::Answer::AccessDenied
                        : mode == u"silent" ? FakeBusService::Answer::Never
                                            : FakeBusService::Answer::Reply;
    FakeBusService service(bus, args[2], answer);
    service.onCall = [](const QDBusMessage &call) {
        QStringList arguments;
        for (const QVariant &argument : call.arguments())
            arguments << argument.toString();
        std::printf("%lld %s %s %s %s\n", static_cast<long long>(QDateTime::currentMSecsSinceEpoch()),
                    qPrintable(call.service()), qPrintable(call.member()),
                    qPrintable(call.signature().isEmpty() ? QStringLiteral("-") : call.signature()),
                    qPrintable(arguments.isEmpty() ? QStringLiteral("-") : arguments.join(QLatin1Char(','))));
        std::fflush(stdout);
    };
    std::printf("ready\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}
