// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File kinds and icons as the desktop knows them: the shared MIME database
// names the kind (localised, "TrueType 字体"), the icon theme draws it. Icons
// are kept once per MIME type, so a folder of thousands of fonts looks each
// kind up once. For the GUI thread only.

#include <QFileIconProvider>
#include <QHash>
#include <QIcon>
#include <QMimeDatabase>
#include <QString>
#include <vector>

#include "core/platform/FileTypes.h"

namespace qm::gui {

class DesktopFileTypes final : public platform::FileTypes {
 public:
  // The display name is the file name; the type name is empty for a kind
  // the database does not know, so the caller names it by its extension.
  platform::FileTypeInfo Describe(const std::string& fullPath) override;

  // The icon a key from Describe stands for; a null icon for 0 or a key
  // this object did not hand out.
  QIcon IconFor(platform::FileIconKey key) const;

 private:
  struct KnownKind {
    std::string typeName;
    platform::FileIconKey icon = 0;
  };

  platform::FileIconKey IconKeyFor(const QMimeType& type, const QString& path);

  QMimeDatabase mimeTypes_;
  QFileIconProvider iconProvider_;
  QHash<QString, platform::FileIconKey> keys_;  // by MIME type name
  QHash<QString, KnownKind> kindBySuffix_;      // for names whose suffix alone tells the kind
  std::vector<QIcon> icons_;                    // key - 1 is the index
};

}  // namespace qm::gui
