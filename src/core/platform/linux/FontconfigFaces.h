#pragma once
// The installed faces as fontconfig lists them, read from a configuration
// of our own so that each read sees fonts installed since the last one.

#include <string>
#include <vector>

struct _FcConfig;

namespace qm::platform {

struct FamilyName {
  std::string name;
  std::string language;  // fontconfig's language tag, e.g. "en" or "zh-cn"; may be empty
};

struct FontFace {
  std::vector<FamilyName> families;  // every family name the face carries
  std::string file;
  int weight = 80;     // fontconfig's scale: 80 is regular
  int slant = 0;       // 0 is upright
  int width = 100;     // 100 is normal
  bool outline = true; // TrueType or CFF outlines, not a bitmap font
};

class FontconfigFaces {
 public:
  FontconfigFaces();
  ~FontconfigFaces();
  FontconfigFaces(const FontconfigFaces&) = delete;
  FontconfigFaces& operator=(const FontconfigFaces&) = delete;

  // Loads the configuration anew and lists every face it knows.
  std::vector<FontFace> Reload();

  // The families the configured substitution rules give for a name, in
  // their order, without the name itself; empty before the first Reload.
  std::vector<std::string> SubstitutesFor(const std::string& familyName) const;

  // The folders the configuration scans, subfolders included, in its order;
  // empty before the first Reload.
  std::vector<std::string> FontFolders() const;

 private:
  ::_FcConfig* config_ = nullptr;
};

}  // namespace qm::platform
