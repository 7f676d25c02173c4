#include "ActionText.h"

#include <array>
#include <utility>

std::optional<SessionAction> actionFromText(std::string_view text)
{
    static constexpr std::array<std::pair<std::string_view, SessionAction>, 3> table{{
        {"Shut Down", SessionAction::ShutDown},
        {"Restart", SessionAction::Restart},
        {"Log Off", SessionAction::LogOff},
    }};
    for (const auto &[caption, action] : table) {
        if (text == caption)
            return action;
    }
    return std::nullopt;
}
