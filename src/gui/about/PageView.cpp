// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/about/PageView.h"

#include <QNetworkReply>
#include <QRegularExpression>
#include <QStringDecoder>
#include <utility>

namespace qm::gui {
namespace {

// The page's own charset: the server's word first, then the page's
// (its byte order mark or meta tag), else UTF-8.
QString DecodedPage(const QNetworkReply& reply, const QByteArray& data) {
  static const QRegularExpression charset(QStringLiteral("charset\\s*=\\s*\"?([\\w.:-]+)"),
                                          QRegularExpression::CaseInsensitiveOption);
  const QString type = reply.header(QNetworkRequest::ContentTypeHeader).toString();
  if (const QRegularExpressionMatch named = charset.match(type); named.hasMatch()) {
    QStringDecoder decoder(named.captured(1).toLatin1().constData());
    if (decoder.isValid()) return decoder.decode(data);
  }
  QStringDecoder decoder = QStringDecoder::decoderForHtml(data);
  return decoder.decode(data);
}

}  // namespace

PageView::PageView(QWidget* parent) : QTextBrowser(parent) {
  // Links go to the desktop's browser, which can show what this view cannot.
  setOpenLinks(false);
  connect(this, &QTextBrowser::anchorClicked, this,
          [this](const QUrl& link) { emit LinkChosen(address_.resolved(link)); });
}

void PageView::Navigate(const QUrl& address) {
  Stop();
  address_ = address;
  setPlainText(QStringLiteral("正在打开网页……"));
  QNetworkRequest request(address);
  request.setTransferTimeout(kTimeoutMs);
  QNetworkReply* reply = network_.get(request);
  reply_ = reply;
  connect(reply, &QNetworkReply::finished, this, [this, reply] { OnFinished(reply); });
}

void PageView::Stop() {
  // Taken first: the abort reports the reply finished at once.
  if (QNetworkReply* reply = std::exchange(reply_, nullptr)) reply->abort();
}

void PageView::OnFinished(QNetworkReply* reply) {
  reply->deleteLater();
  if (reply != reply_) return;  // stopped, or replaced by a newer fetch
  reply_ = nullptr;
  if (reply->error() != QNetworkReply::NoError) {
    setPlainText(QStringLiteral("无法打开网页 %1").arg(address_.toString()));
  } else {
    setHtml(DecodedPage(*reply, reply->readAll()));
  }
  emit Loaded();
}

}  // namespace qm::gui
