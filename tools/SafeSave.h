// Saving a catalogue without ever destroying data: through a temporary file next to the target that must read
// back into the same hoops before it replaces the target in one rename.
#pragma once

#include <brevant/Brevant.h>

#include <string>

// Answers kExitOk when `out` now holds the catalogue; otherwise `out` is untouched, the reason has been
// printed, and the status is kExitFaulty (the file would not read back the same) or kExitFailed (it could not
// be written).
int SaveCatalogueSafely(CINIHoop& catalogue, const std::string& out);

// Saves a catalogue that was loaded from `in` with the exit status `loadStatus` (see OpenCatalogue). Faulty
// lines of `in` would be lost, so such a catalogue is saved only when `skipFaulty` is set; the answer is then
// kExitFaulty even though `out` was written.
int SaveLoadedCatalogue(CINIHoop& catalogue, int loadStatus, bool skipFaulty, const std::string& in,
                        const std::string& out);
