// The registry contract against the real registry of the Wine prefix.
#include <windows.h>

#include <memory>

#include "unit/registry/registry_contract.h"
#include "win32/win32_registry_store.h"

namespace korvane::testing {
namespace {

class Win32StoreFixture : public RegistryStoreFixture {
 public:
  RegistryStore& store() override { return store_; }
  void Clean() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, kContractKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, kContractKey);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kContractKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kContractKey);
  }

 private:
  win32::Win32RegistryStore store_;
};

INSTANTIATE_TEST_SUITE_P(Win32, RegistryContract,
                         ::testing::Values(StoreKind{"Win32",
                                                     [] {
                                                       return std::unique_ptr<RegistryStoreFixture>(
                                                           std::make_unique<Win32StoreFixture>());
                                                     }}),
                         StoreKindName);

}  // namespace
}  // namespace korvane::testing
