// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's default application for TrueType files, while it lives: a
// recording program under the test's own data folder, so that a test sees
// which files were handed to "the viewer" without starting a real one.

#include <QDir>
#include <QFile>
#include <QStringList>

#include "support/Externals.h"
#include "support/TestEnvironment.h"

namespace qm::test {

class RecordingViewer {
 public:
  RecordingViewer() {
    program_ = WriteRecordingProgram(root_ + QStringLiteral("/viewer"), QStringLiteral("view"));
    Write(entry_,
          "[Desktop Entry]\nType=Application\nName=Recording viewer\nExec=" + program_ + " %f\n");
    Write(defaults_, QStringLiteral("[Default Applications]\nfont/ttf=recording-viewer.desktop\n"));
  }
  ~RecordingViewer() {
    QFile::remove(entry_);
    QFile::remove(defaults_);
  }
  RecordingViewer(const RecordingViewer&) = delete;
  RecordingViewer& operator=(const RecordingViewer&) = delete;

  // The files the viewer was started on, oldest first.
  QStringList Viewed() const { return RecordedCalls(program_); }

 private:
  static void Write(const QString& path, const QString& text) {
    QDir().mkpath(path.section(u'/', 0, -2));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(text.toUtf8());
  }

  QString root_ = QString::fromStdString(TestEnvironment::Current().Root());
  QString entry_ = root_ + QStringLiteral("/data/applications/recording-viewer.desktop");
  QString defaults_ = root_ + QStringLiteral("/config/mimeapps.list");
  QString program_;
};

}  // namespace qm::test
