// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/about/AboutBox.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/platform/PathHelpers.h"
#include "core/platform/RegistryKeys.h"
#include "core/registry/RegistryProcedures.h"
#include "gui/about/MakerSite.h"
#include "gui/about/PageView.h"
#include "gui/about/ProjectInfo.h"
#include "gui/common/Dialogs.h"
#include "gui/common/Icons.h"
#include "gui/common/NamedWidgets.h"

namespace qm::gui {
namespace {

constexpr char kMakerMail[] = "quillmere@quillmere.org";
constexpr char kAuthor[] = "Quillmere 开发组";

QFrame* Separator(QWidget* parent) {
  auto* line = new QFrame(parent);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

}  // namespace

AboutBox::AboutBox(platform::Platform& platform, QWidget* parent)
    : QDialog(parent), platform_(platform) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("关于 ") + kAppTitle);
  setWindowIcon(ApplicationIcon());
  auto* rows = new QVBoxLayout(this);
  rows->addLayout(SetupHeading());
  rows->addWidget(Separator(this));
  rows->addLayout(SetupContacts());
  rows->addWidget(NamedLabel(QStringLiteral("Label3"),
                             QStringLiteral("Brindlewood系列(作者的其他软件)："), this));
  rows->addWidget(SetupPageView(), 1);
  rows->addWidget(Separator(this));
  rows->addLayout(SetupButtons());
  Navigate();
}

QLayout* AboutBox::SetupHeading() {
  auto* title = NamedLabel(QStringLiteral("lblTitle"), kAppTitle, this);
  QFont titleFont = title->font();
  titleFont.setPointSize(titleFont.pointSize() * 2);
  titleFont.setBold(true);
  title->setFont(titleFont);
  lblVersion = NamedLabel(
      QStringLiteral("lblVersion"),
      QStringLiteral("版本：%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision),
      this);
  auto* words = new QVBoxLayout;
  words->addWidget(title);
  words->addWidget(lblVersion);
  words->addWidget(
      NamedLabel(QStringLiteral("Label1"), QStringLiteral("欢迎定制各种软件！"), this));
  auto* heading = new QHBoxLayout;
  heading->addWidget(PictureLabel(QStringLiteral("picIcon"), ApplicationIcon(), this), 0,
                     Qt::AlignTop);
  heading->addLayout(words, 1);
  return heading;
}

QWidget* AboutBox::SetupPageView() {
  WebBrowser1 = new PageView(this);
  WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
  WebBrowser1->setAccessibleName(QStringLiteral("作者的网页"));
  WebBrowser1->setMinimumSize(420, 220);
  connect(WebBrowser1, &PageView::LinkChosen, this,
          [this](const QUrl& address) { platform_.ShellOpen(address.toString().toStdString()); });
  return WebBrowser1;
}

QLayout* AboutBox::SetupContacts() {
  auto* contacts = new QVBoxLayout;
  const QString site = MakerAddress(maker_paths::kHome);
  for (const auto& [name, text] :
       {std::pair{"Label4", QStringLiteral("网址：") + site},
        std::pair{"Label5", QStringLiteral("电子邮件：") + QString::fromLatin1(kMakerMail)},
        std::pair{"Label6", QStringLiteral("作者：") + QString::fromUtf8(kAuthor)},
        std::pair{"Label7", QStringLiteral("电话：请来信联系")}}) {
    QLabel* label = NamedLabel(QString::fromLatin1(name), text, this);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    contacts->addWidget(label);
  }
  return contacts;
}

QLayout* AboutBox::SetupButtons() {
  Command1 = NamedButton(QStringLiteral("Command1"), QStringLiteral("刷新"), this);
  cmdSysInfo = NamedButton(QStringLiteral("cmdSysInfo"), QStringLiteral("系统信息(&S)..."), this);
  cmdOK = NamedButton(QStringLiteral("cmdOK"), QStringLiteral("确定"), this);
  cmdOK->setDefault(true);
  connect(Command1, &QPushButton::clicked, this, &AboutBox::Navigate);
  connect(cmdSysInfo, &QPushButton::clicked, this, &AboutBox::StartSysInfo);
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Command1);
  buttons->addStretch(1);
  buttons->addWidget(cmdSysInfo);
  buttons->addWidget(cmdOK);
  return buttons;
}

void AboutBox::Navigate() { WebBrowser1->Navigate(QUrl(MakerAddress(maker_paths::kAboutPage))); }

void AboutBox::done(int result) {
  WebBrowser1->Stop();
  QDialog::done(result);
}

void AboutBox::StartSysInfo() {
  // Started on its own: the box neither waits for it nor ends it.
  const QString program = SysInfoProgram(platform_.Registry());
  if (program.isEmpty() || !QProcess::startDetached(program, {}))
    ShowMessage(this, QStringLiteral("此时系统信息不可用"));
}

QString SysInfoProgram(platform::RegistryApi& registry) {
  using platform::kHkeyLocalMachine;
  const std::string named = registry::RegValueText(
      registry::ReadRegistryValue(registry, kHkeyLocalMachine, platform::kSysInfoKey, "PATH"));
  if (!named.empty()) return QString::fromStdString(named);
  const std::string folder = registry::RegValueText(registry::ReadRegistryValue(
      registry, kHkeyLocalMachine, platform::kSharedToolsLocationKey, "MSINFO"));
  if (folder.empty()) return {};
  const std::string file = platform::AddBackslash(folder) + "MSINFO32.EXE";
  return platform::FileIsPresent(file) ? QString::fromStdString(file) : QString();
}

}  // namespace qm::gui
