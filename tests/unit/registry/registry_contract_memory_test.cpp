#include <memory>

#include "platform/fakes/memory_registry_store.h"
#include "unit/registry/registry_contract.h"

namespace korvane::testing {
namespace {

class MemoryStoreFixture : public RegistryStoreFixture {
 public:
  RegistryStore& store() override { return store_; }
  void Clean() override {}

 private:
  MemoryRegistryStore store_;
};

INSTANTIATE_TEST_SUITE_P(Memory, RegistryContract,
                         ::testing::Values(StoreKind{"Memory",
                                                     [] {
                                                       return std::unique_ptr<RegistryStoreFixture>(
                                                           std::make_unique<MemoryStoreFixture>());
                                                     }}),
                         StoreKindName);

}  // namespace
}  // namespace korvane::testing
