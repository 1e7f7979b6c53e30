// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/foldertree/UsrDir.h"

#include <QApplication>
#include <QCollator>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/install/DriveNodes.h"

namespace qm::gui {
namespace {

enum Role { kKeyRole = Qt::UserRole, kFolderRole, kDriveRootRole };

QString WithSeparator(QString folder) {
  if (!folder.endsWith(u'/')) folder += u'/';
  return folder;
}

// The user's folder of a kind when it exists, else the home folder.
QString UserFolder(const QString& given, QStandardPaths::StandardLocation location) {
  if (!given.isEmpty()) return given;
  const QString folder = QStandardPaths::writableLocation(location);
  return !folder.isEmpty() && QDir(folder).exists() ? folder : QDir::homePath();
}

QIcon StandardIcon(QStyle::StandardPixmap pixmap) {
  return QApplication::style()->standardIcon(pixmap);
}

QIcon DriveIcon(platform::DriveKind kind) {
  const std::string picture = install::DrivePictureKey(kind);
  if (picture == "remove") return StandardIcon(QStyle::SP_DriveFDIcon);
  if (picture == "cd") return StandardIcon(QStyle::SP_DriveCDIcon);
  if (picture == "remote") return StandardIcon(QStyle::SP_DriveNetIcon);
  return StandardIcon(QStyle::SP_DriveHDIcon);
}

}  // namespace

UsrDir::UsrDir(QWidget* parent, FolderTreeSources sources)
    : QWidget(parent), sources_(std::move(sources)) {
  setObjectName(QStringLiteral("usrDir1"));
  DirTree = new QTreeWidget(this);
  DirTree->setObjectName(QStringLiteral("DirTree"));
  DirTree->setHeaderHidden(true);
  DirTree->viewport()->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(DirTree);
  desktopPath_ = UserFolder(sources_.desktop, QStandardPaths::DesktopLocation);
  myDocumentsPath_ = UserFolder(sources_.documents, QStandardPaths::DocumentsLocation);
  Build();
  // A mouse click makes the node current and then clicks it: handled once,
  // as the click. Keys that move the current node click it too.
  connect(DirTree, &QTreeWidget::itemClicked, this, &UsrDir::OnNodeClick);
  connect(DirTree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
    if (current && !pressing_) OnNodeClick(current);
  });
}

bool UsrDir::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) pressing_ = true;
  if (event->type() == QEvent::MouseButtonRelease) pressing_ = false;
  return QWidget::eventFilter(watched, event);
}

QTreeWidgetItem* UsrDir::AddNode(QTreeWidgetItem* parent, const QString& key, const QString& text,
                                 const QString& folder, const QIcon& icon) {
  auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(DirTree);
  node->setText(0, text);
  node->setIcon(0, icon);
  node->setData(0, kKeyRole, key);
  node->setData(0, kFolderRole, folder);
  lastAdded_ = node;
  return node;
}

void UsrDir::Build() {
  QTreeWidgetItem* desktop = AddNode(nullptr, kDesktopKey, QStringLiteral("Desktop"), desktopPath_,
                                     StandardIcon(QStyle::SP_DesktopIcon));
  AddNode(desktop, myDocumentsPath_, QStringLiteral("My Documents"), myDocumentsPath_,
          StandardIcon(QStyle::SP_DirIcon));
  myDocumentsPath_ = WithSeparator(myDocumentsPath_);
  QTreeWidgetItem* computer =
      AddNode(desktop, kComputerKey, kMyComputer, QString(), StandardIcon(QStyle::SP_ComputerIcon));
  for (const platform::Drive& drive : sources_.drives()) AddDrive(computer, drive);
  DirTree->scrollToItem(lastAdded_);
  DisplayDir(desktopPath_, desktop);
  desktopPath_ = WithSeparator(desktopPath_);
  desktop->setExpanded(true);
  computer->setExpanded(true);
}

void UsrDir::AddDrive(QTreeWidgetItem* computer, const platform::Drive& drive) {
  const QString root = QFile::decodeName(QByteArray::fromStdString(drive.root));
  QTreeWidgetItem* node =
      AddNode(computer, QFile::decodeName(QByteArray::fromStdString(install::DriveNodeKey(drive))),
              QFile::decodeName(QByteArray::fromStdString(install::DriveNodeText(drive))), root,
              DriveIcon(drive.kind));
  node->setData(0, kDriveRootRole, root);
  // A removable volume is read only when someone clicks it.
  if (drive.kind != platform::DriveKind::kRemovable) DisplayDir(root, node);
}

void UsrDir::DisplayDir(const QString& folder, QTreeWidgetItem* parent) {
  if (folder.isEmpty()) return;
  const QString base = WithSeparator(folder);
  // Hidden (dot) folders are left out: QDir lists them only when asked to.
  QStringList names = QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  QCollator collator{QLocale()};
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  std::sort(names.begin(), names.end(), collator);
  const QIcon icon = StandardIcon(QStyle::SP_DirIcon);
  for (const QString& name : names) AddNode(parent, base + name, name, base + name, icon);
}

void UsrDir::FollowCdLabel(QTreeWidgetItem* node) {
  const std::string root =
      QFile::encodeName(node->data(0, kDriveRootRole).toString()).toStdString();
  if (root.empty() || !sources_.isReadyCd(root)) return;
  platform::Drive drive{root, platform::DriveKind::kCdRom, sources_.volumeName(root)};
  node->setText(0, QFile::decodeName(QByteArray::fromStdString(install::DriveNodeText(drive))));
}

void UsrDir::OnNodeClick(QTreeWidgetItem* node) {
  FollowCdLabel(node);
  const QString key = node->data(0, kKeyRole).toString();
  const QString folder = node->data(0, kFolderRole).toString();
  path_ = key == kComputerKey ? kMyComputer : WithSeparator(folder);
  if (key != kComputerKey && node->childCount() == 0) {
    DisplayDir(folder, node);
    emit NodeClick(node);
  }
  emit Click();
}

QTreeWidgetItem* UsrDir::Node(const QString& key) const {
  for (QTreeWidgetItemIterator it(DirTree); *it; ++it)
    if ((*it)->data(0, kKeyRole).toString() == key) return *it;
  return nullptr;
}

}  // namespace qm::gui
