// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a toolkit that reads its font list from fontconfig files the faces:
// each under its first family name with its first style name, and again
// under every further family name of the same language that has a style
// name of its own (a weight's own family: "Noto Looped Lao Light" with
// "Regular"). The face's other names only lead to its first family, so
// asking for "DejaVu Sans Light" by name alone gives DejaVu Sans' regular
// face. FaceFiling finds how to ask for exactly the face fontconfig gives.

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/platform/linux/FontconfigFaces.h"

namespace qm::platform {

struct FaceSelection {
  // Both empty when the name alone selects the face.
  std::string family;
  std::string style;

  bool operator==(const FaceSelection&) const = default;
};

class FaceFiling {
 public:
  // faces must outlive the filing.
  explicit FaceFiling(const std::vector<FontFace>& faces);

  // How to select face, which fontconfig gives for name (one of its names).
  FaceSelection SelectionOf(const std::string& name, const FontFace& face) const;

 private:
  struct Filed {
    const FontFace* face;
    std::string style;
  };

  std::unordered_map<std::string, std::vector<Filed>> filed_;  // by family in lower case
  // By other name in lower case: the first families it leads to, in lower case.
  std::unordered_map<std::string, std::unordered_set<std::string>> leadsTo_;
};

}  // namespace qm::platform
