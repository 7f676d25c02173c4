#pragma once

#include "schedule/DateValue.h"

class QLocale;

// The date and time separators of a locale's short formats; "/" and ":" where a format
// has none (or only blanks) between its fields.
Separators separatorsOf(const QLocale &locale);
