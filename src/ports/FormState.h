#pragma once

#include "Values.h"

#include <cstdint>

// The window-level variables the handlers (schedule/, about/) share, in their declared order. They start
// as zero and Form_Load gives them their values.
struct FormState {
    std::int16_t intPosFlags = 0; // flags of the topmost request
    VbBoolean blnArmed = vbFalse; // the schedule is armed
    DateValue datOneSecond = 0.0; // one second, the count-down step
};
