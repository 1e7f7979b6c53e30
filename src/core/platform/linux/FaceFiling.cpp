// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/linux/FaceFiling.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdlib>

#include "core/platform/Text.h"

namespace qm::platform {
namespace {

bool FiledUnderOwnName(const FamilyName& first, const FamilyName& further) {
  const bool sameLanguage = further.language.empty() || further.language == first.language;
  return sameLanguage && !further.style.empty() && further.style != first.style;
}

// How far from what it looks for the toolkit finds a face when asked for a
// family alone: weight in tens on the 1 to 1000 scale, width in percent,
// and any slant further than both.
int DistanceFromRegular(const FontFace& face) {
  const int weight = static_cast<int>(FcWeightToOpenTypeDouble(face.weight));
  return std::abs((weight - 400) / 10) + std::abs(face.width - 100) +
         (face.slant != 0 ? 0x1000 : 0);
}

// Copies of one face in several files or formats count as one face.
bool SameDesign(const FontFace& a, const FontFace& b) {
  const FamilyName& first = a.families.front();
  const FamilyName& other = b.families.front();
  return first.name == other.name && first.style == other.style && a.weight == b.weight &&
         a.width == b.width && a.slant == b.slant;
}

}  // namespace

FaceFiling::FaceFiling(const std::vector<FontFace>& faces) {
  for (const FontFace& face : faces) {
    const FamilyName& first = face.families.front();
    filed_[AsciiLower(first.name)].push_back({&face, first.style});
    for (std::size_t i = 1; i < face.families.size(); ++i) {
      const FamilyName& further = face.families[i];
      if (FiledUnderOwnName(first, further))
        filed_[AsciiLower(further.name)].push_back({&face, further.style});
      else
        leadsTo_[AsciiLower(further.name)].insert(AsciiLower(first.name));
    }
  }
}

FaceSelection FaceFiling::SelectionOf(const std::string& name, const FontFace& face) const {
  const FamilyName& first = face.families.front();
  const FaceSelection fallback{first.name, first.style};
  // The toolkit's family for the name, and the face's style there.
  const std::string key = AsciiLower(name);
  const std::vector<Filed>* members = nullptr;
  std::string style;
  if (const auto own = filed_.find(key); own != filed_.end()) {
    members = &own->second;
    const auto filed = std::find_if(members->begin(), members->end(),
                                    [&](const Filed& member) { return member.face == &face; });
    if (filed == members->end()) return fallback;  // the name is another face's family
    style = filed->style;
  } else if (const auto leads = leadsTo_.find(key); leads != leadsTo_.end() &&
                                                    leads->second.size() == 1 &&
                                                    leads->second.count(AsciiLower(first.name))) {
    members = &filed_.at(AsciiLower(first.name));  // the name is another for the first family
    style = first.style;
  } else {
    return fallback;
  }

  const auto nearer = [](const Filed& a, const Filed& b) {
    return DistanceFromRegular(*a.face) < DistanceFromRegular(*b.face);
  };
  const Filed& nearest = *std::min_element(members->begin(), members->end(), nearer);
  const auto onlyThisDesign = [&](auto matches) {
    return std::all_of(members->begin(), members->end(), [&](const Filed& member) {
      return !matches(member) || SameDesign(*member.face, face);
    });
  };
  if (onlyThisDesign([&](const Filed& member) { return !nearer(nearest, member); })) return {};
  if (onlyThisDesign([&](const Filed& member) { return member.style == style; }))
    return {name, style};
  return fallback;
}

}  // namespace qm::platform
