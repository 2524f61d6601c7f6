// Local time of a place: its standard offset, plus 60 minutes while its daylight-saving rule
// pair is in force, and the sentence describing its next transition. The rule and time words
// are those of cities.bin. Pure functions of the UTC time passed in; nothing reads a clock.
#pragma once

#include <cstdint>
#include <string>

#include "base/options.h"
#include "geo/place.h"
#include "platform/clock.h"

namespace geo {

// DstRule word: bits 0..7 month 1..12. Bit 15 clear: bits 8..14 the day of month. Bit 15
// set: bits 8..10 weekday + 1 (1 = Sunday), bits 11..13 week n 1..4 (5 = last of the month).
// 0 = no daylight saving.
constexpr uint16_t kDstWeekdayRule = 0x8000;
inline uint16_t dstFixedRule(int month, int day) {
    return static_cast<uint16_t>(month | (day << 8));
}
inline uint16_t dstWeekdayRule(int month, int weekday, int week) {
    return static_cast<uint16_t>(kDstWeekdayRule | month | ((weekday + 1) << 8) | (week << 11));
}
// DstTime word: bits 0..10 minute of the day 0..1439 (standard time for a start, daylight
// time for an end); bits 11..15 the day D0 a weekday rule counts from (0 means 1).
inline uint16_t dstTimeWord(int minuteOfDay, int firstDay) {
    return static_cast<uint16_t>(minuteOfDay | (firstDay << 11));
}

// A computed transition.
struct DstEvent {
    int32_t month;
    int32_t day;
    int32_t dayOfWeek;  // 0 = Sunday
    int32_t year;
    int32_t hour;
    int32_t minute;
    int32_t minuteOfYear;  // minutes since 00:00 of 1 January; may pass the month's end
};

// The wall clock at a place: its calendar date and time of day.
struct LocalTime {
    int year;
    int month;        // 1..12
    int day;          // 1..31
    int dayOfWeek;    // 0 = Sunday
    int minuteOfDay;  // 0..1439
    bool dstInForce;  // the clock is 60 minutes ahead of standard time
};

bool isLeapYear(int year);
// Days in `month` (1..12) of `year`.
int daysInMonth(int year, int month);
// True when a rule word and its time word lie within the ranges above.
bool dstRuleValid(uint16_t rule, uint16_t time);

// The transition of `rule`/`time` in the UTC year of `now`, placed on a clock `offset`
// minutes east of UTC. Returns the current time minus the transition in minutes (negative
// while it is still ahead); `now` is only read.
int dstTransition(const platform::UtcTime& now, bool leap, uint16_t rule, uint16_t time, int offset,
                  DstEvent* event);

// True when daylight saving is in force at `place` now. When `text` is given, writes the
// forthcoming transition ("DST begins Sun, Mar 28th, 2027 at 02:00") or "No DST observed".
// A place with a rule word outside its range counts as observing no daylight saving.
bool dstState(const platform::UtcTime& now, const Place& place, std::u16string* text);

// The wall clock at `place` at the UTC time `now`: standard offset, plus 60 minutes while
// daylight saving is in force, carried across midnight, month and year ends.
LocalTime localTime(const platform::UtcTime& now, const Place& place);

// The local time and date at `place` in `format` (the options record's TimeFormat), e.g.
// "09:05 pm (Standard)" and "Sat, Mar 20th, 2027", and the transition sentence; any text may
// be null (the date is written only together with the time). Returns the daylight-saving state.
bool localDateTime(const platform::UtcTime& now, const Place& place, int format,
                   std::u16string* timeText, std::u16string* dateText,
                   std::u16string* transitionText);

// "Sun", "Mon", ... for 0..6; "Jan" ... "Dec" for 1..12; "st", "nd", "rd" or "th".
const char* weekdayName(int dayOfWeek);
const char* monthName(int month);
const char* ordinalSuffix(int day);

}  // namespace geo
