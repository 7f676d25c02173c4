#pragma once

#include <QStringView>

#include <optional>

// The three ways the program can end the session, in the order the action box lists them.
enum class SessionAction { ShutDown, Restart, LogOff };

// The action whose text the action box shows, compared exactly and case-sensitively;
// nothing for any other text.
std::optional<SessionAction> actionFromText(QStringView text);

// After a log-off request the program ends itself; after the others it keeps running
// until the system closes it.
constexpr bool endsProgram(SessionAction action)
{
    return action == SessionAction::LogOff;
}
