// Taking the driver back towards its installed state.
#pragma once

#include <string>

#include "platform/dialogs.h"
#include "platform/registry_store.h"
#include "platform/status.h"
#include "settings/registry_tab.h"

namespace korvane {

// Asks first; then deletes most driver settings, writes two fixed values,
// deletes PowerDesk's "ShowMeAllMatrox" and resets the Registry tab's boxes
// (each box that changes writes its value again) and its AGP speed.
Status RemoveSettings(RegistryStore& store, Dialogs& dialogs, RegistryTab& tab,
                      const std::string& settings_key);

}  // namespace korvane
