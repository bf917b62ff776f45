#include "protocol_client/engine_process.h"

#include <chrono>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include "match/points_protocol.h"

namespace solvar::tools {

namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left < 0 ? 0 : static_cast<int>(left);
}

}  // namespace

EngineProcess::EngineProcess(const std::string& command) {
  int toChild[2];
  int fromChild[2];
  if (pipe(toChild) != 0) return;
  if (pipe(fromChild) != 0) {
    close(toChild[0]);
    close(toChild[1]);
    return;
  }
  const std::string shellCommand = "exec " + command;
  m_pid = fork();
  if (m_pid == 0) {
    // The engine and whatever it starts form a process group of their own,
    // so that ending it ends them all.
    setpgid(0, 0);
    dup2(toChild[0], STDIN_FILENO);
    dup2(fromChild[1], STDOUT_FILENO);
    close(toChild[0]);
    close(toChild[1]);
    close(fromChild[0]);
    close(fromChild[1]);
    execl("/bin/sh", "sh", "-c", shellCommand.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(toChild[0]);
  close(fromChild[1]);
  if (m_pid < 0) {
    close(toChild[1]);
    close(fromChild[0]);
    return;
  }
  setpgid(m_pid, m_pid);
  m_in = toChild[1];
  m_out = fromChild[0];
  fcntl(m_in, F_SETFD, FD_CLOEXEC);
  fcntl(m_out, F_SETFD, FD_CLOEXEC);
}

EngineProcess::~EngineProcess() {
  if (Running()) Ask("quit", 1000);
  Stop();
}

void EngineProcess::Stop() {
  if (m_in >= 0) close(m_in);
  if (m_out >= 0) close(m_out);
  m_in = m_out = -1;
  if (m_pid <= 0) return;
  // A second to go by itself, then the whole group is ended.
  for (int waited = 0; waited < 100; ++waited) {
    if (waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
      kill(-m_pid, SIGKILL);
      m_pid = -1;
      return;
    }
    usleep(10000);
  }
  kill(-m_pid, SIGKILL);
  waitpid(m_pid, nullptr, 0);
  m_pid = -1;
}

bool EngineProcess::WriteLine(const std::string& line) {
  const std::string text = line + "\n";
  std::size_t written = 0;
  const auto ignorePipe = std::signal(SIGPIPE, SIG_IGN);
  while (written < text.size()) {
    const ssize_t n = write(m_in, text.data() + written, text.size() - written);
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  std::signal(SIGPIPE, ignorePipe);
  return written == text.size();
}

std::optional<std::string> EngineProcess::ReadLine(int timeoutMs) {
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    const std::size_t end = m_pending.find('\n');
    if (end != std::string::npos) {
      std::string line = m_pending.substr(0, end);
      m_pending.erase(0, end + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return line;
    }
    pollfd ready{m_out, POLLIN, 0};
    const int polled = poll(&ready, 1, MillisecondsLeft(deadline));
    if (polled <= 0) {
      m_error = polled == 0 ? "no answer in time" : "cannot wait for the answer";
      return std::nullopt;
    }
    char buffer[4096];
    const ssize_t n = read(m_out, buffer, sizeof buffer);
    if (n <= 0) {
      m_error = "the engine ended";
      return std::nullopt;
    }
    m_pending.append(buffer, static_cast<std::size_t>(n));
  }
}

std::optional<std::vector<std::string>> EngineProcess::Ask(const std::string& command, int timeoutMs) {
  if (!Running()) {
    m_error = "the engine is not running";
    return std::nullopt;
  }
  const long id = m_nextId++;
  const std::string line = std::to_string(id) + " " + command;
  if (!WriteLine(line)) {
    m_error = "the engine does not read";
    return std::nullopt;
  }
  const std::optional<std::string> answer = ReadLine(timeoutMs);
  if (!answer) return std::nullopt;
  const auto parsed = match::ParsePointsAnswer(*answer);
  const std::string name = command.substr(0, command.find(' '));
  if (!parsed || parsed->Id != id || parsed->Command != name) {
    m_error = "answer out of the protocol: " + *answer;
    return std::nullopt;
  }
  if (!*parsed->Ok) {
    m_error = "refused: " + *answer;
    return std::nullopt;
  }
  return parsed->Args;
}

}  // namespace solvar::tools
