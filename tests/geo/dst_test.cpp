// Daylight saving and local time: the calendar seams, rule days, both hemispheres, and a
// comparison with the C library's zoneinfo (localtime_r under TZ) at every hour of a common
// and a leap year for zones converted from their rule strings by the builder's converter.
#include "geo/dst.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "geo/text16.h"
#include "platform/clock.h"
#include "posix_tz.h"
#include "zoneinfo_text.h"

namespace {

platform::UtcTime utc(int y, int mo, int d, int h, int mi) {
    return platform::utcFromMillis(platform::millisFromUtc(y, mo, d, h, mi, 0));
}

std::string text(const std::u16string& s) {
    return geo::toUtf8(s.c_str());
}

geo::Place placeWith(int offset, uint16_t startRule, uint16_t startTime, uint16_t endRule,
                     uint16_t endTime) {
    geo::Place p;
    p.name = u"Test";
    p.tzOffset = int16_t(offset);
    p.dstStartRule = startRule;
    p.dstStartTime = startTime;
    p.dstEndRule = endRule;
    p.dstEndTime = endTime;
    return p;
}

// Without rules a place keeps its offset all year; the three clock formats. Offsets and the
// calendar's seams are compared with zoneinfo below.
TEST(LocalTime, NoRulesAndTimeFormats) {
    geo::Place p = placeWith(0, 0, 0, 0, 0);
    struct Case {
        int hour, minute, format;
        const char* expected;
    };
    for (Case c : {Case{21, 5, 0, "09:05 pm (Standard)"}, Case{21, 5, 1, "21:05  (Standard)"},
                   Case{21, 5, 2, "2105  (Standard)"}, Case{0, 7, 0, "12:07 am (Standard)"},
                   Case{12, 0, 0, "12:00 pm (Standard)"}, Case{11, 59, 0, "11:59 am (Standard)"}}) {
        std::u16string time, date, dst;
        EXPECT_FALSE(
            geo::localDateTime(utc(2027, 5, 5, c.hour, c.minute), p, c.format, &time, &date, &dst));
        EXPECT_EQ(text(time), c.expected);
        EXPECT_EQ(text(date), "Wed, May 5th, 2027");
        EXPECT_EQ(text(dst), "No DST observed");
    }
}

TEST(DstRules, EventDays) {
    struct Case {
        int year;
        uint16_t rule, time;
        int day;
    };
    const Case cases[] = {
        {2024, geo::dstWeekdayRule(3, 0, 5), geo::dstTimeWord(120, 0), 31},  // 31 Mar a Sunday
        {2026, geo::dstWeekdayRule(3, 0, 1), geo::dstTimeWord(120, 8), 8},   // 8 Mar a Sunday
        {2027, geo::dstWeekdayRule(3, 0, 2), geo::dstTimeWord(120, 1), 14},  // 1 Mar a Monday
        {2028, geo::dstWeekdayRule(2, 2, 5), geo::dstTimeWord(0, 0), 29},    // leap February
        {2027, geo::dstFixedRule(9, 21), geo::dstTimeWord(0, 0), 21},
    };
    for (const Case& c : cases) {
        geo::DstEvent e;
        platform::UtcTime now = utc(c.year, 6, 1, 0, 0);
        geo::dstTransition(now, geo::isLeapYear(c.year), c.rule, c.time, 0, &e);
        EXPECT_EQ(e.day, c.day) << c.year;
        // The weekday against the calendar of the platform clock.
        EXPECT_EQ(e.dayOfWeek, utc(c.year, e.month, e.day, 0, 0).dayOfWeek) << c.year;
    }
}

TEST(DstRules, NorthernAndSouthernSentences) {
    // Last Sunday of March 02:00 to last Sunday of October 03:00 daylight time, offset +60.
    geo::Place north = placeWith(60, geo::dstWeekdayRule(3, 0, 5), geo::dstTimeWord(120, 0),
                                 geo::dstWeekdayRule(10, 0, 5), geo::dstTimeWord(180, 0));
    // First Sunday of October 02:00 to first Sunday of April 03:00, offset +600.
    geo::Place south = placeWith(600, geo::dstWeekdayRule(10, 0, 1), geo::dstTimeWord(120, 0),
                                 geo::dstWeekdayRule(4, 0, 1), geo::dstTimeWord(180, 0));
    struct Case {
        const geo::Place* place;
        platform::UtcTime now;
        bool inForce;
        const char* sentence;
    };
    const Case cases[] = {
        {&north, utc(2027, 7, 1, 12, 0), true, "DST ends Sun, Oct 31st, 2027 at 03:00"},
        {&north, utc(2027, 12, 1, 12, 0), false, "DST begins Sun, Mar 26th, 2028 at 02:00"},
        {&north, utc(2027, 2, 1, 12, 0), false, "DST begins Sun, Mar 28th, 2027 at 02:00"},
        {&south, utc(2027, 1, 10, 12, 0), true, "DST ends Sun, Apr 4th, 2027 at 03:00"},
        {&south, utc(2027, 11, 10, 12, 0), true, "DST ends Sun, Apr 2nd, 2028 at 03:00"},
        {&south, utc(2027, 6, 10, 12, 0), false, "DST begins Sun, Oct 3rd, 2027 at 02:00"},
    };
    for (const Case& c : cases) {
        std::u16string sentence;
        EXPECT_EQ(geo::dstState(c.now, *c.place, &sentence), c.inForce) << c.sentence;
        EXPECT_EQ(text(sentence), c.sentence);
    }
}

// Compares the program's local time and daylight-saving flag with localtime_r for one zone
// at every hour of `year`; returns the number of hours that differ.
int countDifferences(const char* zone, const geo::Place& place, int year, std::string* first) {
    int differences = 0;
    int64_t start = platform::millisFromUtc(year, 1, 1, 0, 0, 0) / 1000;
    int64_t end = platform::millisFromUtc(year + 1, 1, 1, 0, 0, 0) / 1000;
    for (int64_t t = start; t < end; t += 3600) {
        time_t tt = time_t(t);
        struct tm local;
        localtime_r(&tt, &local);
        // Daylight time is whichever clock is ahead of the standard offset; that also covers
        // zones whose rule string calls the winter clock the daylight one.
        bool expectedDst = local.tm_gmtoff / 60 != place.tzOffset;
        char expected[32];
        std::snprintf(expected, sizeof expected, "%02d:%02d  (%s)", local.tm_hour, local.tm_min,
                      expectedDst ? "Daylight" : "Standard");
        std::string date = dateText(local);
        std::u16string time, ourDate;
        platform::UtcTime now = platform::utcFromMillis(t * 1000);
        bool inForce = geo::localDateTime(now, place, kTime24, &time, &ourDate, nullptr);
        if ((inForce != expectedDst || text(time) != expected || text(ourDate) != date) &&
            differences++ == 0)
            *first = std::string(zone) + " at " + std::to_string(t) + " s: " + text(time) + " " +
                     text(ourDate) + ", expected " + expected + " " + date;
    }
    return differences;
}

TEST(DstRules, MatchZoneinfoForAYearEveryHour) {
    const char* zones[] = {
        "Europe/Paris",     "Europe/London",    "Europe/Dublin",       "Europe/Chisinau",
        "America/New_York", "America/St_Johns", "America/Havana",      "America/Santiago",
        "America/Nuuk",     "Asia/Gaza",        "Asia/Jerusalem",      "Africa/Cairo",
        "Asia/Beirut",      "Australia/Sydney", "Australia/Adelaide",  "Pacific/Auckland",
        "Pacific/Chatham",  "Asia/Tokyo",       "Australia/Lord_Howe", "Antarctica/Troll",
    };
    for (const char* zone : zones) {
        std::string rule, error;
        citydb::PosixZone posix;
        ASSERT_TRUE(citydb::readZoneRule(std::string("/usr/share/zoneinfo/") + zone, &rule, &error))
            << error;
        ASSERT_TRUE(citydb::parsePosixTz(rule, &posix, &error)) << error;
        citydb::ZoneWords w = citydb::convertZone(posix);
        geo::Place place =
            placeWith(w.offsetMinutes, w.startRule, w.startTime, w.endRule, w.endTime);
        ScopedZone scoped(zone);
        for (int year : {2027, 2028}) {
            std::string first;
            int differences = countDifferences(zone, place, year, &first);
            if (w.note.empty()) {
                EXPECT_EQ(differences, 0) << first;
            } else {
                // Rules the words cannot hold: listed with how far they are off, not hidden.
                std::printf("%s %d: %d hours differ (%s); first: %s\n", zone, year, differences,
                            w.note.c_str(), first.c_str());
                EXPECT_GT(differences, 0) << zone << " was expected to be inexact";
            }
        }
    }
}

}  // namespace
