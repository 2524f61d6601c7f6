// Fuzz target for the cities.sav reader: any bytes name only records of a small database,
// and the places made from them write back to a file that reads as the same records.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "../tests/geo/test_records.h"
#include "geo/place.h"
#include "geo/saved_selection.h"

namespace {

// Five cities from offset 25616 on: One 25616, Two 25642, Three 25668, Four 25698, Five
// 25726 (the seed corpus names them), then the end marker at 25754.
const geo::CityDatabase& database() {
    static geotest::FileBytes file;
    static geo::CityDatabase db;
    if (!db.isOpen()) {
        file.country(0, u"Here", 0, 0);
        for (const char16_t* name : {u"One", u"Two", u"Three", u"Four", u"Five"})
            file.city({name, 0, 60, 60});
        file.end();
        if (!db.attach(file.bytes.data(), file.bytes.size())) std::abort();
    }
    return db;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const geo::CityDatabase& db = database();
    std::vector<const geo::CityRecord*> records = geo::parseSelection(data, size, db);
    std::vector<geo::Place> places(records.size());
    PtrList list;
    for (size_t i = 0; i < records.size(); ++i) {
        places[i].fillFromRecord(records[i]);
        list.addTail(&places[i]);
    }
    std::vector<uint8_t> written = geo::formatSelection(list, db);
    list.removeAll();
    if (written.size() != 4 * records.size()) std::abort();
    if (geo::parseSelection(written.data(), written.size(), db) != records) std::abort();
    return 0;
}
