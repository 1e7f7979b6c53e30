// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/linux/FontconfigAliases.h"

#include <expat.h>

#include <fstream>
#include <iterator>

#include "core/platform/Text.h"

namespace qm::platform {
namespace {

// Collects the families of <alias> elements while expat reads a file: the
// ones directly inside name the rule's subjects, the ones inside <prefer>,
// <accept> or <default> its targets.
struct AliasReader {
  std::vector<std::string> elements;  // open elements, outermost first
  std::string text;                   // of the <family> being read
  std::vector<std::string> subjects;
  std::vector<std::string> targets;
  std::unordered_map<std::string, std::vector<std::string>>* rules;

  bool Inside(const char* name, std::size_t fromEnd) const {
    return elements.size() > fromEnd && elements[elements.size() - 1 - fromEnd] == name;
  }

  void Start(const char* name) {
    elements.emplace_back(name);
    text.clear();
    if (Inside("alias", 0)) {
      subjects.clear();
      targets.clear();
    }
  }

  void End() {
    if (Inside("family", 0) && Inside("alias", 1)) {
      subjects.push_back(FamilyKey(text));
    } else if (Inside("family", 0) && elements.size() > 2 && Inside("alias", 2) &&
               (Inside("prefer", 1) || Inside("accept", 1) || Inside("default", 1))) {
      targets.push_back(FamilyKey(text));
    } else if (Inside("alias", 0)) {
      for (const std::string& subject : subjects) {
        std::vector<std::string>& list = (*rules)[subject];
        list.insert(list.end(), targets.begin(), targets.end());
      }
    }
    elements.pop_back();
  }
};

void XMLCALL OnStart(void* reader, const XML_Char* name, const XML_Char**) {
  static_cast<AliasReader*>(reader)->Start(name);
}

void XMLCALL OnEnd(void* reader, const XML_Char*) { static_cast<AliasReader*>(reader)->End(); }

void XMLCALL OnText(void* reader, const XML_Char* text, int length) {
  static_cast<AliasReader*>(reader)->text.append(text, static_cast<std::size_t>(length));
}

}  // namespace

std::string FamilyKey(const std::string& name) {
  std::string key;
  for (char c : name)
    if (c != ' ') key += c;
  return AsciiLower(key);
}

FontconfigAliases::FontconfigAliases(const std::vector<std::string>& files) {
  for (const std::string& file : files) ReadFile(file);
}

void FontconfigAliases::ReadFile(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (content.empty()) return;
  // Rules are kept only once the whole file has been read without error.
  std::unordered_map<std::string, std::vector<std::string>> rules;
  AliasReader reader{{}, {}, {}, {}, &rules};
  XML_Parser parser = XML_ParserCreate(nullptr);
  XML_SetUserData(parser, &reader);
  XML_SetElementHandler(parser, OnStart, OnEnd);
  XML_SetCharacterDataHandler(parser, OnText);
  const bool parsed =
      XML_Parse(parser, content.data(), static_cast<int>(content.size()), 1) == XML_STATUS_OK;
  XML_ParserFree(parser);
  if (!parsed) return;
  for (auto& [subject, targets] : rules) {
    std::vector<std::string>& list = targets_[subject];
    list.insert(list.end(), targets.begin(), targets.end());
  }
}

std::unordered_set<std::string> FontconfigAliases::Reachable(const std::string& name) const {
  std::unordered_set<std::string> reached;
  std::vector<std::string> pending{FamilyKey(name)};
  while (!pending.empty()) {
    const std::string key = std::move(pending.back());
    pending.pop_back();
    const auto rule = targets_.find(key);
    if (rule == targets_.end()) continue;
    for (const std::string& target : rule->second)
      if (reached.insert(target).second) pending.push_back(target);
  }
  return reached;
}

}  // namespace qm::platform
