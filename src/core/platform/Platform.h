// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything the program asks of the operating system goes through this
// interface; each system has one implementation of it.

#include <memory>
#include <string>
#include <vector>

#include "core/platform/CodePointSet.h"
#include "core/platform/Registry.h"

namespace qm::platform {

// One installed family as the display knows it: the name a user reads and
// the file of the face that name draws in.
struct InstalledFamily {
  std::string name;
  std::string file;
  // When the name alone would draw another face of the same fonts: the
  // family and style the display's font list files this face under.
  std::string faceFamily = {};
  std::string faceStyle = {};
  // The family's names in the other languages its font gives, and the
  // style names of its faces, each once.
  std::vector<std::string> otherNames = {};
  std::vector<std::string> styles = {};
  // The face of file the name draws in, as fontconfig numbers faces: the
  // face in the collection in the low 16 bits, a variable font's named
  // instance in the high ones. Last, so that lists of the fields above
  // still initialise the others.
  int faceIndex = 0;
};

// Where a face lies, and the styles to be drawn that it lacks.
struct FaceLocation {
  std::string file;
  int index = 0;  // numbered as InstalledFamily::faceIndex
  bool synthesizeBold = false;
  bool synthesizeItalic = false;
};

// A font file the system's font configuration lists.
struct InstalledFontFile {
  std::string path;    // as the configuration names it
  std::string folder;  // the folder it lies in, without trailing separator
  // "Family Style" of each face listed in it, in its order, the family in
  // the user's language where the font has a name in it.
  std::vector<std::string> faces;
};

struct OsDescription {
  std::string name;     // one of the short names the font tables are chosen by, or empty
  std::string caption;  // the one-line description shown in the main window
};

class Platform {
 public:
  virtual ~Platform() = default;

  virtual RegistryApi& Registry() = 0;
  // Read afresh at every call, so fonts installed meanwhile are seen; each
  // name occurs once.
  virtual std::vector<InstalledFamily> InstalledFamilies() = 0;
  virtual OsDescription DescribeOs() = 0;

  // The folders where the system keeps its own programs' shared files and
  // its fonts, without trailing separator; callers look for files there.
  virtual std::string GetWindowsFolder() = 0;
  virtual std::string GetSystemFolder() = 0;

  // The family the system draws a generic family ("serif") in for text of
  // a language ("zh-cn"), when its font configuration names one; else empty.
  virtual std::string GenericFamily(const std::string& /*generic*/,
                                    const std::string& /*language*/) {
    return {};
  }

  // Lets the rest of the process (the toolkit) draw with the font
  // configuration the platform has loaded, instead of loading its own copy.
  // Called once at start, before anything else asks for fonts.
  virtual void ShareFontConfiguration() {}

  // The characters of the face a family name draws in, as its font declares
  // them; empty when no face carries the name. Valid until the installed
  // families are read again.
  virtual const CodePointSet& CharactersOf(const std::string& /*familyName*/) {
    static const CodePointSet none;
    return none;
  }
  // The face a family name draws in with bold and/or italic asked for: the family's own bold/italic
  // face where it has one (as fontconfig would match weight/slant among the family's faces), else
  // its regular face with the style to be synthesized. Empty file when no face carries the name.
  virtual FaceLocation StyledFaceOf(const std::string& /*familyName*/, bool /*bold*/,
                                    bool /*italic*/) {
    return {};
  }
  // Every character a code page ("GB2312", "GBK") encodes; empty when the
  // system cannot convert from it.
  virtual std::vector<char32_t> CodePageCharacters(const std::string& /*codePage*/) { return {}; }

  // Every folder the system looks for fonts in, without trailing separator.
  virtual std::vector<std::string> FontFolders() = 0;
  // Every font file of every font folder, read afresh at every call; a file
  // reached through links from several places is listed once. Systems that
  // keep no such list give none.
  virtual std::vector<InstalledFontFile> InstalledFontFiles() { return {}; }
  // The folders whose fonts are the user's own, not the system's.
  virtual std::vector<std::string> UserFontFolders() { return {}; }
  // "Family Style" of each face a font file holds, in its order.
  virtual std::vector<std::string> FacesInFile(const std::string& /*path*/) { return {}; }
  // Opens a folder, file or web address as the desktop would on a double
  // click, without waiting; the result is not known.
  virtual void ShellOpen(const std::string& target) = 0;
};

// The implementation for the system this program was built for.
std::unique_ptr<Platform> CreatePlatform();

}  // namespace qm::platform
