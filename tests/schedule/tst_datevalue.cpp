#include "schedule/DateValue.h"

#include <doctest.h>

#include <cmath>
#include <random>

using namespace datevalue;

TEST_CASE("date values and wall-clock readings convert both ways")
{
    const struct {
        DateValue value;
        WallClock wall;
    } rows[] = {
        {0.0, {1899, 12, 30}},      {0.25, {1899, 12, 30, 6}},
        {-1.25, {1899, 12, 29, 6}}, // a negative day's time still counts forward
        {-1.0, {1899, 12, 29}},     {36887.0, {2000, 12, 27}},
        {-109205.0, {1601, 1, 1}},  {2958465.0 + 86399.0 / 86400.0, {9999, 12, 31, 23, 59, 59}},
    };
    for (const auto &row : rows) {
        CAPTURE(row.value);
        CHECK(toWallClock(row.value) == row.wall);
        CHECK(fromWallClock(row.wall) == row.value);
    }

    // Whole seconds from 1601 to 9999 survive value -> wall clock -> value, to the second.
    std::mt19937_64 random(20261206);
    const std::int64_t first = wholeSeconds(fromWallClock({1601, 1, 1}));
    const std::int64_t last = wholeSeconds(fromWallClock({9999, 12, 31, 23, 59, 59}));
    std::uniform_int_distribution<std::int64_t> pick(first, last);
    for (int i = 0; i < 20000; ++i) {
        const std::int64_t second = pick(random);
        const std::int64_t day =
            second >= 0 ? second / secondsPerDay : -((-second + secondsPerDay - 1) / secondsPerDay);
        const auto seconds = static_cast<double>(second - day * secondsPerDay);
        const DateValue value = day < 0 ? static_cast<double>(day) - seconds / secondsPerDay
                                        : static_cast<double>(day) + seconds / secondsPerDay;
        REQUIRE(wholeSeconds(fromWallClock(toWallClock(value))) == second);
        REQUIRE(wholeSeconds(roundedToSecond(value + 0.4 / secondsPerDay)) == second);
    }
}

TEST_CASE("time of day to the second")
{
    const struct {
        DateValue value;
        int seconds;
    } rows[] = {
        {36887.0, 0},
        {36887.0 + 1.0 / 86400.0, 1},
        {36887.0 + 86399.6 / 86400.0, 0}, // rounds up to a whole day: midnight
        {36887.0 + 86399.4 / 86400.0, 86399},
        {-1.25, 6 * 3600},
        {10.5 / 86400.0, 11},
    };
    for (const auto &row : rows) {
        CAPTURE(row.value);
        const DateValue time = timeOfDayToSecond(row.value);
        CHECK(time >= 0.0);
        CHECK(time < 1.0);
        CHECK(std::llround(time * 86400.0) == row.seconds);
    }
}

TEST_CASE("the count-down step keeps the date, on either side of 1899")
{
    const DateValue oneSecond = timeFromText("00:00:01").value();
    CHECK(oneSecond == 1.0 / 86400.0);
    const DateValue value = fromWallClock({2000, 12, 27, 0, 0, 1});
    CHECK(sameTimeOfDay(value - oneSecond, 0.0));
    CHECK(toWallClock(secondsEarlier(value, 1)) == WallClock{2000, 12, 27});
    CHECK(toWallClock(secondsEarlier(fromWallClock({1850, 6, 1, 10, 0, 5}), 5)) == WallClock{1850, 6, 1, 10});
    CHECK(toWallClock(secondsEarlier(fromWallClock({1899, 12, 30}), 1)) == WallClock{1899, 12, 29, 23, 59, 59});
    CHECK(wholeSeconds(fromWallClock({1899, 12, 30})) - wholeSeconds(fromWallClock({1899, 12, 29, 23, 59, 59})) == 1);
}

TEST_CASE("time texts")
{
    CHECK(timeFromText("00:00:00") == 0.0);
    CHECK(timeFromText("23:59:59") == 86399.0 / 86400.0);
    CHECK(timeFromText("1:2:3") == 3723.0 / 86400.0);
    for (const char *bad :
         {"", "24:00:00", "00:60:00", "00:00:60", "1:2", "aa:bb:cc", "00:00:01 ", "::", "001:00:00"}) {
        CAPTURE(bad);
        CHECK_FALSE(timeFromText(bad).has_value());
    }
}

TEST_CASE("clock text")
{
    const DateValue march = fromWallClock({2001, 3, 5, 7, 4, 9});
    const struct {
        DateValue value;
        Separators separators;
        const char *text;
    } rows[] = {
        {march, {}, "05/03/01 07:04:09"},
        {march, {".", "."}, "05.03.01 07.04.09"},
        {march, {"\u0660", "\u061b"}, "05\u066003\u066001 07\u061b04\u061b09"}, // UTF-8 separators
        {-109205.0, {}, "01/01/01 00:00:00"},
        {36887.0, {}, "27/12/00 00:00:00"},
        {march + 0.6 / 86400.0, {}, "05/03/01 07:04:10"},
        {-1.25, {}, "29/12/99 06:00:00"},
    };
    for (const auto &row : rows) {
        CAPTURE(row.text);
        CHECK(clockText(row.value, row.separators) == row.text);
    }
    CHECK(clockPattern({".", ":"}) == "dd'.'MM'.'yy HH':'mm':'ss");
}
