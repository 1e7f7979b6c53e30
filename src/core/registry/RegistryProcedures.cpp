// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/registry/RegistryProcedures.h"

#include <charconv>

namespace qm::registry {

using namespace platform;  // the registry's types, keys and result codes
namespace {

std::string CutAtFirstZero(const std::string& bytes) { return bytes.substr(0, bytes.find('\0')); }

std::string DwordBytes(std::uint32_t number) {
  std::string bytes(4, '\0');
  for (std::size_t i = 0; i < 4; ++i) bytes[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
  return bytes;
}

std::uint32_t DwordFromBytes(const std::string& bytes) {
  std::uint32_t number = 0;
  for (std::size_t i = 0; i < 4 && i < bytes.size(); ++i)
    number |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  return number;
}

// The 32-bit integer a value stands for, if it stands for one.
bool ToDword(const RegValue& value, std::uint32_t* number) {
  if (const auto* n = std::get_if<std::uint32_t>(&value)) {
    *number = *n;
    return true;
  }
  const auto* text = std::get_if<std::string>(&value);
  if (!text) return false;
  const char* first = text->data();
  const char* last = first + text->size();
  while (first != last && *first == ' ') ++first;
  while (last != first && last[-1] == ' ') --last;
  if (first != last && *first == '-') {
    std::int32_t negative = 0;
    auto [end, ec] = std::from_chars(first, last, negative);
    if (ec != std::errc() || end != last) return false;
    *number = static_cast<std::uint32_t>(negative);
    return true;
  }
  auto [end, ec] = std::from_chars(first, last, *number);
  return ec == std::errc() && end == last && first != last;
}

}  // namespace

std::string RegValueText(const RegValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* number = std::get_if<std::uint32_t>(&value)) return std::to_string(*number);
  return {};
}

std::string ReadRegistryString(RegistryApi& registry, RegKey root, const std::string& subKey,
                               const std::string& valueName, const std::string& defaultValue) {
  std::string result = defaultValue;
  RegKey key = 0;
  if (registry.OpenKey(root, subKey, 0, &key) != kErrorSuccess) return result;
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  if (registry.QueryValue(key, valueName, &type, nullptr, &size) == kErrorSuccess &&
      type == kRegSz) {
    std::string buffer(size, '\0');
    if (registry.QueryValue(key, valueName, &type, &buffer, &size) == kErrorSuccess)
      result = CutAtFirstZero(buffer);
  }
  registry.CloseKey(key);
  return result;
}

long QueryValueOnKey(RegistryApi& registry, RegKey key, const std::string& valueName,
                     RegValue& value) {
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  const long sized = registry.QueryValue(key, valueName, &type, nullptr, &size);
  if (sized != kErrorSuccess) return sized;
  std::string buffer(type == kRegDword ? 4 : size, '\0');
  if (type == kRegSz) {
    const long read = registry.QueryValue(key, valueName, &type, &buffer, &size);
    value = read == kErrorSuccess ? RegValue{CutAtFirstZero(buffer)} : RegValue{};
    return read;
  }
  if (type == kRegDword) {
    const long read = registry.QueryValue(key, valueName, &type, &buffer, &size);
    if (read == kErrorSuccess) value = DwordFromBytes(buffer);
    return read;
  }
  return -1;
}

RegValue ReadRegistryValue(RegistryApi& registry, RegKey root, const std::string& subKey,
                           const std::string& valueName) {
  RegValue value;
  RegKey key = 0;
  if (registry.OpenKey(root, subKey, kKeyFullAccess, &key) != kErrorSuccess) return value;
  QueryValueOnKey(registry, key, valueName, value);
  registry.CloseKey(key);
  return value;
}

long SetValueOnKey(RegistryApi& registry, RegKey key, const std::string& valueName,
                   std::uint32_t type, const RegValue& value) {
  if (type == kRegSz) {
    // The stored text carries its terminating zero, as the registry expects.
    return registry.SetValue(key, valueName, kRegSz, RegValueText(value) + '\0');
  }
  if (type == kRegDword) {
    std::uint32_t number = 0;
    if (!ToDword(value, &number)) return kErrorInvalidParameter;
    return registry.SetValue(key, valueName, kRegDword, DwordBytes(number));
  }
  return kErrorSuccess;
}

void WriteRegistryValue(RegistryApi& registry, RegKey root, const std::string& subKey,
                        const std::string& valueName, const RegValue& value, std::uint32_t type) {
  RegKey key = 0;
  if (registry.OpenKey(root, subKey, kKeyFullAccess, &key) != kErrorSuccess) return;
  SetValueOnKey(registry, key, valueName, type, value);
  registry.CloseKey(key);
}

void DeleteRegistryValue(RegistryApi& registry, RegKey root, const std::string& subKey,
                         const std::string& valueName) {
  RegKey key = 0;
  if (registry.OpenKey(root, subKey, kKeyFullAccess, &key) != kErrorSuccess) return;
  registry.DeleteValue(key, valueName);
  registry.CloseKey(key);
}

}  // namespace qm::registry
