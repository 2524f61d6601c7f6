// Daylight-saving transitions from the rule words, the in-force test for both hemispheres,
// and the local time, date and transition texts. Minutes are counted from 00:00 of 1 January
// of the UTC year; local times simply run past the day's or year's end in that count.
#include "geo/dst.h"

#include <cstdio>

#include "geo/text16.h"

namespace geo {
namespace {

constexpr int kDaysBefore[2][13] = {
    {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
    {0, 0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335},
};
constexpr int kMonthDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr int kMinutesPerDay = 1440;

int mod7(int x) {
    return ((x % 7) + 7) % 7;
}

// Dates with their weekday, stepped by whole days.
void stepBack(LocalTime* d) {
    d->dayOfWeek = mod7(d->dayOfWeek - 1);
    if (--d->day >= 1) return;
    if (--d->month < 1) {
        d->month = 12;
        --d->year;
    }
    d->day = daysInMonth(d->year, d->month);
}

void stepForward(LocalTime* d) {
    d->dayOfWeek = mod7(d->dayOfWeek + 1);
    if (++d->day <= daysInMonth(d->year, d->month)) return;
    d->day = 1;
    if (++d->month > 12) {
        d->month = 1;
        ++d->year;
    }
}

std::u16string formatDate(const LocalTime& d) {
    char text[48];
    std::snprintf(text, sizeof text, "%s, %s %d%s, %04d", weekdayName(d.dayOfWeek),
                  monthName(d.month), d.day, ordinalSuffix(d.day), d.year);
    return widen(text);
}

// The sentence for an event. A weekday rule counted from a late D0 may land past the end
// of its month (26 October + 6 days); the date is shown as the day it really is.
std::u16string transitionSentence(bool begins, const DstEvent& e) {
    LocalTime d{e.year, e.month, e.day, e.dayOfWeek, 0, false};
    while (d.month >= 1 && d.month <= 12 && d.day > daysInMonth(d.year, d.month)) {
        d.day -= daysInMonth(d.year, d.month);
        if (++d.month > 12) {
            d.month = 1;
            ++d.year;
        }
    }
    char text[80];
    std::snprintf(text, sizeof text, "DST %s %s, %s %d%s, %04d at %02d:%02d",
                  begins ? "begins" : "ends", weekdayName(d.dayOfWeek), monthName(d.month), d.day,
                  ordinalSuffix(d.day), d.year, e.hour, e.minute);
    return widen(text);
}

// 1 January of the year after `now`, with its weekday.
platform::UtcTime firstOfNextYear(const platform::UtcTime& now) {
    bool leap = isLeapYear(now.year);
    int today = kDaysBefore[leap][now.month] + now.day;
    int daysInYear = leap ? 366 : 365;
    platform::UtcTime next = now;
    next.dayOfWeek = mod7(now.dayOfWeek + daysInYear - today + 1);
    next.year = now.year + 1;
    next.month = 1;
    next.day = 1;
    return next;
}

// The clock at `place` with daylight saving as given: the offset is added to the UTC time
// of day and the date stepped across midnight either way.
LocalTime wallClock(const platform::UtcTime& now, const Place& place, bool dstInForce) {
    LocalTime t{now.year, now.month, now.day, now.dayOfWeek, 0, dstInForce};
    int minutes = now.hour * 60 + now.minute + place.tzOffset + (dstInForce ? 60 : 0);
    while (minutes < 0) {
        minutes += kMinutesPerDay;
        stepBack(&t);
    }
    while (minutes >= kMinutesPerDay) {
        minutes -= kMinutesPerDay;
        stepForward(&t);
    }
    t.minuteOfDay = minutes;
    return t;
}

}  // namespace

bool isLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int daysInMonth(int year, int month) {
    return month == 2 && isLeapYear(year) ? 29 : kMonthDays[month];
}

bool dstRuleValid(uint16_t rule, uint16_t time) {
    int month = rule & 255;
    if (month < 1 || month > 12 || (time & 2047) >= kMinutesPerDay) return false;
    if (!(rule & kDstWeekdayRule)) {
        int day = (rule >> 8) & 127;
        return day >= 1 && day <= 31;
    }
    int weekday = (rule >> 8) & 7;
    int week = (rule >> 11) & 7;
    return weekday >= 1 && week >= 1 && week <= 5;
}

int dstTransition(const platform::UtcTime& now, bool leap, uint16_t rule, uint16_t time, int offset,
                  DstEvent* event) {
    const int* before = kDaysBefore[leap ? 1 : 0];
    int month = rule & 255;
    if (month < 1 || month > 12) month = 1;  // callers check words first; never index outside
    int minutes = time & 2047;
    int today = before[now.month] + now.day;
    auto weekdayOf = [&](int dayOfYear) { return mod7(now.dayOfWeek - (today - dayOfYear)); };
    int day;
    int weekday;
    if (!(rule & kDstWeekdayRule)) {
        day = (rule >> 8) & 127;
        weekday = weekdayOf(before[month] + day);
    } else {
        int wanted = ((rule >> 8) & 7) - 1;
        int week = (rule >> 11) & 7;
        if (week == 5) {
            int last = month == 2 && leap ? 29 : kMonthDays[month];
            day = last - mod7(weekdayOf(before[month] + last) - wanted);
        } else {
            int first = time >> 11;
            if (first == 0) first = 1;
            day = (week - 1) * 7 + first + mod7(wanted - weekdayOf(before[month] + first));
        }
        weekday = wanted;
    }
    *event = DstEvent{month,
                      day,
                      weekday,
                      now.year,
                      minutes / 60,
                      minutes % 60,
                      (before[month] + day - 1) * kMinutesPerDay + minutes};
    int nowMinutes = (today - 1) * kMinutesPerDay + now.hour * 60 + now.minute + offset;
    return nowMinutes - event->minuteOfYear;
}

bool dstState(const platform::UtcTime& now, const Place& place, std::u16string* text) {
    if (place.dstStartRule == 0 || place.dstEndRule == 0 ||
        !dstRuleValid(place.dstStartRule, place.dstStartTime) ||
        !dstRuleValid(place.dstEndRule, place.dstEndTime)) {
        if (text) *text = u"No DST observed";
        return false;
    }
    bool leap = isLeapYear(now.year);
    DstEvent start, end;
    int a =
        dstTransition(now, leap, place.dstStartRule, place.dstStartTime, place.tzOffset, &start);
    // The end time is a daylight-time clock reading, hence the extra hour.
    int b = dstTransition(now, leap, place.dstEndRule, place.dstEndTime, place.tzOffset + 60, &end);
    bool southern = start.minuteOfYear > end.minuteOfYear;
    bool inForce = southern ? (a >= 0 || b < 0) : (a >= 0 && b < 0);
    if (text == nullptr) return inForce;
    bool nextYear = southern ? a >= 0 : b >= 0;
    if (nextYear) {
        platform::UtcTime next = firstOfNextYear(now);
        bool nextLeap = isLeapYear(next.year);
        if (inForce) {
            dstTransition(next, nextLeap, place.dstEndRule, place.dstEndTime, place.tzOffset + 60,
                          &end);
        } else {
            dstTransition(next, nextLeap, place.dstStartRule, place.dstStartTime, place.tzOffset,
                          &start);
        }
    }
    *text = inForce ? transitionSentence(false, end) : transitionSentence(true, start);
    return inForce;
}

LocalTime localTime(const platform::UtcTime& now, const Place& place) {
    return wallClock(now, place, dstState(now, place, nullptr));
}

bool localDateTime(const platform::UtcTime& now, const Place& place, int format,
                   std::u16string* timeText, std::u16string* dateText,
                   std::u16string* transitionText) {
    bool inForce = dstState(now, place, transitionText);
    if (timeText == nullptr) return inForce;
    LocalTime local = wallClock(now, place, inForce);
    int hour = local.minuteOfDay / 60;
    const char* meridiem = "";
    if (format == kTime12) {
        meridiem = hour < 12 ? "am" : "pm";
        hour %= 12;
        if (hour == 0) hour = 12;
    }
    const char* state = inForce ? " (Daylight)" : " (Standard)";
    char text[48];
    std::snprintf(text, sizeof text, format == kTimeHhmm ? "%02d%02d %s%s" : "%02d:%02d %s%s", hour,
                  local.minuteOfDay % 60, meridiem, state);
    *timeText = widen(text);
    if (dateText) *dateText = formatDate(local);
    return inForce;
}

const char* weekdayName(int dayOfWeek) {
    static const char* const kNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    return kNames[mod7(dayOfWeek)];
}

const char* monthName(int month) {
    static const char* const kNames[13] = {"",    "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return month >= 1 && month <= 12 ? kNames[month] : "";
}

const char* ordinalSuffix(int day) {
    if (day == 1 || day == 21 || day == 31) return "st";
    if (day == 2 || day == 22) return "nd";
    if (day == 3 || day == 23) return "rd";
    return "th";
}

}  // namespace geo
