#pragma once

#include "ports/Values.h"

#include <optional>
#include <string_view>

// The action whose text the action box shows, compared exactly and case-sensitively;
// nothing for any other text.
std::optional<SessionAction> actionFromText(std::string_view text);
