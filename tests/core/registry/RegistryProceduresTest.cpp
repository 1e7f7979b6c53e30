// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/registry/RegistryProcedures.h"
#include "support/FakeRegistry.h"

namespace qm::registry {

using namespace platform;
namespace {

const RegKey kRoot = kHkeyLocalMachine;
const std::string kKey = "Software\\Test";

class RegistryProceduresTest : public testing::Test {
 protected:
  void SetUp() override { registry.CreateKey(kRoot, kKey); }
  void TearDown() override { EXPECT_EQ(registry.OpenKeys(), 0) << "a key was left open"; }
  test::FakeRegistry registry;
};

TEST_F(RegistryProceduresTest, ReadStringFallsBackToDefaultUnlessTextIsThere) {
  registry.PutText(kRoot, kKey, "Name", "value");
  registry.PutDword(kRoot, kKey, "Number", 7);
  EXPECT_EQ(ReadRegistryString(registry, kRoot, kKey, "name", "x"), "value");
  EXPECT_EQ(ReadRegistryString(registry, kRoot, kKey, "Missing", "x"), "x");
  EXPECT_EQ(ReadRegistryString(registry, kRoot, kKey, "Number", "x"), "x");
  EXPECT_EQ(ReadRegistryString(registry, kRoot, "Software\\Nowhere", "Name", "x"), "x");
  EXPECT_EQ(ReadRegistryString(registry, kRoot, kKey, "Missing"), "");
}

TEST_F(RegistryProceduresTest, TextIsCutAtItsFirstZero) {
  registry.PutRaw(kRoot, kKey, "Padded", {kRegSz, std::string("abc\0def\0", 8)});
  EXPECT_EQ(ReadRegistryString(registry, kRoot, kKey, "Padded"), "abc");
  EXPECT_EQ(RegValueText(ReadRegistryValue(registry, kRoot, kKey, "Padded")), "abc");
}

TEST_F(RegistryProceduresTest, ReadValueGivesTextIntegerOrNothing) {
  registry.PutText(kRoot, kKey, "Text", "arial.ttf");
  registry.PutDword(kRoot, kKey, "Number", 4000000000u);
  registry.PutRaw(kRoot, kKey, "Binary", {3, "\x01\x02"});
  EXPECT_EQ(ReadRegistryValue(registry, kRoot, kKey, "Text"), RegValue{std::string("arial.ttf")});
  EXPECT_EQ(ReadRegistryValue(registry, kRoot, kKey, "Number"), RegValue{4000000000u});
  EXPECT_EQ(RegValueText(ReadRegistryValue(registry, kRoot, kKey, "Number")), "4000000000");
  EXPECT_TRUE(
      std::holds_alternative<std::monostate>(ReadRegistryValue(registry, kRoot, kKey, "Binary")));
  EXPECT_TRUE(
      std::holds_alternative<std::monostate>(ReadRegistryValue(registry, kRoot, kKey, "Missing")));
}

TEST_F(RegistryProceduresTest, QueryOnOpenKeyReportsCodesAndKeepsValueOnFailure) {
  registry.PutRaw(kRoot, kKey, "Binary", {3, "\x01"});
  RegKey key = 0;
  ASSERT_EQ(registry.OpenKey(kRoot, kKey, kKeyFullAccess, &key), kErrorSuccess);
  RegValue value = std::string("kept");
  EXPECT_EQ(QueryValueOnKey(registry, key, "Binary", value), -1);
  EXPECT_EQ(value, RegValue{std::string("kept")});
  EXPECT_EQ(QueryValueOnKey(registry, key, "Missing", value), kErrorFileNotFound);
  EXPECT_EQ(value, RegValue{std::string("kept")});
  registry.CloseKey(key);
}

TEST_F(RegistryProceduresTest, WritesStoreTextWithZeroAndIntegersAsFourBytes) {
  WriteRegistryValue(registry, kRoot, kKey, "Text", std::string("a.ttf"), kRegSz);
  WriteRegistryValue(registry, kRoot, kKey, "FromNumber", std::uint32_t{12}, kRegSz);
  WriteRegistryValue(registry, kRoot, kKey, "Number", std::string(" 258 "), kRegDword);
  ASSERT_NE(registry.Find(kRoot, kKey, "Text"), nullptr);
  EXPECT_EQ(registry.Find(kRoot, kKey, "Text")->bytes, std::string("a.ttf\0", 6));
  EXPECT_EQ(ReadRegistryString(registry, kRoot, kKey, "FromNumber"), "12");
  EXPECT_EQ(ReadRegistryValue(registry, kRoot, kKey, "Number"), RegValue{258u});
}

TEST_F(RegistryProceduresTest, WritesThatCannotBeMadeChangeNothing) {
  RegKey key = 0;
  ASSERT_EQ(registry.OpenKey(kRoot, kKey, kKeyFullAccess, &key), kErrorSuccess);
  EXPECT_EQ(SetValueOnKey(registry, key, "Number", kRegDword, std::string("twelve")),
            kErrorInvalidParameter);
  EXPECT_EQ(SetValueOnKey(registry, key, "Other", 3, std::string("x")), kErrorSuccess);
  registry.CloseKey(key);
  EXPECT_EQ(registry.Find(kRoot, kKey, "Number"), nullptr);
  EXPECT_EQ(registry.Find(kRoot, kKey, "Other"), nullptr);
  // The key is not created by a write.
  WriteRegistryValue(registry, kRoot, "Software\\New", "Text", std::string("a"), kRegSz);
  EXPECT_EQ(registry.Find(kRoot, "Software\\New", "Text"), nullptr);
}

TEST_F(RegistryProceduresTest, DeleteRemovesOneValue) {
  registry.PutText(kRoot, kKey, "Gone", "a");
  registry.PutText(kRoot, kKey, "Stays", "b");
  DeleteRegistryValue(registry, kRoot, kKey, "GONE");
  DeleteRegistryValue(registry, kRoot, kKey, "Missing");
  EXPECT_EQ(registry.Find(kRoot, kKey, "Gone"), nullptr);
  EXPECT_NE(registry.Find(kRoot, kKey, "Stays"), nullptr);
}

}  // namespace
}  // namespace qm::registry
