// The city database: cities.bin mapped read-only and used in place, checked once at open,
// with B-trees by country and by longitude built over its records when a search first needs
// them. Searches append record pointers (never copies) to the caller's list. Not
// re-entrant: one user-interface thread.
// A damaged file is refused or cut at its first bad record; nothing past it is ever read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "geo/city_file.h"
#include "geo/place.h"
#include "geo/record_tree.h"
#include "platform/files.h"

namespace geo {

using RecordList = std::vector<const CityRecord*>;

class CityDatabase {
  public:
    CityDatabase() = default;
    CityDatabase(const CityDatabase&) = delete;
    CityDatabase& operator=(const CityDatabase&) = delete;
    ~CityDatabase() { close(); }

    // Maps `path` and checks it (see attach). False, and nothing open, when it cannot be
    // mapped or is refused; problem() then says why.
    bool open(const std::string& path);
    // Uses `size` bytes at `data` in place (the caller keeps them alive until close). Refuses
    // a file too short for the country table, a misaligned buffer, or a country name without
    // its zero; keeps the records before the first bad one. problem() names what was wrong.
    bool attach(const uint8_t* data, size_t size);
    // Inserts every record, in file order, into the trees by country and by longitude. The
    // searches that use the trees build them on first use; this builds them now.
    void buildIndexes() const;
    // Unmaps the file and empties both trees; safe when nothing is open.
    void close();

    bool isOpen() const { return view_ != nullptr; }
    const uint8_t* viewStart() const { return view_; }
    size_t viewSize() const { return size_; }
    // Empty, or what was refused or cut at open, e.g. "record at 25616: length 7 is odd".
    const std::string& problem() const { return problem_; }
    size_t recordCount() const { return recordCount_; }
    const RecordTree& byCountryTree() const {
        indexes();
        return byCountry_;
    }
    const RecordTree& byLongitudeTree() const {
        indexes();
        return byLongitude_;
    }

    // Records in file order: the first (null when none), and the one after `record`.
    const CityRecord* firstRecord() const;
    const CityRecord* nextRecord(const CityRecord* record) const;
    // A record's file offset, and the checked record starting at `offset` (else null).
    uint32_t recordOffset(const CityRecord* record) const;
    const CityRecord* recordAt(uint32_t offset) const;

    // Appends the records of `country` in name order, at most `maxCount`. True when the walk
    // reached the end of the tree.
    bool citiesOfCountry(uint8_t country, int maxCount, RecordList* out) const;
    // Appends, in name order, the first `maxCount` records in file order whose names begin
    // with `prefix` ignoring case. False for a null or empty prefix or a closed database.
    bool prefixSearch(const char16_t* prefix, int maxCount, RecordList* out) const;
    // Fills `out` from the record nearest (flat metric in arc minutes, longitude the short way
    // round, so across ±180°) to the position within `radius` arc minutes in both latitude and
    // longitude; false and `out` untouched if none.
    bool nearestCity(int latitude, int longitude, int radius, Place* out) const;

    // Index of the first country named exactly `name`, else 255.
    uint8_t countryIndexByName(const char16_t* name) const;
    // The entry and name of country (index & 255); null when nothing is open.
    const CountryEntry* countryEntry(int index) const;
    const char16_t* countryName(int index) const;
    // Appends all 256 names in index order (nothing when closed).
    void listCountryNames(std::vector<const char16_t*>* out) const;

  private:
    bool attachView(const uint8_t* data, size_t size);
    bool checkCountries();
    void checkRecords();
    // Builds the trees unless they are built.
    void indexes() const;

    platform::MappedFile file_;
    const uint8_t* view_ = nullptr;
    size_t size_ = 0;
    size_t recordsEnd_ = 0;  // file offset just past the last good record
    size_t recordCount_ = 0;
    std::string problem_;
    // Built on first use: start-up does not wait for them, and most runs never search.
    mutable CountryTree byCountry_;
    mutable LongitudeTree byLongitude_;
    mutable bool indexed_ = false;
};

// The program's one database, opened at start-up and closed at exit.
extern CityDatabase cityDatabase;

}  // namespace geo
