// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An in-memory registry with the real one's habits: names without regard
// to letter case, text stored with its terminating zero, result codes.

#include <cstdint>
#include <map>
#include <string>

#include "core/platform/Registry.h"
#include "core/platform/Text.h"

namespace qm::test {

class FakeRegistry : public platform::RegistryApi {
 public:
  struct Value {
    std::uint32_t type;
    std::string bytes;
  };

  void PutText(platform::RegKey root, const std::string& key, const std::string& name,
               const std::string& text) {
    keys_[{root, platform::AsciiLower(key)}][platform::AsciiLower(name)] = {platform::kRegSz,
                                                                            text + '\0'};
  }
  void PutDword(platform::RegKey root, const std::string& key, const std::string& name,
                std::uint32_t number) {
    std::string bytes(4, '\0');
    for (std::size_t i = 0; i < 4; ++i) bytes[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
    keys_[{root, platform::AsciiLower(key)}][platform::AsciiLower(name)] = {platform::kRegDword,
                                                                            bytes};
  }
  void PutRaw(platform::RegKey root, const std::string& key, const std::string& name, Value value) {
    keys_[{root, platform::AsciiLower(key)}][platform::AsciiLower(name)] = std::move(value);
  }
  void CreateKey(platform::RegKey root, const std::string& key) {
    keys_[{root, platform::AsciiLower(key)}];
  }
  const Value* Find(platform::RegKey root, const std::string& key, const std::string& name) const {
    const auto k = keys_.find({root, platform::AsciiLower(key)});
    if (k == keys_.end()) return nullptr;
    const auto v = k->second.find(platform::AsciiLower(name));
    return v == k->second.end() ? nullptr : &v->second;
  }
  int OpenKeys() const { return static_cast<int>(open_.size()); }

  long OpenKey(platform::RegKey root, const std::string& subKey, std::uint32_t,
               platform::RegKey* opened) override {
    const auto key = keys_.find({root, platform::AsciiLower(subKey)});
    if (key == keys_.end()) return platform::kErrorFileNotFound;
    *opened = next_++;
    open_[*opened] = key->first;
    return platform::kErrorSuccess;
  }
  long QueryValue(platform::RegKey key, const std::string& valueName, std::uint32_t* type,
                  std::string* data, std::uint32_t* byteSize) override {
    const auto open = open_.find(key);
    if (open == open_.end()) return platform::kErrorInvalidParameter;
    const Value* value = Find(open->second.first, open->second.second, valueName);
    if (!value) return platform::kErrorFileNotFound;
    *type = value->type;
    *byteSize = static_cast<std::uint32_t>(value->bytes.size());
    if (data) *data = value->bytes.substr(0, data->size());
    return platform::kErrorSuccess;
  }
  long SetValue(platform::RegKey key, const std::string& valueName, std::uint32_t type,
                const std::string& data) override {
    const auto open = open_.find(key);
    if (open == open_.end()) return platform::kErrorInvalidParameter;
    keys_[open->second][platform::AsciiLower(valueName)] = {type, data};
    return platform::kErrorSuccess;
  }
  long DeleteValue(platform::RegKey key, const std::string& valueName) override {
    const auto open = open_.find(key);
    if (open == open_.end()) return platform::kErrorInvalidParameter;
    return keys_[open->second].erase(platform::AsciiLower(valueName))
               ? platform::kErrorSuccess
               : platform::kErrorFileNotFound;
  }
  long CloseKey(platform::RegKey key) override {
    return open_.erase(key) ? platform::kErrorSuccess : platform::kErrorInvalidParameter;
  }

 private:
  using KeyId = std::pair<platform::RegKey, std::string>;

  std::map<KeyId, std::map<std::string, Value>> keys_;
  std::map<platform::RegKey, KeyId> open_;
  platform::RegKey next_ = 100;
};

}  // namespace qm::test
