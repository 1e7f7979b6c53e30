// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/FileProperties.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QUrl>
#include <algorithm>

#include "core/fileinfo/FileInfo.h"
#include "gui/common/DesktopFileTypes.h"

namespace qm::gui {
namespace {

constexpr int kFileManagerTimeoutMs = 5000;

// A file URI of the path's own bytes, whatever they are.
QString FileUri(const std::string& path) {
  return QStringLiteral("file://") +
         QString::fromLatin1(QByteArray::fromStdString(path).toPercentEncoding("/"));
}

QString AttributesText(const fileinfo::CFileInfo& info) {
  QStringList names;
  if (info.attrReadOnly()) names << QStringLiteral("只读");
  if (info.attrHidden()) names << QStringLiteral("隐藏");
  if (info.attrSystem()) names << QStringLiteral("系统");
  return names.isEmpty() ? QStringLiteral("无") : names.join(QStringLiteral("、"));
}

QString DateText(const platform::FileDateTime& time) {
  return time.IsNull() ? QStringLiteral("未知")
                       : QString::fromStdString(fileinfo::CFileInfo::FormatFileDate(time));
}

QString SizeText(std::uint64_t bytes) {
  return QString::fromStdString(fileinfo::CFileInfo::FormatFileSize(bytes)) +
         QStringLiteral(" KB (%1 字节)").arg(bytes);
}

// A value stays on its line up to this share of the screen's width; a
// longer one wraps.
constexpr double kMostScreenShare = 0.6;

QLabel* ValueLabel(const QString& text, const QString& name, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // A wrapping label asks for little width; the window is as wide as its
  // values' lines instead, as the label lays them out unwrapped.
  const int unwrapped = label->sizeHint().width();
  label->setWordWrap(true);
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int most = screen ? int(screen->availableGeometry().width() * kMostScreenShare) : 800;
  label->setMinimumWidth(std::min(unwrapped, most));
  return label;
}

}  // namespace

bool ShowPropertiesInFileManager(const std::string& path, QDBusConnection bus) {
  if (!bus.isConnected()) return false;
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.FileManager1"),
      QStringLiteral("/org/freedesktop/FileManager1"),
      QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItemProperties"));
  call << QStringList{FileUri(path)} << QString();
  return bus.call(call, QDBus::Block, kFileManagerTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

FilePropertiesDialog::FilePropertiesDialog(const std::string& path,
                                           const std::vector<std::string>& faces, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("FileProperties"));
  DesktopFileTypes types;
  fileinfo::CFileInfo info(&types);
  info.SetFullPathName(path);
  setWindowTitle(QString::fromStdString(info.FileName()) + QStringLiteral(" 属性"));
  auto* form = new QFormLayout(this);
  const auto row = [&](const QString& label, const QString& text, const QString& name) {
    form->addRow(label, ValueLabel(text, name, this));
  };
  row(QStringLiteral("文件名："), QFile::decodeName(QByteArray::fromStdString(info.FileName())),
      QStringLiteral("FileName"));
  row(QStringLiteral("位置："), QFile::decodeName(QByteArray::fromStdString(info.FilePath())),
      QStringLiteral("FilePath"));
  row(QStringLiteral("类型："), QString::fromStdString(info.TypeName()),
      QStringLiteral("TypeName"));
  row(QStringLiteral("大小："), SizeText(info.FileSize()), QStringLiteral("FileSize"));
  row(QStringLiteral("占用空间："), SizeText(info.CompressedFileSize()),
      QStringLiteral("SizeOnDisk"));
  row(QStringLiteral("创建时间："), DateText(info.CreationTime()), QStringLiteral("Created"));
  row(QStringLiteral("修改时间："), DateText(info.ModifyTime()), QStringLiteral("Modified"));
  row(QStringLiteral("访问时间："), DateText(info.LastAccessTime()), QStringLiteral("Accessed"));
  row(QStringLiteral("属性："), AttributesText(info), QStringLiteral("Attributes"));
  QStringList faceNames;
  for (const std::string& face : faces) faceNames << QString::fromStdString(face);
  row(QStringLiteral("包含的字体："),
      faceNames.isEmpty() ? QStringLiteral("无") : faceNames.join(u'\n'), QStringLiteral("Faces"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

void ShowProps(const std::string& path, const std::vector<std::string>& faces, QWidget* owner,
               QDBusConnection bus) {
  if (ShowPropertiesInFileManager(path, bus)) return;
  FilePropertiesDialog dialog(path, faces, owner);
  dialog.exec();
}

}  // namespace qm::gui
