#pragma once

#include <span>

namespace Strivelo {

// The ISBN range table of the International ISBN Agency, from its range
// message of 13 November 2022: all groups of prefixes 978 and 979 that have
// publisher ranges (978-611, 978-99902 and 978-99951 have none). A newer
// message replaces the data of BarcodeISBNRanges.cpp alone.
//
// Per group, its publisher ranges, ascending, each range "first-last" in as
// many digits as the publishers of the range have; the message's unassigned
// ranges are not listed.
struct ISBNGroupRanges {
    const char* group;
    const char* ranges;
};

// A prefix's registration groups: their lengths, each range "first-last"
// holding the groups of as many digits as its bounds have, and their ranges.
struct ISBNPrefixRanges {
    const char* groupLengths;
    std::span<const ISBNGroupRanges> groups;
};

extern const ISBNPrefixRanges kISBN978;
extern const ISBNPrefixRanges kISBN979;

}  // namespace Strivelo
