#pragma once

#include "foundation/M7LResources.h"

// The plug-in's own compiled resources: the German string tables (and, as the
// plug-in grows, its menus and dialog templates). The plug-in hands this
// module to SetResourceModule and to the host as its resource access.
M7LModuleHandle StriveloResourceModule();
