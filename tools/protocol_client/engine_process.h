#pragma once
// Another dots engine as a child process that speaks the engines' common
// protocol on its standard streams, for the tools that measure engines:
// started from a command line through the shell, asked one command at a
// time, each answer awaited for a time at most. POSIX only.

#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace solvar::tools {

class EngineProcess {
 public:
  // Starts `/bin/sh -c "exec COMMAND"`; Running() tells whether it did.
  explicit EngineProcess(const std::string& command);
  // Asks the engine to quit, then ends it (and whatever it started).
  ~EngineProcess();
  EngineProcess(const EngineProcess&) = delete;
  EngineProcess& operator=(const EngineProcess&) = delete;

  bool Running() const { return m_pid > 0 && m_in >= 0; }
  // Sends "id COMMAND" and waits up to `timeoutMs` for its answer; the
  // answer's arguments after "= id command", or none for a refusal, an
  // answer out of the protocol, an engine that ended or one too slow.
  std::optional<std::vector<std::string>> Ask(const std::string& command, int timeoutMs = 10000);
  // What went wrong with the last Ask, for a message.
  const std::string& LastError() const { return m_error; }

 private:
  bool WriteLine(const std::string& line);
  std::optional<std::string> ReadLine(int timeoutMs);
  void Stop();

  pid_t m_pid = -1;
  int m_in = -1;   // the engine's standard input
  int m_out = -1;  // the engine's standard output
  long m_nextId = 1;
  std::string m_pending;
  std::string m_error;
};

}  // namespace solvar::tools
