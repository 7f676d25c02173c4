#include "support/PickerCases.h"
#include "window/FormDescription.h"

#include <doctest.h>

#include <cstdio>
#include <string>
#include <utility>

namespace {

using enum PickerField;
constexpr WallClock first{1601, 1, 1}, last{9999, 12, 31, 23, 59, 59};

std::string shown(const WallClock &w)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d", w.day, w.month, w.year, w.hour, w.minute,
                  w.second);
    return text;
}

} // namespace

TEST_CASE("a step carries into the next field or stops at the picker's end: never a wrap")
{
    for (const StepCase &step : stepCases) {
        const form::PickerEnds ends =
            form::pickerEnds(step.value.year == 2000 ? PickerFormat::TimeOfDay : PickerFormat::DateAndTime, step.value);
        CHECK(shown(steppedField(step.value, step.field, step.direction, ends.first, ends.last)) ==
              shown(step.expected));
    }
    // What a native picker's wrap is read as: the largest unit that changed.
    CHECK(steppedFieldOf({2026, 11, 30, 0, 59}, {2026, 11, 30, 0, 0}) == Minute);
    CHECK(steppedFieldOf({2027, 1, 31}, {2027, 2, 28}) == Month);
    CHECK(!steppedFieldOf({2027, 1, 31}, {2027, 1, 31}));
}

TEST_CASE("every day typed is kept, whatever month the picker showed; no digit lands in another field")
{
    // The picker shows the 15th of each month before; the user types day, month and year of
    // 29, 30 or 31 December 2026, or February 2028, field by field.
    const int monthsBefore[] = {2, 4, 6, 9, 11, 12, 1};
    for (const int before : monthsBefore) {
        for (const int day : {29, 30, 31}) {
            for (const auto &[month, year] : {std::pair{12, 26}, std::pair{2, 28}}) {
                CAPTURE(before);
                CAPTURE(day);
                CAPTURE(month);
                WallClock value{before == 2 ? 2027 : 2026, before, 15, 9, 0, 0};
                FieldTyping typing;
                const auto type = [&](PickerField field, int number) {
                    typing.digits.clear();
                    const char digits[] = {char('0' + number / 10), char('0' + number % 10)};
                    for (int i = 0; i < 2; ++i) {
                        const Typed typed = typedDigit(value, field, digits[i], typing, first, last);
                        value = typed.value;
                        CHECK(typed.full == (i == 1));
                    }
                };
                type(Day, day);
                type(Month, month);
                type(Year, year);
                value = withTypedDay(value, typing);
                CHECK(shown(value) == shown({2000 + year, month, month == 12 || day == 29 ? day : 29, 9}));
            }
        }
    }
    // A first digit that no second can follow fills the field; 31/04 stays at 30.
    FieldTyping typing;
    CHECK(typedDigit({2026, 11, 15}, Day, '4', typing, first, last).full);
    typing = {};
    WallClock value = typedDigit({2026, 11, 15}, Day, '3', typing, first, last).value;
    value = typedDigit(value, Day, '1', typing, first, last).value;
    typing.digits.clear();
    value = typedDigit(value, Month, '0', typing, first, last).value;
    CHECK(typedDigit(value, Month, '4', typing, first, last).value.day == 30);
}
