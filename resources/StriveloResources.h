#pragma once

#include "M7LResources.h"

// The plug-in's own compiled resources: the German string tables, dialog
// templates and icons. The plug-in hands this module to SetResourceModule and
// to the host as its resource access.
M7LModuleHandle StriveloResourceModule();
