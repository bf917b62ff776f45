#pragma once
// The other program of «Другая программа…» as a process: its command line
// run by the shell (quotes, variables and paths as in a terminal), its
// standard output read line by line (a line of more than 64 KiB is taken for
// a fault), its standard error left alone.

#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QTimer>

#include <vector>

#include "match/points_engine_player.h"

namespace solvar::game {

class ProcessEngineLink : public QObject, public match::EngineLink {
  Q_OBJECT
 public:
  explicit ProcessEngineLink(QObject* parent = nullptr);
  ~ProcessEngineLink() override;

  void SetCommandLine(const QString& commandLine) { m_commandLine = commandLine; }
  const QString& CommandLine() const { return m_commandLine; }

  void Start() override;
  void Send(const std::string& line) override;
  void ExpectWithin(int ms) override;
  void StopWaiting() override;
  void Stop() override;

 private:
  void ReadLines();
  void Report(const QString& why);
  void OnFinished();
  static void EndGroup(qint64 group);

  QString m_commandLine;
  // The process groups of programs started and not yet ended for good: the
  // program and whatever it started, ended together.
  std::vector<qint64> m_groups;
  qint64 m_group = 0;  // the running program's
  QPointer<QProcess> m_process;
  QByteArray m_pending;  // the start of a line not yet ended
  QTimer m_deadline;
  int m_deadlineMs = 0;
};

}  // namespace solvar::game
