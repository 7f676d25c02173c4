#pragma once

#include "SessionAction.h"

#include <QStringView>

#include <optional>

// The action whose text the action box shows, compared exactly and case-sensitively;
// nothing for any other text.
std::optional<SessionAction> actionFromText(QStringView text);
