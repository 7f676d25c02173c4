#include "schedule/DateValue.h"

#include <doctest.h>

#include <cmath>

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
}

TEST_CASE("time of day to the second, and the count-down step")
{
    const DateValue day = 36887.0, second = 1.0 / 86400.0;
    // Value, its time of day in seconds: a time part that rounds up to a whole day is midnight.
    const std::pair<DateValue, int> rows[] = {
        {day, 0}, {day + second, 1}, {day + 86399.6 * second, 0}, {day + 86399.4 * second, 86399}, {-1.25, 6 * 3600}};
    for (const auto &[value, seconds] : rows) {
        CAPTURE(value);
        CHECK(std::llround(timeOfDayToSecond(value) * 86400.0) == seconds);
    }
    CHECK(timeFromText("00:00:01") == second);
    CHECK(sameTimeOfDay(fromWallClock({2000, 12, 27, 0, 0, 1}) - second, 0.0));
    // Stepping back keeps the date, and before 1899 moves to the earlier second, not the later.
    CHECK(toWallClock(secondsEarlier(fromWallClock({2000, 12, 27, 0, 0, 1}), 1)) == WallClock{2000, 12, 27});
    CHECK(toWallClock(secondsEarlier(fromWallClock({1850, 6, 1, 10, 0, 5}), 5)) == WallClock{1850, 6, 1, 10});
    CHECK(toWallClock(secondsEarlier(0.0, 1)) == WallClock{1899, 12, 29, 23, 59, 59});
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
        {fromWallClock({2001, 3, 5, 23, 59, 59}) + 0.6 / 86400.0, {}, "06/03/01 00:00:00"}, // into the next day
        {-1.25, {}, "29/12/99 06:00:00"},
    };
    for (const auto &row : rows) {
        const std::string text = row.text;
        CAPTURE(text);
        CHECK(clockText(row.value, row.separators) == row.text);
    }
}

TEST_CASE("separators are literal text in the pickers' formats; the clock breaks only between date and time")
{
    CHECK(clockPattern({". ", " 'h' "}) == "dd'. 'MM'. 'yy HH' ''h'' 'mm' ''h'' 'ss");
    const char *nbsp = "\u00a0";
    CHECK(drawnClock("07. 12. 26 12 'h' 00 'h' 02") ==
          std::string("07.") + nbsp + "12." + nbsp + "26 12" + nbsp + "'h'" + nbsp + "00" + nbsp + "'h'" + nbsp + "02");
    CHECK(drawnClock("07/12/26 12:00:02") == "07/12/26 12:00:02");
}
