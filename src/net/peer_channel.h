#pragma once
// What the game needs of the connection to the other program: which role this
// side has, sending to the opponent, and stopping. The connection layer
// implements it over sockets; the tests with a script.

#include <string>

namespace solvar::net {

class PeerChannel {
 public:
  virtual ~PeerChannel() = default;
  // This side accepted the connection (as opposed to joining).
  virtual bool IsHost() const = 0;
  // The connection to the opponent is there.
  virtual bool IsOpen() const = 0;
  // Sends to the opponent; nothing when there is none.
  virtual void Send(const std::string& bytes) = 0;
  // Stops this side's socket: the host its server with every connection, the
  // client its connection, which says goodbye itself as it goes down.
  virtual void Stop() = 0;
  // The other program's address, as text.
  virtual std::string PeerName() const = 0;
};

}  // namespace solvar::net
