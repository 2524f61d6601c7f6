// Real and manual clocks. The manual clock keeps tick and UTC moving together so that a
// script's "wait" advances both, as the real ones would.
#include "platform/clock.h"

#include <cstdio>
#include <ctime>

namespace platform {
namespace {

bool gManual = false;
uint32_t gManualTick = 0;
int64_t gManualUtc = 0;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t daysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

}  // namespace

uint32_t tickCount() {
    if (gManual) return gManualTick;
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint32_t>(static_cast<uint64_t>(ts.tv_sec) * 1000u +
                                 static_cast<uint64_t>(ts.tv_nsec) / 1000000u);
}

int64_t utcMillis() {
    if (gManual) return gManualUtc;
    timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

UtcTime systemTimeUtc() {
    return utcFromMillis(utcMillis());
}

UtcTime utcFromMillis(int64_t ms) {
    int64_t days = ms >= 0 ? ms / 86400000 : -((-ms + 86399999) / 86400000);
    int64_t rest = ms - days * 86400000;
    UtcTime t{};
    t.hour = static_cast<int>(rest / 3600000);
    t.minute = static_cast<int>(rest / 60000 % 60);
    t.second = static_cast<int>(rest / 1000 % 60);
    t.millisecond = static_cast<int>(rest % 1000);
    t.dayOfWeek = static_cast<int>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
    // Inverse of daysFromCivil.
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t doe = days - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2));
    return t;
}

int64_t millisFromUtc(int year, int month, int day, int hour, int minute, int second) {
    return ((daysFromCivil(year, month, day) * 24 + hour) * 60 + minute) * 60000 +
           static_cast<int64_t>(second) * 1000;
}

bool parseUtc(const char* text, int64_t* ms) {
    int y, mo, d, h, mi, s, used = 0;
    if (std::sscanf(text, "%4d-%2d-%2dT%2d:%2d:%2dZ%n", &y, &mo, &d, &h, &mi, &s, &used) != 6 ||
        used == 0 || text[used] != '\0')
        return false;
    static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (mo < 1 || mo > 12 || d < 1 || d > kDays[mo - 1] || h > 23 || mi > 59 || s > 59 || h < 0 ||
        mi < 0 || s < 0)
        return false;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (mo == 2 && d == 29 && !leap) return false;
    *ms = millisFromUtc(y, mo, d, h, mi, s);
    return true;
}

void useManualClock(uint32_t tick, int64_t utcMs) {
    gManual = true;
    gManualTick = tick;
    gManualUtc = utcMs;
}

void setManualUtc(int64_t utcMs) {
    gManualUtc = utcMs;
}

void advanceManualClock(uint32_t ms) {
    gManualTick += ms;
    gManualUtc += ms;
}

bool manualClock() {
    return gManual;
}

}  // namespace platform
