// Daylight saving and local time: rule days, and a comparison with the C library's zoneinfo
// (localtime_r under TZ) in both hemispheres, at every hour of a common and a leap year, in
// every time format and with the next change, for zones converted by the builder's converter.
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

// Compares the program's local time, date and daylight-saving flag with localtime_r for one
// zone at every hour of `year`; returns the number of readings that differ.
int countDifferences(const char* zone, const geo::Place& place, int year, std::string* first) {
    int differences = 0;
    int64_t start = platform::millisFromUtc(year, 1, 1, 0, 0, 0) / 1000;
    int64_t end = platform::millisFromUtc(year + 1, 1, 1, 0, 0, 0) / 1000;
    for (int64_t t = start; t < end; t += 3600) {
        struct tm local = zoneLocal(time_t(t));
        // Daylight time is whichever clock is ahead of the standard offset; that also covers
        // zones whose rule string calls the winter clock the daylight one.
        const char* state = local.tm_gmtoff / 60 != place.tzOffset ? "Daylight" : "Standard";
        char time24[32], hhmm[32];
        std::snprintf(time24, sizeof time24, "%02d:%02d  (%s)", local.tm_hour, local.tm_min, state);
        std::snprintf(hhmm, sizeof hhmm, "%02d%02d  (%s)", local.tm_hour, local.tm_min, state);
        std::string expected = std::string(time24) + " " + dateText(local);
        // The other formats on two days a month, the next change at their noon.
        const bool day = local.tm_mday == 1 || local.tm_mday == 15;
        const bool noon = day && local.tm_hour == 12;
        if (day) expected += std::string(" ") + hhmm + " " + zoneTime12(time_t(t), place.tzOffset);
        if (noon) expected += " " + zoneNextChange(time_t(t));
        platform::UtcTime now = platform::utcFromMillis(t * 1000);
        std::u16string time, date, change;
        geo::localDateTime(now, place, kTime24, &time, &date, noon ? &change : nullptr);
        std::string got = text(time) + " " + text(date);
        for (int format : {kTimeHhmm, kTime12}) {
            if (!day) break;
            geo::localDateTime(now, place, format, &time, nullptr, nullptr);
            got += " " + text(time);
        }
        if (noon) got += " " + text(change);
        if (got != expected && differences++ == 0)
            *first = std::string(zone) + " at " + std::to_string(t) + " s: " + got + ", expected " +
                     expected;
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
        geo::Place place;
        place.tzOffset = int16_t(w.offsetMinutes);
        place.dstStartRule = w.startRule, place.dstStartTime = w.startTime;
        place.dstEndRule = w.endRule, place.dstEndTime = w.endTime;
        ScopedZone scoped(zone);
        for (int year : {2027, 2028}) {
            std::string first;
            int differences = countDifferences(zone, place, year, &first);
            if (w.note.empty()) {
                EXPECT_EQ(differences, 0) << first;
            } else {
                // Rules the words cannot hold: listed with how far they are off, not hidden.
                std::printf("%s %d: %d readings differ (%s); first: %s\n", zone, year, differences,
                            w.note.c_str(), first.c_str());
                EXPECT_GT(differences, 0) << zone << " was expected to be inexact";
            }
        }
    }
}

}  // namespace
