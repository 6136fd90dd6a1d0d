#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "host/AdmSuites.h"
#include "host/HostGeometry.h"
#include "host/HostHandles.h"

namespace standin {

// How often the host's default handling of an object ran.
struct DefaultCalls {
    int draw = 0;
    int track = 0;
    int notify = 0;
};

// What a draw procedure drew, one line per drawer call: "color 2",
// "fill 0 0 220 17", "font 1", "text 5 2 70 15 OCRB", "line 0 16 220 16",
// "icon 26006 195 2" (rects as left top right bottom).
using DisplayList = std::vector<std::string>;

struct EntrySnapshot {
    std::string text;
    std::int32_t id;
    bool separator;
    bool enabled;
    bool checked;
    DisplayList drawn;  // when last drawn
};

struct ItemSnapshot {
    host::Item handle;
    host::ItemKind kind;
    std::string text;
    bool boolean;
    float number;
    std::int32_t precision;
    std::int32_t units;
    bool unitEntry;
    std::int32_t font;
    std::string tip;
    std::int32_t picture;  // an icon id, 0 for none
    bool enabled;
    bool visible;
    bool invalid;  // to be drawn
    host::Rect bounds;
    std::vector<EntrySnapshot> entries;  // popups, list boxes and side menus
    int activeEntry;                     // its index, -1 for none
    DisplayList drawn;                   // when last drawn
    DefaultCalls defaults;
};

// A dialog as a test sees it at one moment.
struct DialogSnapshot {
    host::Dialog handle;
    std::string name;
    std::int32_t resourceId;
    std::string title;
    std::int32_t style;
    bool modal;
    bool visible;
    host::Rect bounds;  // with the title bar
    std::int32_t minWidth;
    std::int32_t minHeight;
    std::string dockGroup;
    std::int32_t dockCode;
    std::map<std::int32_t, ItemSnapshot> items;
    DisplayList drawn;  // when last drawn
    DefaultCalls defaults;
};

}  // namespace standin
