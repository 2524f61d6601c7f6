// POSIX TZ strings to cities.bin words. A change time outside 00:00..24:00 ("/-1", "/26")
// moves the day, not the clock: "the n-th weekday on or after day D0" holds such rules
// exactly, except where the month before or after is February, whose length varies.
#include "posix_tz.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "geo/dst.h"
#include "platform/files.h"

namespace citydb {
namespace {

constexpr int kCommonMonthDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

int floorDiv(int a, int b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
int mod7(int x) {
    return ((x % 7) + 7) % 7;
}

struct Cursor {
    const std::string& s;
    size_t at = 0;
    bool more() const { return at < s.size(); }
    char peek() const { return more() ? s[at] : '\0'; }
    bool take(char c) {
        if (peek() != c) return false;
        ++at;
        return true;
    }
};

bool parseName(Cursor* c) {
    if (c->take('<')) {
        while (c->more() && c->peek() != '>') ++c->at;
        return c->take('>');
    }
    size_t begin = c->at;
    while (std::isalpha(static_cast<unsigned char>(c->peek()))) ++c->at;
    return c->at - begin >= 3;
}

bool parseNumber(Cursor* c, int* value, int maxValue) {
    if (!std::isdigit(static_cast<unsigned char>(c->peek()))) return false;
    int v = 0;
    while (std::isdigit(static_cast<unsigned char>(c->peek()))) {
        v = v * 10 + (c->s[c->at++] - '0');
        if (v > maxValue) return false;
    }
    *value = v;
    return true;
}

// [+-]hh[:mm[:ss]] in seconds.
bool parseClock(Cursor* c, int* seconds, int maxHours) {
    int sign = 1;
    if (c->take('-'))
        sign = -1;
    else
        c->take('+');
    int h = 0, m = 0, s = 0;
    if (!parseNumber(c, &h, maxHours)) return false;
    if (c->take(':') && !parseNumber(c, &m, 59)) return false;
    if (c->peek() == ':' && (c->take(':'), !parseNumber(c, &s, 59))) return false;
    *seconds = sign * (h * 3600 + m * 60 + s);
    return true;
}

bool parseRule(Cursor* c, PosixRule* rule) {
    if (c->take('M')) {
        rule->form = 'M';
        if (!parseNumber(c, &rule->month, 12) || rule->month < 1 || !c->take('.') ||
            !parseNumber(c, &rule->week, 5) || rule->week < 1 || !c->take('.') ||
            !parseNumber(c, &rule->weekday, 6))
            return false;
    } else if (c->take('J')) {
        rule->form = 'J';
        if (!parseNumber(c, &rule->day, 365) || rule->day < 1) return false;
    } else {
        rule->form = 'N';
        if (!parseNumber(c, &rule->day, 365)) return false;
    }
    rule->timeSeconds = 7200;
    if (c->take('/')) return parseClock(c, &rule->timeSeconds, 167);
    return true;
}

// Month and day of a day of the common year, 0-based.
void commonDate(int dayIndex, int* month, int* day) {
    int m = 1;
    while (m < 12 && dayIndex >= kCommonMonthDays[m]) dayIndex -= kCommonMonthDays[m++];
    *month = m;
    *day = dayIndex + 1;
}

void addNote(std::string* notes, const std::string& text) {
    if (!notes->empty()) *notes += "; ";
    *notes += text;
}

// A weekday rule whose change falls `shift` days from the rule's own day.
void convertShiftedWeekday(const PosixRule& r, int shift, int minute, uint16_t* rule,
                           uint16_t* time, std::string* notes) {
    int month = r.month;
    int first;
    if (r.week == 5) {
        if (month == 2) addNote(notes, "last week of February taken as 22..28 in leap years");
        first = kCommonMonthDays[month] - 6 + shift;
    } else {
        first = 7 * (r.week - 1) + 1 + shift;
    }
    if (first < 1) {
        if (month == 1) addNote(notes, "moved into December of the same year");
        month = month == 1 ? 12 : month - 1;
        if (month == 2) addNote(notes, "counted from February's end as in common years");
        first += kCommonMonthDays[month];
    } else if (first > kCommonMonthDays[month] && month != 2 && month != 12) {
        first -= kCommonMonthDays[month];
        ++month;
    }
    if (month == 2 && first + 6 > 28) addNote(notes, "counted past February's end");
    if (first > 31) {
        addNote(notes, "first day past the 31st clamped");
        first = 31;
    }
    *rule = geo::dstWeekdayRule(month, mod7(r.weekday + shift), 1);
    *time = geo::dstTimeWord(minute, first);
}

void convertRule(const PosixRule& r, uint16_t* rule, uint16_t* time, std::string* notes) {
    int minutes = floorDiv(r.timeSeconds + 30, 60);
    if (r.timeSeconds % 60 != 0) addNote(notes, "change time rounded to the minute");
    int shift = floorDiv(minutes, 1440);
    int minute = minutes - shift * 1440;
    if (r.form == 'M' && shift == 0) {
        *rule = geo::dstWeekdayRule(r.month, r.weekday, r.week);
        *time = geo::dstTimeWord(minute, 0);
        return;
    }
    if (r.form == 'M') {
        convertShiftedWeekday(r, shift, minute, rule, time, notes);
        return;
    }
    // Fixed days: 'J' never counts 29 February, so its dates are those of a common year.
    int dayIndex = (r.form == 'J' ? r.day - 1 : r.day) + shift;
    if (r.form == 'N' && dayIndex >= 59) addNote(notes, "day of year taken as in common years");
    if (dayIndex < 0 || dayIndex > 364) {
        addNote(notes, "change across the year's end kept in the same year");
        dayIndex = dayIndex < 0 ? 0 : 364;
    }
    int month, day;
    commonDate(dayIndex, &month, &day);
    *rule = geo::dstFixedRule(month, day);
    *time = geo::dstTimeWord(minute, 0);
}

}  // namespace

bool parsePosixTz(const std::string& text, PosixZone* zone, std::string* error) {
    Cursor c{text};
    PosixZone z;
    int west = 0;
    if (!parseName(&c) || !parseClock(&c, &west, 24)) {
        *error = "bad standard time in \"" + text + "\"";
        return false;
    }
    z.stdOffsetSeconds = -west;
    if (c.more()) {
        if (!parseName(&c)) {
            *error = "bad daylight-time name in \"" + text + "\"";
            return false;
        }
        z.hasDst = true;
        z.dstOffsetSeconds = z.stdOffsetSeconds + 3600;
        if (c.more() && c.peek() != ',') {
            if (!parseClock(&c, &west, 24)) {
                *error = "bad daylight-time offset in \"" + text + "\"";
                return false;
            }
            z.dstOffsetSeconds = -west;
        }
        // Without rules POSIX means the United States rules.
        z.start = PosixRule{'M', 3, 2, 0, 0, 7200};
        z.end = PosixRule{'M', 11, 1, 0, 0, 7200};
        if (c.more() &&
            (!c.take(',') || !parseRule(&c, &z.start) || !c.take(',') || !parseRule(&c, &z.end))) {
            *error = "bad transition rule in \"" + text + "\"";
            return false;
        }
    }
    if (c.more()) {
        *error = "trailing text in \"" + text + "\"";
        return false;
    }
    *zone = z;
    return true;
}

bool readZoneRule(const std::string& path, std::string* rule, std::string* error) {
    std::vector<uint8_t> bytes;
    if (!platform::readFile(path, &bytes, 1 << 20)) {
        *error = "cannot read " + path;
        return false;
    }
    if (bytes.size() < 46 || std::string(bytes.begin(), bytes.begin() + 4) != "TZif" ||
        bytes[4] < '2') {
        *error = path + " is not a TZif file of version 2 or later";
        return false;
    }
    size_t end = bytes.size();
    if (bytes[end - 1] != '\n') {
        *error = path + " has no rule line";
        return false;
    }
    size_t begin = end - 1;
    while (begin > 0 && bytes[begin - 1] != '\n') --begin;
    *rule = std::string(bytes.begin() + begin, bytes.begin() + end - 1);
    if (begin == 0 || rule->empty()) {
        *error = path + " has an empty rule line";
        return false;
    }
    return true;
}

ZoneWords convertZone(const PosixZone& zone) {
    ZoneWords w;
    int stdOffset = zone.stdOffsetSeconds;
    PosixRule start = zone.start, end = zone.end;
    if (zone.hasDst && zone.dstOffsetSeconds < stdOffset) {
        // Daylight saving behind standard time (winter "daylight" time): the later clock is
        // the daylight time, and the rules swap roles with their times unchanged.
        stdOffset = zone.dstOffsetSeconds;
        std::swap(start, end);
    }
    if (stdOffset % 60 != 0) addNote(&w.note, "offset rounded to the minute");
    w.offsetMinutes = static_cast<int16_t>(floorDiv(stdOffset + 30, 60));
    if (!zone.hasDst) return w;
    int delta = std::abs(zone.dstOffsetSeconds - zone.stdOffsetSeconds);
    if (delta != 3600) {
        addNote(&w.note,
                "daylight saving of " + std::to_string(delta / 60) + " minutes stored as 60");
    }
    convertRule(start, &w.startRule, &w.startTime, &w.note);
    convertRule(end, &w.endRule, &w.endTime, &w.note);
    return w;
}

}  // namespace citydb
