// solvar-chat-flood: a host window takes a peer that sends a flood of chat at
// a steady rate from a thread of its own (a plain POSIX socket), then one last
// chat line. Prints how long after the last byte the window had read it all,
// the program's processor time and its resident memory.
// Usage: xvfb-run -a solvar-chat-flood [MEGABYTES] [MB/s] [PORT]

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "game/main_window.h"
#include "memory_use.h"
#include "window_driver/window_driver.h"

namespace {

const std::string LastLine = "flood-over";

double ProcessorSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Chat messages of about a kilobyte each ("MS" and Windows-1251 letters),
// written in 16 KiB pieces at `rate` bytes a second.
void Flood(quint16 port, long long total, double rate, std::atomic<bool>& sent) {
  const int peer = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(peer, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) std::exit(1);
  char start[64];
  if (::read(peer, start, sizeof start) <= 0) std::exit(1);
  std::string message = "MS";
  for (int i = 0; i < 1022; ++i) message += static_cast<char>(0xE0 + i % 32);
  std::string piece;
  while (piece.size() < 16 * 1024) piece += message;
  const auto begin = std::chrono::steady_clock::now();
  long long written = 0;
  while (written < total) {
    const auto due = begin + std::chrono::duration<double>(static_cast<double>(written) / rate);
    std::this_thread::sleep_until(due);
    const ssize_t n = ::write(peer, piece.data(), piece.size());
    if (n <= 0) std::exit(1);
    written += n;
  }
  // A pause, so that the last line arrives in a read of its own.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const std::string last = "MS" + LastLine;
  if (::write(peer, last.data(), last.size()) <= 0) std::exit(1);
  sent = true;
  std::this_thread::sleep_for(std::chrono::hours(1));
}

bool LogEndsWithLastLine(const QPlainTextEdit* log) {
  return log->document()->lastBlock().text().endsWith(QString::fromStdString(LastLine));
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const double megabytes = argc > 1 ? std::atof(argv[1]) : 50;
  const double rate = (argc > 2 ? std::atof(argv[2]) : 2) * 1e6;
  const quint16 port = static_cast<quint16>(argc > 3 ? std::atoi(argv[3]) : 23457);
  QTemporaryDir scratch;
  solvar::tools::EnterPrompts prompts;
  solvar::tools::NoDesktop desktop;
  solvar::game::AppOptions options;
  options.Port = port;
  options.RecordsFile = scratch.filePath(QStringLiteral("winner.txt"));
  options.SettingsFile = scratch.filePath(QStringLiteral("solvar.ini"));
  solvar::game::TForm1 host(options, prompts, desktop);
  const auto* log = host.findChild<QPlainTextEdit*>(QStringLiteral("Memo3"));
  host.show();  // the log is laid out and painted as a player sees it

  std::atomic<bool> sent{false};
  std::thread peer;
  QTimer::singleShot(50, [&] { peer = std::thread(Flood, port, static_cast<long long>(megabytes * 1e6), rate, std::ref(sent)); });
  host.N16Click();
  if (!host.Game().IsNetwork()) return std::puts("the peer did not connect"), 1;
  const long before = solvar::tools::ResidentKiB();
  const double cpuBefore = ProcessorSeconds();
  QElapsedTimer clock;
  clock.start();
  long peak = before;
  QElapsedTimer sinceSent;
  // Looks every 20 ms, sleeping in the event loop in between.
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    peak = std::max(peak, solvar::tools::ResidentKiB());
    if (sent && !sinceSent.isValid()) sinceSent.start();
    if ((sent && LogEndsWithLastLine(log)) || clock.hasExpired(600000)) QCoreApplication::quit();
  });
  watch.start(20);
  QApplication::exec();
  if (!LogEndsWithLastLine(log)) return std::puts("not read within ten minutes"), 1;
  std::printf("%.0f MB of chat at %.1f MB/s: read %.2f s after the last byte (%.1f s in all), processor %.1f s, "
              "resident %ld KiB before, %ld KiB at most, log %d lines\n",
              megabytes, rate / 1e6, static_cast<double>(sinceSent.elapsed()) / 1000.0,
              static_cast<double>(clock.elapsed()) / 1000.0, ProcessorSeconds() - cpuBefore, before, peak,
              log->blockCount());
  std::fflush(stdout);
  std::_Exit(0);
}
