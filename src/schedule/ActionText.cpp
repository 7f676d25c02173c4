#include "ActionText.h"

#include <array>
#include <utility>

std::optional<SessionAction> actionFromText(QStringView text)
{
    static const std::array<std::pair<QStringView, SessionAction>, 3> table{{
        {u"Shut Down", SessionAction::ShutDown},
        {u"Restart", SessionAction::Restart},
        {u"Log Off", SessionAction::LogOff},
    }};
    for (const auto &[caption, action] : table) {
        if (text == caption)
            return action;
    }
    return std::nullopt;
}
