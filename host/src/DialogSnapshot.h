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

struct EntrySnapshot {
    std::string text;
    std::int32_t id;
};

struct ItemSnapshot {
    host::Item handle;
    host::ItemKind kind;
    std::string text;
    bool boolean;
    float number;
    std::int32_t precision;
    std::int32_t units;
    bool enabled;
    bool visible;
    host::Rect bounds;
    std::vector<EntrySnapshot> entries;  // popups, list boxes and side menus
    int activeEntry;                     // its index, -1 for none
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
    std::string dockGroup;
    std::int32_t dockCode;
    std::map<std::int32_t, ItemSnapshot> items;
    DefaultCalls defaults;
};

}  // namespace standin
