// Checks the words stored for a zone against the zone's real clock: the offsets the program
// will show (geo/dst.h reading the words) against those the C library reads from the zone's
// TZif file, over whole UTC years. The words come from the zone's closing rule alone, so a
// zone whose listed changes depart from that rule (one that follows a lunar calendar) fails.
#pragma once

#include <string>

#include "posix_tz.h"

namespace citydb {

struct ZoneCheck {
    long wrongMinutes = 0;  // how long, within the years checked, the words give another offset
    int worstMinutes = 0;   // the largest difference, minutes
};

// Compares the offsets over the UTC years firstYear..lastYear of the zone in the TZif file
// `tzifPath` with those `words` give. The C library's local-time zone is changed meanwhile
// and put back before returning. A change undone within a day may go unseen.
ZoneCheck checkZone(const std::string& tzifPath, const ZoneWords& words, int firstYear,
                    int lastYear);

}  // namespace citydb
