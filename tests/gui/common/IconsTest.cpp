// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QStyle>

#include "gui/common/Icons.h"
#include "gui/mainwindow/Commands.h"
#include "support/TestEnvironment.h"

namespace qm::gui {
namespace {

int InkedPixels(const QImage& image) {
  int inked = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) inked += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
  return inked;
}

// The letter is drawn once; the icon gives it at every size the toolbar
// and the window ask for.
TEST(IconsTest, ALetterIconShowsItsOwnLetterAtEverySize) {
  QFont bold;
  bold.setBold(true);
  const QIcon b = ThemeOrLetterIcon("quillmere-no-such-icon", "B", bold);
  const QIcon i = ThemeOrLetterIcon("quillmere-no-such-icon", "I", QFont());
  for (const int size : {16, 24, 32}) {
    SCOPED_TRACE(size);
    const QImage drawnB = b.pixmap(size).toImage();
    EXPECT_EQ(drawnB.size(), QSize(size, size));
    EXPECT_GT(InkedPixels(drawnB), 0);
    EXPECT_NE(drawnB, i.pixmap(size).toImage());
  }
  const QImage application = ApplicationIcon().pixmap(48).toImage();
  EXPECT_EQ(application.size(), QSize(48, 48));
  EXPECT_GT(InkedPixels(application), 48 * 48 / 2);  // the round square behind the letter
}

// An icon theme of the test's own, in use while it lives, with one picture:
// a red square named "quillmere-red".
class RedTheme {
 public:
  RedTheme()
      : searchPaths_(QIcon::themeSearchPaths()),
        name_(QIcon::themeName()),
        fallback_(QIcon::fallbackThemeName()) {
    const QString root =
        QString::fromStdString(test::TestEnvironment::Current().FolderForCurrentTest("icons"));
    QDir(root).mkpath(QStringLiteral("QmRed/16x16/apps"));
    QFile index(root + QStringLiteral("/QmRed/index.theme"));
    if (index.open(QIODevice::WriteOnly))
      index.write(
          "[Icon Theme]\nName=QmRed\nDirectories=16x16/apps\n\n"
          "[16x16/apps]\nSize=16\nType=Fixed\n");
    index.close();
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    red.save(root + QStringLiteral("/QmRed/16x16/apps/quillmere-red.png"));
    QImage grey(16, 16, QImage::Format_ARGB32);
    grey.fill(Qt::gray);
    grey.save(root + QStringLiteral("/QmRed/16x16/apps/quillmere-grey-symbolic.png"));
    QIcon::setThemeSearchPaths({root});
    QIcon::setThemeName(QStringLiteral("QmRed"));
    QIcon::setFallbackThemeName(QStringLiteral("QmRed"));  // no desktop theme behind it
  }
  ~RedTheme() {
    QIcon::setThemeSearchPaths(searchPaths_);
    QIcon::setThemeName(name_);
    QIcon::setFallbackThemeName(fallback_);
  }
  RedTheme(const RedTheme&) = delete;
  RedTheme& operator=(const RedTheme&) = delete;

 private:
  QStringList searchPaths_;
  QString name_;
  QString fallback_;
};

TEST(IconsTest, TheThemesPictureWhereItHasOneAndTheStandardPictureWhereNot) {
  const RedTheme theme;
  const QImage themed =
      ThemeOrStandardIcon(QStringLiteral("quillmere-red"), QStyle::SP_DirIcon).pixmap(16).toImage();
  EXPECT_EQ(themed.pixelColor(8, 8), QColor(Qt::red));
  const QImage standard =
      QApplication::style()->standardIcon(QStyle::SP_DirIcon).pixmap(16).toImage();
  EXPECT_EQ(ThemeOrStandardIcon(QStringLiteral("quillmere-no-such-icon"), QStyle::SP_DirIcon)
                .pixmap(16)
                .toImage(),
            standard);
  // A theme that keeps a picture only in its one-colour form gives that.
  EXPECT_EQ(ThemeOrStandardIcon(QStringLiteral("quillmere-grey"), QStyle::SP_DirIcon)
                .pixmap(16)
                .toImage()
                .pixelColor(8, 8),
            QColor(Qt::gray));
}

// A theme whose picture exists only at 16 pixels gives it at the size of
// the others, not smaller.
TEST(IconsTest, APictureOnlyASmallThemeHasIsDrawnAsLargeAsTheOthers) {
  const RedTheme theme;
  const QIcon red = ThemeIcon(QStringLiteral("quillmere-red"));
  ASSERT_EQ(red.pixmap(32).size(), QSize(16, 16));
  const QImage sized = IconOfSize(red, 32).pixmap(32).toImage();
  EXPECT_EQ(sized.size(), QSize(32, 32));
  EXPECT_EQ(sized.pixelColor(2, 2), QColor(Qt::red));
  EXPECT_EQ(sized.pixelColor(29, 29), QColor(Qt::red));
}

// Without a theme that has them, printing and the alignments show the
// program's own pictures, not the style's blank page; and every toolbar
// picture is as large as the toolbar draws them.
TEST(IconsTest, WithoutAThemeTheToolbarHasItsOwnPicturesAllOfOneSize) {
  const RedTheme theme;
  const QImage blankPage =
      QApplication::style()->standardIcon(QStyle::SP_FileIcon).pixmap(24).toImage();
  for (const char* name : {"document-print", "format-justify-left", "format-justify-center"}) {
    const QImage own = ThemeIcon(QString::fromUtf8(name)).pixmap(24).toImage();
    EXPECT_GT(InkedPixels(own), 24 * 4) << name;
    EXPECT_NE(own, blankPage.convertToFormat(own.format())) << name;
  }
  EXPECT_NE(ThemeIcon(QStringLiteral("format-justify-left")).pixmap(24).toImage(),
            ThemeIcon(QStringLiteral("format-justify-center")).pixmap(24).toImage());
  const int size = QApplication::style()->pixelMetric(QStyle::PM_ToolBarIconSize);
  for (const ToolbarEntry& entry : kToolbar) {
    if (!entry.key) continue;
    const QIcon icon = ToolbarIcon(entry);
    EXPECT_EQ(icon.actualSize(QSize(size, size)), QSize(size, size)) << entry.key;
    EXPECT_GT(InkedPixels(icon.pixmap(size).toImage()), 0) << entry.key;
  }
}

}  // namespace
}  // namespace qm::gui
