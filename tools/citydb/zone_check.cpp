// Both clocks are step functions of the UTC second. Their change points are found by
// stepping a day at a time and halving the step around each change; between two adjacent
// change points of either clock both are constant, so one comparison covers the stretch.
#include "zone_check.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <optional>
#include <vector>

#include "geo/dst.h"
#include "geo/place.h"
#include "platform/clock.h"

namespace citydb {
namespace {

using OffsetAt = std::function<int(int64_t)>;  // seconds east of UTC at a UTC second

constexpr int64_t kDaySeconds = 86400;

int realOffset(int64_t t) {
    time_t at = static_cast<time_t>(t);
    std::tm local{};
    localtime_r(&at, &local);
    return static_cast<int>(local.tm_gmtoff);
}

OffsetAt wordsOffset(const ZoneWords& words) {
    geo::Place place;
    place.tzOffset = words.offsetMinutes;
    place.dstStartTime = words.startTime;
    place.dstStartRule = words.startRule;
    place.dstEndTime = words.endTime;
    place.dstEndRule = words.endRule;
    return [place](int64_t t) {
        bool dst = geo::dstState(platform::utcFromMillis(t * 1000), place, nullptr);
        return (place.tzOffset + (dst ? 60 : 0)) * 60;
    };
}

void addChanges(const OffsetAt& offsetAt, int64_t from, int64_t to, std::vector<int64_t>* out) {
    int before = offsetAt(from);
    for (int64_t t = from; t < to;) {
        int64_t next = std::min(t + kDaySeconds, to);
        int after = offsetAt(next);
        if (after != before) {
            int64_t same = t, changed = next;
            while (changed - same > 1) {
                int64_t mid = same + (changed - same) / 2;
                (offsetAt(mid) == before ? same : changed) = mid;
            }
            out->push_back(changed);
        }
        before = after;
        t = next;
    }
}

// Sets TZ to one zone file for the C library's local time, and puts it back.
class LocalZone {
  public:
    explicit LocalZone(const std::string& tzifPath) {
        if (const char* old = std::getenv("TZ")) saved_ = old;
        std::string path = tzifPath;
        char cwd[4096];
        if (path[0] != '/' && getcwd(cwd, sizeof cwd) != nullptr) path = cwd + ("/" + path);
        setenv("TZ", (":" + path).c_str(), 1);
        tzset();
    }
    ~LocalZone() {
        if (saved_)
            setenv("TZ", saved_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    LocalZone(const LocalZone&) = delete;
    LocalZone& operator=(const LocalZone&) = delete;

  private:
    std::optional<std::string> saved_;
};

}  // namespace

ZoneCheck checkZone(const std::string& tzifPath, const ZoneWords& words, int firstYear,
                    int lastYear) {
    LocalZone zone(tzifPath);
    OffsetAt stored = wordsOffset(words);
    int64_t from = platform::millisFromUtc(firstYear, 1, 1, 0, 0, 0) / 1000;
    int64_t to = platform::millisFromUtc(lastYear + 1, 1, 1, 0, 0, 0) / 1000;
    std::vector<int64_t> points{from};
    addChanges(realOffset, from, to, &points);
    addChanges(stored, from, to, &points);
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    points.erase(std::lower_bound(points.begin(), points.end(), to), points.end());
    points.push_back(to);
    ZoneCheck check;
    for (size_t k = 0; k + 1 < points.size(); ++k) {
        int difference = std::abs(realOffset(points[k]) - stored(points[k])) / 60;
        if (difference == 0) continue;
        check.wrongMinutes += long((points[k + 1] - points[k]) / 60);
        check.worstMinutes = std::max(check.worstMinutes, difference);
    }
    return check;
}

}  // namespace citydb
