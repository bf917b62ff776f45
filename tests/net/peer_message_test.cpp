#include <gtest/gtest.h>

#include "net/peer_message.h"
#include "support/board_builder.h"
#include "text/program_error.h"

namespace solvar::net {
namespace {

PeerRequest Read(Role role, std::string_view message, NetworkOptions options = {}) {
  return ReadPeerMessage(role, message, options).Request;
}

TEST(PeerMessage, EachRoleReadsItsOwnSetOfTags) {
  EXPECT_EQ(Read(Role::Client, "ME31~31"), PeerRequest::StartWaiting);
  EXPECT_EQ(Read(Role::Client, "YO31~31"), PeerRequest::StartMoving);
  EXPECT_EQ(Read(Role::Host, "ME31~31"), PeerRequest::Nothing);
  EXPECT_EQ(Read(Role::Host, "YO31~31"), PeerRequest::Nothing);
  EXPECT_EQ(Read(Role::Client, "QQ"), PeerRequest::Unknown);
  EXPECT_EQ(Read(Role::Host, "QQ"), PeerRequest::Nothing);
  for (const Role role : {Role::Host, Role::Client}) {
    EXPECT_EQ(Read(role, "LU"), PeerRequest::GameOver);
    EXPECT_EQ(Read(role, "WI"), PeerRequest::GameOver);
    EXPECT_EQ(Read(role, "DRDSbye"), PeerRequest::GameOver);
    EXPECT_EQ(Read(role, "DSbye"), PeerRequest::Disconnect);
    EXPECT_EQ(ReadPeerMessage(role, "PO12~7", {}).Numbers.Second, 7);
    EXPECT_THROW(ReadPeerMessage(role, "PO12~7MS", {}), text::ConversionError);
  }
  EXPECT_EQ(ReadPeerMessage(Role::Host, "MShi", {}).Text, "hi");
}

TEST(PeerMessage, ClientOptionsSilenceChatAndRefusals) {
  const NetworkOptions quiet{false, false};
  EXPECT_EQ(Read(Role::Client, "MShi", quiet), PeerRequest::Nothing);
  EXPECT_EQ(Read(Role::Client, "ERbusy", quiet), PeerRequest::Nothing);
  EXPECT_EQ(Read(Role::Host, "MShi", quiet), PeerRequest::Chat);
  EXPECT_EQ(Read(Role::Host, "ERbusy", quiet), PeerRequest::Refusal);
}

TEST(PeerMessage, OnlyFreePlayableNodesAndAllowedSizesAreTaken) {
  engine::Board board = test::FramedBoard(20, 15);
  board.Set(5, 5, engine::csOwn);
  EXPECT_TRUE(IsAcceptableMove(board, true, {19, 14}));
  EXPECT_FALSE(IsAcceptableMove(board, false, {3, 3}));
  for (const engine::Node node : {engine::Node{5, 5}, {0, 3}, {20, 3}, {3, 15}, {-1, 3}, {99, 99}}) {
    EXPECT_FALSE(IsAcceptableMove(board, true, node)) << node.X << "," << node.Y;
  }
  EXPECT_TRUE(IsAcceptableSize({15, 35}));
  EXPECT_FALSE(IsAcceptableSize({46, 20}));
  EXPECT_FALSE(IsAcceptableSize({20, 14}));
}

}  // namespace
}  // namespace solvar::net
