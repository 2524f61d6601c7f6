// Local time as the C library's zoneinfo tells it (localtime_r under TZ), written the way the
// information panel writes it: the time and date lines and the next daylight-saving change.
// The reference for the daylight-saving tests and the end-to-end panel tests.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

// Sets TZ for its lifetime; the tests run without one, and none is left behind.
struct ScopedZone {
    explicit ScopedZone(const char* zone) {
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedZone() {
        unsetenv("TZ");
        tzset();
    }
};

// English ordinal suffixes.
inline const char* ordinal(int day) {
    if (day / 10 == 1) return "th";
    return day % 10 == 1 ? "st" : day % 10 == 2 ? "nd" : day % 10 == 3 ? "rd" : "th";
}

inline struct tm zoneLocal(time_t t) {
    struct tm local;
    localtime_r(&t, &local);
    return local;
}

// Minutes east of UTC on the zone's clock at t.
inline int zoneOffsetMinutes(time_t t) {
    return static_cast<int>(zoneLocal(t).tm_gmtoff / 60);
}

// "Sat, Mar 20th, 2027" for a broken-down date.
inline std::string dateText(const struct tm& d) {
    char head[16];
    strftime(head, sizeof head, "%a, %b ", &d);
    return head + std::to_string(d.tm_mday) + ordinal(d.tm_mday) + ", " +
           std::to_string(d.tm_year + 1900);
}

// "01:00 pm (Daylight)": the 12-hour clock at t. Daylight time is whichever clock is ahead of
// the zone's standard offset `standardMinutes`.
inline std::string zoneTime12(time_t t, int standardMinutes) {
    const struct tm local = zoneLocal(t);
    const int hour = local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12;
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d %s (%s)", hour, local.tm_min,
                  local.tm_hour < 12 ? "am" : "pm",
                  local.tm_gmtoff / 60 != standardMinutes ? "Daylight" : "Standard");
    return text;
}

// "DST ends Sun, Nov 7th, 2027 at 02:00": the first change of the zone's offset after t,
// with the date and time the clock showed when it came (on the offset before it); "No DST
// observed" when none comes within two years.
inline std::string zoneNextChange(time_t t) {
    const long before = zoneLocal(t).tm_gmtoff;
    time_t change = t;
    for (time_t step : {86400, 3600, 60}) {  // no zone changes twice within a day
        while (zoneLocal(change + step).tm_gmtoff == before)
            if ((change += step) - t > 2L * 366 * 86400) return "No DST observed";
    }
    change += 60;
    const long after = zoneLocal(change).tm_gmtoff;
    const time_t wall = change + before;
    struct tm clock;
    gmtime_r(&wall, &clock);
    char text[80];
    std::snprintf(text, sizeof text, "DST %s %s at %02d:%02d", after > before ? "begins" : "ends",
                  dateText(clock).c_str(), clock.tm_hour, clock.tm_min);
    return text;
}
