// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the tests of the about box and the web commands need around the
// program: waiting for the event loop, a local web site, programs of their
// own on PATH, and environment variables set for one test.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTest>
#include <functional>

namespace qm::test {

// Lets events run until condition holds or timeoutMs pass; whether it holds.
inline bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000) {
  for (int waited = 0; !condition(); waited += 10) {
    if (waited >= timeoutMs) return false;
    QTest::qWait(10);
  }
  return true;
}

// Sets an environment variable while it lives.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const QByteArray& value)
      : name_(name), had_(qEnvironmentVariableIsSet(name)), previous_(qgetenv(name)) {
    qputenv(name, value);
  }
  ~ScopedVariable() {
    if (had_)
      qputenv(name_, previous_);
    else
      qunsetenv(name_);
  }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
  bool had_;
  QByteArray previous_;
};

// A web server on 127.0.0.1 serving a folder, as python3's http.server
// does; it logs every request it answers.
class LocalSite {
 public:
  explicit LocalSite(const QString& folder) {
    server_.setProgram(QStringLiteral("/usr/bin/python3"));
    server_.setArguments(
        {"-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "--directory", folder});
    server_.start();
    static const QRegularExpression serving(QStringLiteral("port (\\d+)"));
    WaitUntil([this] {
      output_ += server_.readAllStandardOutput();
      const QRegularExpressionMatch port = serving.match(QString::fromUtf8(output_));
      if (port.hasMatch()) host_ = QStringLiteral("127.0.0.1:") + port.captured(1);
      return !host_.isEmpty();
    });
  }
  ~LocalSite() {
    server_.kill();
    server_.waitForFinished();
  }
  LocalSite(const LocalSite&) = delete;
  LocalSite& operator=(const LocalSite&) = delete;

  // "127.0.0.1:port"; empty when the server did not start.
  const QString& Host() const { return host_; }
  // The paths asked for so far, in order.
  QStringList Requests() {
    log_ += server_.readAllStandardError();
    static const QRegularExpression request(QStringLiteral("\"GET (\\S+) HTTP"));
    QStringList paths;
    for (const QRegularExpressionMatch& match : request.globalMatch(QString::fromUtf8(log_)))
      paths << match.captured(1);
    return paths;
  }

 private:
  QProcess server_;
  QByteArray output_;
  QByteArray log_;
  QString host_;
};

// A shell script in folder, named name, that appends its arguments as one
// line to name.log in the same folder.
inline QString WriteRecordingProgram(const QString& folder, const QString& name) {
  QDir().mkpath(folder);
  const QString path = folder + u'/' + name;
  QFile script(path);
  script.open(QIODevice::WriteOnly);
  script.write("#!/bin/sh\necho \"$*\" >> \"$0.log\"\n");
  script.close();
  script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
  return path;
}

// The lines the recording program at path has written.
inline QStringList RecordedCalls(const QString& path) {
  QFile log(path + QStringLiteral(".log"));
  if (!log.open(QIODevice::ReadOnly)) return {};
  QStringList lines = QString::fromUtf8(log.readAll()).split(u'\n');
  lines.removeLast();  // after the last line's end
  return lines;
}

}  // namespace qm::test
