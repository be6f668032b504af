#include "unit/registry/registry_contract.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "registry/registry.h"

namespace korvane::testing {
namespace {

const std::string kKey = std::string("\\") + kContractKey;
const std::string kSub = kKey + "\\Sub";

// Stores a value of any type and size directly, below the contract's key.
void PutRaw(RegistryStore& store, RegistryRoot root, const std::string& path, const char* name,
            std::uint32_t type, std::vector<std::uint8_t> data) {
  auto key = store.Open(root, path.substr(1), KeyAccess::kCreate);
  ASSERT_TRUE(key);
  ASSERT_TRUE(key->Set(name, type, data));
}

TEST_P(RegistryContract, ValuesRoundTripWithTheirTypes) {
  Registry writer(store());
  writer.SetRoot(RegistryRoot::kLocalMachine);
  ASSERT_TRUE(writer.OpenKey(kSub, true));
  ASSERT_TRUE(writer.WriteString("Text", "1").ok());
  ASSERT_TRUE(writer.WriteString("Japanese", "プラグ アンド プレイ モニタ").ok());
  ASSERT_TRUE(writer.WriteInteger("Number", -2).ok());
  const std::uint8_t bytes[] = {0x02, 0x80};
  ASSERT_TRUE(writer.WriteBinary("Bytes", bytes).ok());
  writer.CloseKey();

  Registry reader(store());
  reader.SetRoot(RegistryRoot::kLocalMachine);
  ASSERT_TRUE(reader.OpenKeyReadOnly(kSub));
  EXPECT_EQ(reader.ReadString("Text").value(), "1");
  EXPECT_EQ(reader.ReadString("Japanese").value(), "プラグ アンド プレイ モニタ");
  EXPECT_EQ(reader.ReadInteger("Number").value(), -2);
  std::uint8_t buffer[2] = {};
  EXPECT_EQ(reader.ReadBinary("Bytes", buffer, 2).value(), 2u);
  EXPECT_EQ(buffer[0], 0x02);
  EXPECT_EQ(buffer[1], 0x80);

  // A string "1" is not the integer 1, nor the other way round.
  EXPECT_EQ(reader.ReadInteger("Text").status().message(), "'Text' のデータ型が不正です");
  EXPECT_EQ(reader.ReadString("Number").status().message(), "'Number' のデータ型が不正です");
  EXPECT_EQ(reader.ReadBinary("Number", buffer, 2).status().message(),
            "'Number' のデータ型が不正です");
}

TEST_P(RegistryContract, MissingValuesReadAsEmptyOrFailAsSpecified) {
  Registry registry(store());
  registry.SetRoot(RegistryRoot::kCurrentUser);
  ASSERT_TRUE(registry.OpenKey(kKey, true));
  EXPECT_FALSE(registry.ValueExists("Nothing"));
  EXPECT_EQ(registry.ReadString("Nothing").value(), "");
  EXPECT_EQ(registry.ReadInteger("Nothing").status().message(), "'Nothing' の取得に失敗しました");
  std::uint8_t buffer[2] = {7, 7};
  EXPECT_EQ(registry.ReadBinary("Nothing", buffer, 2).value(), 0u);
  EXPECT_EQ(buffer[0], 7);                            // left alone
  EXPECT_TRUE(registry.DeleteValue("Nothing").ok());  // no error, nothing happens
}

TEST_P(RegistryContract, OddStoredDataFollowsTheReadRules) {
  PutRaw(store(), RegistryRoot::kCurrentUser, kKey, "Expand", kRegExpandString, {'%', 'X', '%', 0});
  PutRaw(store(), RegistryRoot::kCurrentUser, kKey, "Nul", kRegString, {'a', 0, 'b', 0});
  PutRaw(store(), RegistryRoot::kCurrentUser, kKey, "EmptyBinary", kRegBinary, {});
  PutRaw(store(), RegistryRoot::kCurrentUser, kKey, "LongText", kRegString,
         {'h', 'e', 'l', 'l', 'o', 0});
  PutRaw(store(), RegistryRoot::kCurrentUser, kKey, "WideDword", kRegDword,
         {1, 0, 0, 0, 0, 0, 0, 0});
  PutRaw(store(), RegistryRoot::kCurrentUser, kKey, "Multi", kRegMultiString, {'a', 0, 0});
  PutRaw(store(), RegistryRoot::kCurrentUser, kKey, "Long", kRegBinary, {1, 2, 3});

  Registry registry(store());
  ASSERT_TRUE(registry.OpenKeyReadOnly(kKey));
  EXPECT_EQ(registry.ReadString("Expand").value(), "%X%");
  EXPECT_EQ(registry.ReadString("Nul").value(), "a");
  EXPECT_EQ(registry.ReadString("EmptyBinary").value(), "");
  // More than four bytes fails the integer read before its type is looked at.
  EXPECT_EQ(registry.ReadInteger("LongText").status().message(), "'LongText' の取得に失敗しました");
  EXPECT_EQ(registry.ReadInteger("WideDword").status().message(),
            "'WideDword' の取得に失敗しました");
  std::uint8_t buffer[3] = {};
  EXPECT_EQ(registry.ReadBinary("Multi", buffer, 3).value(), 3u);
  EXPECT_EQ(registry.ReadBinary("Long", buffer, 2).status().message(),
            "'Long' のデータ型が不正です");
}

TEST_P(RegistryContract, ListGivesEveryValueAsStored) {
  PutRaw(store(), RegistryRoot::kLocalMachine, kSub, "FlipOnVBlank", kRegString, {'1', 0});
  PutRaw(store(), RegistryRoot::kLocalMachine, kSub, "モニタ", kRegString,
         {0xE3, 0x82, 0xBD, '\\',
          0});  // ソ and a backslash: ソ itself ends in a backslash byte in code page 932
  PutRaw(store(), RegistryRoot::kLocalMachine, kSub, "Width", kRegBinary, {0x02, 0x80});
  PutRaw(store(), RegistryRoot::kLocalMachine, kSub, "", kRegDword, {1, 0, 0, 0});
  auto key = store().Open(RegistryRoot::kLocalMachine, kSub.substr(1), KeyAccess::kRead);
  ASSERT_TRUE(key);
  std::vector<NamedValue> values;
  ASSERT_TRUE(key->List(&values));
  std::sort(values.begin(), values.end(),
            [](const NamedValue& a, const NamedValue& b) { return a.name < b.name; });
  ASSERT_EQ(values.size(), 4u);
  EXPECT_EQ(values[0].name, "");
  EXPECT_EQ(values[0].value, (RegistryValue{kRegDword, {1, 0, 0, 0}}));
  EXPECT_EQ(values[1].name, "FlipOnVBlank");
  EXPECT_EQ(values[1].value, (RegistryValue{kRegString, {'1', 0}}));
  EXPECT_EQ(values[2].name, "Width");
  EXPECT_EQ(values[2].value, (RegistryValue{kRegBinary, {0x02, 0x80}}));
  EXPECT_EQ(values[3].name, "モニタ");
  EXPECT_EQ(values[3].value, (RegistryValue{kRegString, {0xE3, 0x82, 0xBD, '\\', 0}}));

  auto empty = store().Open(RegistryRoot::kLocalMachine, kContractKey, KeyAccess::kCreate);
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->List(&values));
  EXPECT_TRUE(values.empty());
}

TEST_P(RegistryContract, NamesMatchWithoutRegardToCase) {
  Registry registry(store());
  registry.SetRoot(RegistryRoot::kLocalMachine);
  ASSERT_TRUE(registry.OpenKey(kSub, true));
  ASSERT_TRUE(registry.WriteString("FlipOnVBlank", "0").ok());
  ASSERT_TRUE(registry.WriteString("FLIPONVBLANK", "1").ok());
  EXPECT_EQ(registry.ReadString("FlipOnVblank").value(), "1");
  EXPECT_TRUE(registry.DeleteValue("fliponvblank").ok());
  EXPECT_FALSE(registry.ValueExists("FlipOnVBlank"));

  // Key paths too, with or without the leading backslash.
  ASSERT_TRUE(registry.OpenKey(kSub, true));
  ASSERT_TRUE(registry.WriteInteger("Found", 1).ok());
  Registry other(store());
  other.SetRoot(RegistryRoot::kLocalMachine);
  std::string upper = std::string(kContractKey) + "\\SUB";
  for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  ASSERT_TRUE(other.OpenKeyReadOnly(upper));
  EXPECT_EQ(other.ReadInteger("found").value(), 1);
}

TEST_P(RegistryContract, AFailedOpenLeavesThePreviousKeyCurrent) {
  Registry registry(store());
  registry.SetRoot(RegistryRoot::kLocalMachine);
  ASSERT_TRUE(registry.OpenKey(kSub, true));
  ASSERT_TRUE(registry.WriteString("Here", "yes").ok());
  EXPECT_FALSE(registry.OpenKey(kKey + "\\Missing", false));
  EXPECT_FALSE(registry.OpenKeyReadOnly(kKey + "\\Missing"));
  EXPECT_EQ(registry.ReadString("Here").value(), "yes");

  // Open without create did not create the key.
  Registry check(store());
  check.SetRoot(RegistryRoot::kLocalMachine);
  EXPECT_FALSE(check.OpenKeyReadOnly(kKey + "\\Missing"));
}

TEST_P(RegistryContract, WithoutACurrentKeyReadsAreEmptyAndWritesFail) {
  Registry registry(store());
  registry.SetRoot(RegistryRoot::kLocalMachine);
  EXPECT_FALSE(registry.OpenKey(kKey + "\\Missing", false));
  EXPECT_FALSE(registry.ValueExists("AGPFlags"));
  EXPECT_EQ(registry.ReadString("AGPFlags").value(), "");
  EXPECT_EQ(registry.ReadInteger("AGPFlags").status().message(), "'AGPFlags' の取得に失敗しました");
  EXPECT_EQ(registry.WriteString("AGPFlags", "1").message(), "'AGPFlags' の設定に失敗しました");
  EXPECT_EQ(registry.WriteInteger("G400 OverClock", 1).message(),
            "'G400 OverClock' の設定に失敗しました");
  EXPECT_TRUE(registry.DeleteValue("AGPFlags").ok());
}

TEST_P(RegistryContract, ChangingTheRootClosesTheKey) {
  Registry registry(store());
  registry.SetRoot(RegistryRoot::kLocalMachine);
  ASSERT_TRUE(registry.OpenKey(kSub, true));
  ASSERT_TRUE(registry.WriteString("Root", "machine").ok());
  registry.SetRoot(RegistryRoot::kLocalMachine);  // the same root: no change
  EXPECT_EQ(registry.ReadString("Root").value(), "machine");
  registry.SetRoot(RegistryRoot::kCurrentUser);
  EXPECT_FALSE(registry.has_current_key());
  EXPECT_EQ(registry.ReadString("Root").value(), "");

  // The same path below the other root is another key.
  ASSERT_TRUE(registry.OpenKey(kSub, true));
  EXPECT_FALSE(registry.ValueExists("Root"));
}

TEST_P(RegistryContract, CreateMakesMissingParents) {
  Registry registry(store());
  registry.SetRoot(RegistryRoot::kCurrentUser);
  ASSERT_TRUE(registry.OpenKey(kKey + "\\A\\B\\C", true));
  ASSERT_TRUE(registry.WriteInteger("Deep", 3).ok());
  Registry check(store());
  EXPECT_TRUE(check.OpenKeyReadOnly(kKey + "\\A\\B"));
  EXPECT_TRUE(check.OpenKeyReadOnly(kKey + "\\A\\B\\C"));
  EXPECT_EQ(check.ReadInteger("Deep").value(), 3);
}

// Only a key with nothing in it goes: Windows 95/98 would take a whole tree.
TEST_P(RegistryContract, OnlyAnEmptyKeyIsDeleted) {
  const RegistryRoot root = RegistryRoot::kCurrentUser;
  Registry registry(store());
  registry.SetRoot(root);
  ASSERT_TRUE(registry.OpenKey(kKey + "\\Full", true));
  ASSERT_TRUE(registry.WriteInteger("Kept", 1).ok());
  ASSERT_TRUE(registry.OpenKey(kKey + "\\Parent\\Child", true));
  ASSERT_TRUE(registry.OpenKey(kKey + "\\Empty", true));
  registry.SetRoot(RegistryRoot::kLocalMachine);  // closes the key
  const std::string base = std::string(kContractKey);
  EXPECT_FALSE(store().DeleteKeyIfEmpty(root, base + "\\Full"));
  EXPECT_FALSE(store().DeleteKeyIfEmpty(root, base + "\\Parent"));
  EXPECT_FALSE(store().DeleteKeyIfEmpty(root, base + "\\Missing"));
  EXPECT_TRUE(store().DeleteKeyIfEmpty(root, base + "\\Empty"));
  EXPECT_TRUE(store().Open(root, base + "\\Full", KeyAccess::kRead));
  EXPECT_TRUE(store().Open(root, base + "\\Parent\\Child", KeyAccess::kRead));
  EXPECT_FALSE(store().Open(root, base + "\\Empty", KeyAccess::kRead));
}

}  // namespace
}  // namespace korvane::testing
