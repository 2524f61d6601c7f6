// The saved city selection, cities.sav: the displayed cities as the file offsets of their
// records in cities.bin, uint32 little-endian one after another, no header and no count; a 0
// ends the list early. Reading trusts none of it: an offset counts only when a checked record
// of the open database starts there. Whether the file belongs to this cities.bin at all is
// decided by the stamp the settings keep; telling the user anything is the caller's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/options.h"
#include "base/ptr_list.h"
#include "geo/city_db.h"

namespace geo {

// Largest save file read (a million cities); a bigger one is not read at all.
constexpr size_t kMaxSelectionBytes = size_t{4} << 20;

// The open database's identity for the settings: its 16 header bytes and its size (sizes
// past 4 GiB are stored as 0xFFFFFFFF). Empty when nothing is open.
CityFileStamp cityFileStamp(const CityDatabase& db);

// Whether `db` can vouch for a saved selection: open and whole. A file cut at a damaged
// record has another size than the one the selection was saved with, yet is the same file;
// until it is whole again a saved selection is neither judged nor written over.
bool holdsSelection(const CityDatabase& db);

// The records a save file's bytes name, in file order: the values before the first 0 (a tail
// shorter than 4 bytes is ignored), each kept only when a record of `db` starts there.
// `skipped`, when given, receives the number of values that named no record.
std::vector<const CityRecord*> parseSelection(const uint8_t* data, size_t size,
                                              const CityDatabase& db, size_t* skipped = nullptr);

// The save file's bytes for `places` (a list of Place*): the record offset of each place
// whose name is a record's name in `db`, in list order. Other places are left out.
std::vector<uint8_t> formatSelection(const PtrList& places, const CityDatabase& db);

struct SelectionLoad {
    int kept = 0;              // cities appended
    size_t skipped = 0;        // offsets that named no record of the database
    size_t otherCityFile = 0;  // offsets not read: the stamp names another cities.bin
    std::string problem;       // why an existing file could not be read; empty otherwise
};

// Start-up: appends to `out` one new Place (a city, kind 3) per record the file at `path`
// names. Nothing is read when `db` cannot hold a selection (closed or damaged), or when `stamp` is
// set and is not `db`'s: the offsets were saved against another file and would name other cities. A
// missing file is an empty selection.
SelectionLoad loadSelection(const std::string& path, const CityDatabase& db,
                            const CityFileStamp& stamp, PtrList* out);

// Shutdown: writes `places` to `path` atomically. Does nothing and returns true when `db`
// cannot hold a selection, so that one is never written against a missing or damaged file. False
// when the file could not be written (the old one is then left whole; `error`, if given, says why).
bool saveSelection(const std::string& path, const PtrList& places, const CityDatabase& db,
                   std::string* error = nullptr);

}  // namespace geo
