#include "game/process_engine_link.h"

#include <algorithm>
#include <utility>

#include <signal.h>
#include <unistd.h>

namespace solvar::game {

namespace {

constexpr qsizetype LongestLine = 64 * 1024;
constexpr int QuitGraceMs = 1000;

std::string Utf8(const QString& text) { return text.toStdString(); }

}  // namespace

ProcessEngineLink::ProcessEngineLink(QObject* parent) : QObject(parent) {
  m_deadline.setSingleShot(true);
  connect(&m_deadline, &QTimer::timeout, this, [this] {
    Report(QStringLiteral("Другая программа не ответила за %1 с.").arg(QString::number(m_deadlineMs / 1000.0, 'f', 1)
                                                                          .replace(QLatin1Char('.'), QLatin1Char(','))));
  });
}

// Whatever is left of the programs started ends with the window.
ProcessEngineLink::~ProcessEngineLink() {
  Stop();
  for (const qint64 group : m_groups) EndGroup(group);
}

void ProcessEngineLink::EndGroup(qint64 group) {
  if (group > 0) ::kill(static_cast<pid_t>(-group), SIGKILL);
}

void ProcessEngineLink::Start() {
  Stop();
  if (m_commandLine.trimmed().isEmpty()) return Report(QStringLiteral("Для другой программы не задана командная строка."));
  m_pending.clear();
  m_process = new QProcess(this);
  m_process->setProcessChannelMode(QProcess::SeparateChannels);
  m_process->setStandardErrorFile(QProcess::nullDevice());
  connect(m_process, &QProcess::readyReadStandardOutput, this, &ProcessEngineLink::ReadLines);
  connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
    // A crash is reported by `finished`, which follows.
    if (error == QProcess::FailedToStart) {
      Report(QStringLiteral("Другая программа не запускается: %1 (%2).").arg(m_commandLine, m_process->errorString()));
    }
  });
  connect(m_process, &QProcess::finished, this, &ProcessEngineLink::OnFinished);
  connect(m_process, &QProcess::started, this, [this] {
    m_group = m_process->processId();
    m_groups.push_back(m_group);
  });
  // The program leads a process group of its own, so that it can be ended
  // together with whatever it starts.
  m_process->setChildProcessModifier([] { ::setpgid(0, 0); });
  // The shell gives way to the program ("exec"), so that ending the process
  // ends the program.
  m_process->start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("exec ") + m_commandLine});
}

void ProcessEngineLink::Send(const std::string& line) {
  if (m_process == nullptr || !m_process->isOpen()) return;
  m_process->write(line.data(), static_cast<qint64>(line.size()));
}

void ProcessEngineLink::ExpectWithin(int ms) {
  m_deadlineMs = ms;
  m_deadline.start(ms);
}

void ProcessEngineLink::StopWaiting() { m_deadline.stop(); }

// The program is asked to quit and is ended if it has not within a second;
// it reports nothing more either way.
void ProcessEngineLink::Stop() {
  m_deadline.stop();
  if (m_process == nullptr) return;
  QPointer<QProcess> process = m_process;
  m_process = nullptr;
  process->disconnect(this);
  const qint64 group = std::exchange(m_group, 0);
  if (process->state() == QProcess::NotRunning) {
    process->deleteLater();
    EndGroup(group);  // what the program started may outlive it
    return;
  }
  process->write("0 quit\n");
  process->closeWriteChannel();
  connect(process, &QProcess::finished, process, &QObject::deleteLater);
  // A second to quit; then the program and all it started end.
  QTimer::singleShot(QuitGraceMs, this, [this, process, group] {
    if (process != nullptr && process->state() != QProcess::NotRunning) process->kill();
    EndGroup(group);
    m_groups.erase(std::remove(m_groups.begin(), m_groups.end(), group), m_groups.end());
  });
}

void ProcessEngineLink::ReadLines() {
  if (m_process == nullptr) return;
  m_pending += m_process->readAllStandardOutput();
  for (qsizetype end = m_pending.indexOf('\n'); end >= 0 && m_process != nullptr; end = m_pending.indexOf('\n')) {
    const QByteArray line = m_pending.left(end);
    m_pending.remove(0, end + 1);
    if (onLine) onLine(line.toStdString());
  }
  if (m_pending.size() > LongestLine) Report(QStringLiteral("Другая программа пишет строку без конца."));
}

// The shell's own codes for a command it cannot run (126) or find (127).
void ProcessEngineLink::OnFinished() {
  if (m_process == nullptr) return;
  const bool notRun = m_process->exitStatus() == QProcess::NormalExit &&
                      (m_process->exitCode() == 126 || m_process->exitCode() == 127);
  Report(notRun ? QStringLiteral("Другая программа не запускается: %1.").arg(m_commandLine)
                : QStringLiteral("Другая программа завершилась во время партии."));
}

void ProcessEngineLink::Report(const QString& why) {
  m_deadline.stop();
  if (onFailure) onFailure(Utf8(why));
}

}  // namespace solvar::game
