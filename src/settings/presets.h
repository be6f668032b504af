// The four one-click presets of the General tab.
#pragma once

#include <string>

#include "platform/dialogs.h"
#include "platform/registry_store.h"
#include "platform/status.h"
#include "settings/registry_tab.h"

namespace korvane {

// Columns of the preset table.
enum class Preset { kEmergency, kGame, kBenchmark, kInitial };

// Tells the user, writes the preset's 32 values, then sets the Registry tab's
// controls to match. A failed write ends it there, with no control changed.
Status ApplyPreset(Preset preset, RegistryStore& store, Dialogs& dialogs, RegistryTab& tab,
                   const std::string& settings_key);

}  // namespace korvane
