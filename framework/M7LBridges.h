#pragma once

#include "M7L_FileSpecificationNative.h"
#include "host/AiSuites.h"
#include "host/HostErrors.h"
#include "host/HostHandles.h"
#include "host/HostMessages.h"

// Small bridges between the host's document and preference services and the
// plug-in's file specifications, called inside messages.

// Deselects all art on each layer of the current document, in layer order;
// the first failing host call ends the walk and is the result.
host::Error DeselectAllArt();
// Nothing when the event's modifiers hold the shift key, else DeselectAllArt.
host::Error DeselectAllArtUnlessShift(const host::ToolMessage* event);

M7L_FileSpecificationNative MakeFileSpecification(const char* ansiPath);
// The host path's platform text as a specification; none when the text
// cannot be read.
M7L_FileSpecificationNative FileSpecificationFromFilePath(host::FilePath path);
// The specification's path in a zeroed platform record. False, with the
// record all zero, when it has no path or the path does not fit with its NUL.
bool FileSpecificationToPlatform(const M7L_FileSpecificationNative& specification,
                                 host::PlatformFileSpecification* record);
// The current document's file; an empty specification for a document never
// saved or when the host cannot tell.
M7L_FileSpecificationNative GetDocumentFileSpecification();
// True when the host stored the specification.
bool PutFileSpecificationPreference(const char* section, const char* key,
                                    const M7L_FileSpecificationNative& specification);
