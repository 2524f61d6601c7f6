// Reading and writing cities.sav. Offsets are looked up in one walk of the database's
// checked record chain, whatever their number, so a selection of thousands of cities costs no
// more than a pass over the file; the file itself is replaced atomically, never truncated
// in place, so a stop in the middle of a save leaves the old selection whole.
#include "geo/saved_selection.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

#include "geo/place.h"
#include "platform/files.h"

namespace geo {

namespace {

constexpr size_t kOffsetBytes = 4;

// The values before the first 0; a tail shorter than a value is no value.
std::vector<uint32_t> readOffsets(const uint8_t* data, size_t size) {
    std::vector<uint32_t> offsets;
    for (size_t at = 0; data != nullptr && at + kOffsetBytes <= size; at += kOffsetBytes) {
        const uint8_t* b = data + at;
        uint32_t value = b[0] | (b[1] << 8) | (b[2] << 16) | (uint32_t{b[3]} << 24);
        if (value == 0) break;
        offsets.push_back(value);
    }
    return offsets;
}

// The record starting at each offset (null where none does), in the offsets' order.
std::vector<const CityRecord*> recordsAt(const std::vector<uint32_t>& offsets,
                                         const CityDatabase& db) {
    std::vector<uint32_t> wanted(offsets);
    std::sort(wanted.begin(), wanted.end());
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
    std::vector<const CityRecord*> found(wanted.size(), nullptr);
    size_t i = 0;
    for (const CityRecord* r = db.firstRecord(); r != nullptr && i < wanted.size();
         r = db.nextRecord(r)) {
        const uint32_t at = db.recordOffset(r);
        while (i < wanted.size() && wanted[i] < at) ++i;
        if (i < wanted.size() && wanted[i] == at) found[i++] = r;
    }
    std::vector<const CityRecord*> out;
    out.reserve(offsets.size());
    for (uint32_t offset : offsets) {
        size_t k = std::lower_bound(wanted.begin(), wanted.end(), offset) - wanted.begin();
        out.push_back(found[k]);
    }
    return out;
}

// The offset a place's name says its record lies at; 0 when the name is not inside the
// database's records (a bare position, a route place with its own name).
uint32_t offsetOfPlace(const Place* place, const CityDatabase& db) {
    if (place == nullptr || place->name == nullptr || !db.isOpen()) return 0;
    const uintptr_t name = reinterpret_cast<uintptr_t>(place->name);
    const uintptr_t view = reinterpret_cast<uintptr_t>(db.viewStart());
    if (name < view + kFirstRecordOffset + kRecordNameOffset || name >= view + db.viewSize())
        return 0;
    const uintptr_t offset = name - kRecordNameOffset - view;
    return offset > UINT32_MAX ? 0 : static_cast<uint32_t>(offset);
}

}  // namespace

CityFileStamp cityFileStamp(const CityDatabase& db) {
    if (!db.isOpen()) return {};
    const char* header = reinterpret_cast<const char*>(db.viewStart());
    const size_t size = std::min<size_t>(db.viewSize(), UINT32_MAX);
    return {std::string(header, kHeaderBytes), static_cast<uint32_t>(size)};
}

bool holdsSelection(const CityDatabase& db) {
    return db.isOpen() && db.problem().empty();
}

std::vector<const CityRecord*> parseSelection(const uint8_t* data, size_t size,
                                              const CityDatabase& db, size_t* skipped) {
    std::vector<const CityRecord*> records = recordsAt(readOffsets(data, size), db);
    const size_t all = records.size();
    records.erase(std::remove(records.begin(), records.end(), nullptr), records.end());
    if (skipped) *skipped = all - records.size();
    return records;
}

std::vector<uint8_t> formatSelection(const PtrList& places, const CityDatabase& db) {
    std::vector<uint32_t> offsets;
    for (PtrNode* n = places.head(); n != nullptr; n = n->next) {
        const uint32_t offset = offsetOfPlace(static_cast<const Place*>(n->data), db);
        if (offset != 0) offsets.push_back(offset);
    }
    const std::vector<const CityRecord*> records = recordsAt(offsets, db);
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < offsets.size(); ++i) {
        if (records[i] == nullptr) continue;
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<uint8_t>(offsets[i] >> shift));
    }
    return bytes;
}

SelectionLoad loadSelection(const std::string& path, const CityDatabase& db,
                            const CityFileStamp& stamp, PtrList* out) {
    SelectionLoad result;
    if (!holdsSelection(db)) return result;
    std::vector<uint8_t> bytes;
    if (!platform::readFile(path, &bytes, kMaxSelectionBytes)) {
        // No file, or no state folder to hold one (said where the folder is chosen).
        if (errno != ENOENT && errno != ENOTDIR) result.problem = platform::fileErrorText(errno);
        return result;
    }
    if (!stamp.header.empty() && !(stamp == cityFileStamp(db))) {
        result.otherCityFile = readOffsets(bytes.data(), bytes.size()).size();
        return result;
    }
    for (const CityRecord* record :
         parseSelection(bytes.data(), bytes.size(), db, &result.skipped)) {
        Place* place = new (std::nothrow) Place;
        if (place == nullptr) break;
        place->fillFromRecord(record);
        if (out->addTail(place) == nullptr) {
            delete place;
            break;
        }
        ++result.kept;
    }
    return result;
}

bool saveSelection(const std::string& path, const PtrList& places, const CityDatabase& db,
                   std::string* error) {
    if (!holdsSelection(db)) return true;
    const std::vector<uint8_t> bytes = formatSelection(places, db);
    return platform::writeFileAtomic(path, bytes.data(), bytes.size(), error);
}

}  // namespace geo
