// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The <alias> rules of fontconfig's configuration files: the families each
// rule prefers, accepts or falls back to for the families it names.

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace qm::platform {

// A family name as fontconfig compares them: without blanks, in lower case.
std::string FamilyKey(const std::string& name);

class FontconfigAliases {
 public:
  // Reads the rules of the files in order; a file that cannot be read or
  // parsed adds none.
  explicit FontconfigAliases(const std::vector<std::string>& files);

  // The keys of every family the rules give for name, and those the rules
  // give for these in turn; name's own key only if a rule leads back to it.
  std::unordered_set<std::string> Reachable(const std::string& name) const;

 private:
  void ReadFile(const std::string& file);

  std::unordered_map<std::string, std::vector<std::string>> targets_;  // keys by named key
};

}  // namespace qm::platform
