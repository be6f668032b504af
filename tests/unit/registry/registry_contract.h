// The registry handle's contract, run against every store: the in-memory
// one natively and under Wine, and the real registry under Wine.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "platform/registry_store.h"

namespace korvane::testing {

class RegistryStoreFixture {
 public:
  virtual ~RegistryStoreFixture() = default;
  virtual RegistryStore& store() = 0;
  // Removes the contract's test keys from both roots.
  virtual void Clean() = 0;
};

struct StoreKind {
  const char* name;
  std::unique_ptr<RegistryStoreFixture> (*make)();
};

// The contract's keys lie below this path in both roots.
inline constexpr char kContractKey[] = "Software\\KorvaneContractTest";

class RegistryContract : public ::testing::TestWithParam<StoreKind> {
 protected:
  void SetUp() override {
    fixture_ = GetParam().make();
    fixture_->Clean();
  }
  void TearDown() override { fixture_->Clean(); }
  RegistryStore& store() { return fixture_->store(); }

 private:
  std::unique_ptr<RegistryStoreFixture> fixture_;
};

inline std::string StoreKindName(const ::testing::TestParamInfo<StoreKind>& info) {
  return info.param.name;
}

}  // namespace korvane::testing
