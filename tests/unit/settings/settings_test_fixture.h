// The program started on a machine with a G400, for the tests of the
// Registry tab, the presets and the settings removal.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/program.h"
#include "unit/test_machine.h"

namespace korvane::testing {

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { machine.SeedG400(); }

  // Starts the program afresh, keeping the record of what start-up did.
  void Start() {
    program.reset();
    program = std::make_unique<Program>(machine.services);
  }
  // Starts the program afresh and forgets what start-up wrote and showed.
  void StartAndForget() {
    Start();
    machine.memory.ClearWrites();
    machine.dialogs.Clear();
  }
  TForm1& form() { return program->main_form(); }
  RegistryTab& tab() { return form().registry_tab(); }
  // A driver setting's text, or "<missing>".
  std::string Stored(const char* sub_key, const char* name) {
    return machine.memory.GetString(HKLM, machine.SubKey(sub_key), name).value_or("<missing>");
  }

  TestMachine machine;
  std::unique_ptr<Program> program;
};

}  // namespace korvane::testing
