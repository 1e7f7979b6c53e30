// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading, writing and deleting single registry values. Failures show up
// only as empty results or result codes; nothing here reports to the user.

#include "core/platform/Registry.h"

namespace qm::registry {

using platform::RegistryApi;
using platform::RegKey;
using platform::RegValue;

// Text of one REG_SZ value, cut at its first zero; defaultValue when the key
// cannot be opened, the value is missing or is not text.
std::string ReadRegistryString(RegistryApi& registry, RegKey root, const std::string& subKey,
                               const std::string& valueName, const std::string& defaultValue = {});

// One value as text (REG_SZ) or integer (REG_DWORD); empty when unreadable.
RegValue ReadRegistryValue(RegistryApi& registry, RegKey root, const std::string& subKey,
                           const std::string& valueName);

// Writes one value of type REG_SZ or REG_DWORD into an existing key.
void WriteRegistryValue(RegistryApi& registry, RegKey root, const std::string& subKey,
                        const std::string& valueName, const RegValue& value, std::uint32_t type);

void DeleteRegistryValue(RegistryApi& registry, RegKey root, const std::string& subKey,
                         const std::string& valueName);

// The same on a key that is already open. QueryValueOnKey leaves value
// untouched when the value is missing and answers -1 for types it does not read.
long QueryValueOnKey(RegistryApi& registry, RegKey key, const std::string& valueName,
                     RegValue& value);
long SetValueOnKey(RegistryApi& registry, RegKey key, const std::string& valueName,
                   std::uint32_t type, const RegValue& value);

// A value as the text a caller shows: integers in decimal, nothing as "".
std::string RegValueText(const RegValue& value);

}  // namespace qm::registry
