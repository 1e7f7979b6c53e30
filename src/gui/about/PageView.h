// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A rich-text view of one web page, fetched over HTTP: told to navigate to
// an address and to stop. A page that cannot be fetched leaves one line
// saying so in the view.

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

namespace qm::gui {

class PageView : public QTextBrowser {
  Q_OBJECT
 public:
  static constexpr int kTimeoutMs = 15000;

  explicit PageView(QWidget* parent = nullptr);

  // Drops a fetch still running and fetches the page anew.
  void Navigate(const QUrl& address);
  void Stop();
  bool Loading() const { return reply_ != nullptr; }
  const QUrl& Address() const { return address_; }

 signals:
  // The page, or the line telling it could not be fetched, is shown.
  void Loaded();
  // A link of the page was clicked; the address is absolute.
  void LinkChosen(const QUrl& address);

 private:
  void OnFinished(QNetworkReply* reply);

  QNetworkAccessManager network_;
  QPointer<QNetworkReply> reply_;
  QUrl address_;
};

}  // namespace qm::gui
