// Opening, checking and searching cities.bin. The check at open is what lets every later
// read trust the records: even lengths inside the file, a terminated name inside each record,
// positions and offsets in range, a country that exists. Searches use the trees or one scan.
#include "geo/city_db.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>

#include "geo/text16.h"

namespace geo {

CityDatabase cityDatabase;

namespace {

constexpr size_t kMinRecordBytes = kRecordNameOffset + 2;  // fields and an empty name
constexpr int kMaxImprovements = 200;  // the nearness search stops after this many
constexpr int kMinutesPerTurn = 21600;

std::string describe(size_t offset, const char* what) {
    char text[96];
    std::snprintf(text, sizeof text, "record at %zu: %s", offset, what);
    return text;
}

bool hasZero(const uint8_t* text, size_t bytes) {
    for (size_t i = 0; i + 1 < bytes; i += 2) {
        if (text[i] == 0 && text[i + 1] == 0) return true;
    }
    return false;
}

// Collects up to `remaining` records into a name-ordered tree.
struct Collect {
    NameTree* tree;
    int remaining;
};

bool collectRecord(const CityRecord* record, void* context) {
    Collect* c = static_cast<Collect*>(context);
    c->tree->insert(record);
    return --c->remaining > 0;
}

bool appendRecord(const CityRecord* record, void* context) {
    static_cast<RecordList*>(context)->push_back(record);
    return true;
}

struct Nearest {
    int latitude;           // arc minutes
    int longitude;          // arc minutes
    int radius;             // arc minutes
    uint32_t bestDistance;  // squared arc minutes
    const CityRecord* best;
    int remaining;
};

bool considerRecord(const CityRecord* record, void* context) {
    Nearest* n = static_cast<Nearest*>(context);
    int dLat = n->latitude - recordLatitude(record);
    if (std::abs(dLat) >= n->radius) return true;
    // The short way round, so that a city just across ±180° is as near as it looks.
    int dLon = n->longitude - recordLongitude(record);
    if (dLon > kMinutesPerTurn / 2) dLon -= kMinutesPerTurn;
    if (dLon < -kMinutesPerTurn / 2) dLon += kMinutesPerTurn;
    uint32_t d = static_cast<uint32_t>(dLat * dLat) + static_cast<uint32_t>(dLon * dLon);
    if (d >= n->bestDistance) return true;
    n->bestDistance = d;
    n->best = record;
    return --n->remaining > 0;
}

}  // namespace

bool CityDatabase::open(const std::string& path) {
    close();
    if (!file_.open(path)) {
        problem_ = "cannot be read (" + platform::fileErrorText(errno) + ")";
        return false;
    }
    if (!attachView(file_.data(), file_.size())) {
        file_.close();
        return false;
    }
    return true;
}

bool CityDatabase::attach(const uint8_t* data, size_t size) {
    close();
    return attachView(data, size);
}

bool CityDatabase::attachView(const uint8_t* data, size_t size) {
    problem_.clear();
    if (data == nullptr || size < kFirstRecordOffset) {
        problem_ = "file too short: " + std::to_string(size) + " bytes, needs at least " +
                   std::to_string(kFirstRecordOffset);
        return false;
    }
    if (reinterpret_cast<uintptr_t>(data) % 2 != 0) {
        problem_ = "data not on a 2-byte boundary";
        return false;
    }
    view_ = data;
    size_ = size;
    if (!checkCountries()) {
        view_ = nullptr;
        size_ = 0;
        return false;
    }
    checkRecords();
    return true;
}

bool CityDatabase::checkCountries() {
    for (int i = 0; i < kCountryCount; ++i) {
        const uint8_t* name = view_ + kHeaderBytes + i * kCountryEntryBytes + kCountryNameOffset;
        if (!hasZero(name, kCountryNameChars * 2)) {
            problem_ = "country " + std::to_string(i) + ": name without terminating zero";
            return false;
        }
    }
    return true;
}

void CityDatabase::checkRecords() {
    size_t at = kFirstRecordOffset;
    recordCount_ = 0;
    for (;;) {
        if (at + 2 > size_) {
            problem_ = describe(at, "file ends before the end marker");
            break;
        }
        int length = readI16(view_ + at, 0);
        if (length == 0) break;
        const CityRecord* r = reinterpret_cast<const CityRecord*>(view_ + at);
        const char* bad = nullptr;
        if (length < static_cast<int>(kMinRecordBytes))
            bad = "length too small";
        else if (length % 2 != 0)
            bad = "length is odd";
        else if (at + length > size_)
            bad = "length runs past the end of the file";
        else if (!hasZero(view_ + at + kRecordNameOffset, length - kRecordNameOffset))
            bad = "name without terminating zero";
        else if (recordFlags(r) & kRoutePlaceFlag)
            bad = "route-place flag set";
        else if (std::abs(recordLatitude(r)) > 5400 || std::abs(recordLongitude(r)) > 10800)
            bad = "position out of range";
        else if (std::abs(recordTzOffset(r)) > 1440)
            bad = "time-zone offset out of range";
        else if (recordCountry(r) != kNoCountry && countryName(recordCountry(r))[0] == 0)
            bad = "country index names no country";
        if (bad != nullptr) {
            problem_ = describe(at, bad) + "; the records after it are ignored";
            break;
        }
        ++recordCount_;
        at += length;
    }
    recordsEnd_ = at;
}

void CityDatabase::buildIndexes() const {
    byCountry_.clear();
    byLongitude_.clear();
    for (const CityRecord* r = firstRecord(); r != nullptr; r = nextRecord(r)) {
        byCountry_.insert(r);
        byLongitude_.insert(r);
    }
    indexed_ = true;
}

void CityDatabase::indexes() const {
    if (!indexed_) buildIndexes();
}

void CityDatabase::close() {
    byCountry_.clear();
    byLongitude_.clear();
    indexed_ = false;
    file_.close();
    view_ = nullptr;
    size_ = 0;
    recordsEnd_ = 0;
    recordCount_ = 0;
}

const CityRecord* CityDatabase::firstRecord() const {
    if (view_ == nullptr || recordsEnd_ <= kFirstRecordOffset) return nullptr;
    return reinterpret_cast<const CityRecord*>(view_ + kFirstRecordOffset);
}

const CityRecord* CityDatabase::nextRecord(const CityRecord* record) const {
    size_t next = recordOffset(record) + recordLength(record);
    if (next >= recordsEnd_) return nullptr;
    return reinterpret_cast<const CityRecord*>(view_ + next);
}

uint32_t CityDatabase::recordOffset(const CityRecord* record) const {
    return static_cast<uint32_t>(bytesOf(record) - view_);
}

const CityRecord* CityDatabase::recordAt(uint32_t offset) const {
    for (const CityRecord* r = firstRecord(); r != nullptr; r = nextRecord(r)) {
        uint32_t at = recordOffset(r);
        if (at == offset) return r;
        if (at > offset) break;
    }
    return nullptr;
}

bool CityDatabase::citiesOfCountry(uint8_t country, int maxCount, RecordList* out) const {
    if (view_ == nullptr || maxCount <= 0) return false;
    std::unique_ptr<NameTree> found(new (std::nothrow) NameTree);
    if (!found) return false;
    uint8_t key[kMinRecordBytes] = {};
    key[3] = country;
    Collect collect{found.get(), maxCount};
    indexes();
    bool reachedEnd =
        byCountry_.walkEqual(reinterpret_cast<const CityRecord*>(key), collectRecord, &collect);
    found->walkInOrder(appendRecord, out);
    return reachedEnd;
}

bool CityDatabase::prefixSearch(const char16_t* prefix, int maxCount, RecordList* out) const {
    if (view_ == nullptr || prefix == nullptr || prefix[0] == 0) return false;
    std::unique_ptr<NameTree> found(new (std::nothrow) NameTree);
    if (!found) return false;
    size_t n = textLength(prefix);
    int remaining = maxCount;
    // The first matches in file order are kept, then sorted by name.
    for (const CityRecord* r = firstRecord(); r != nullptr && remaining > 0; r = nextRecord(r)) {
        if (compareTextNoCase(recordName(r), prefix, n) == 0) {
            found->insert(r);
            --remaining;
        }
    }
    found->walkInOrder(appendRecord, out);
    return true;
}

bool CityDatabase::nearestCity(int latitude, int longitude, int radius, Place* out) const {
    if (view_ == nullptr || radius <= 0) return false;
    Nearest n{latitude, longitude, radius, UINT32_MAX, nullptr, kMaxImprovements};
    indexes();
    byLongitude_.walkWindow(static_cast<int16_t>(longitude), static_cast<int16_t>(radius),
                            considerRecord, &n);
    // The tree's window does not wrap: a window reaching past ±180° is walked again a whole
    // turn away for the cities on the other side of the meridian.
    int across = longitude + radius > kMinutesPerTurn / 2    ? longitude - kMinutesPerTurn
                 : longitude - radius < -kMinutesPerTurn / 2 ? longitude + kMinutesPerTurn
                                                             : 0;
    if (across != 0 && n.remaining > 0)
        byLongitude_.walkWindow(static_cast<int16_t>(across), static_cast<int16_t>(radius),
                                considerRecord, &n);
    if (n.best == nullptr) return false;
    out->fillFromRecord(n.best);
    return true;
}

uint8_t CityDatabase::countryIndexByName(const char16_t* name) const {
    if (view_ == nullptr || name == nullptr) return kNoCountry;
    for (int i = 0; i < kCountryCount; ++i) {
        if (compareText(countryName(i), name) == 0) return static_cast<uint8_t>(i);
    }
    return kNoCountry;
}

const CountryEntry* CityDatabase::countryEntry(int index) const {
    if (view_ == nullptr) return nullptr;
    return reinterpret_cast<const CountryEntry*>(view_ + kHeaderBytes +
                                                 (index & 255) * kCountryEntryBytes);
}

const char16_t* CityDatabase::countryName(int index) const {
    const CountryEntry* entry = countryEntry(index);
    return entry == nullptr ? nullptr : countryEntryName(entry);
}

void CityDatabase::listCountryNames(std::vector<const char16_t*>* out) const {
    if (view_ == nullptr) return;
    for (int i = 0; i < kCountryCount; ++i) out->push_back(countryName(i));
}

}  // namespace geo
