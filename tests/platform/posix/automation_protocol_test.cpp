// The frames and values of the stand-in protocol: what travels, and what never gets sent.
#include "platform/posix/automation_protocol.h"

#include <gtest/gtest.h>

#include <cstring>

#include "util/run_error.h"

namespace kelvort {
namespace {

using namespace protocol;

// No object travels in these tests: every handle is unknown, as the server finds one that it
// never gave out.
class NoHandles : public HandleMap {
 public:
  Handle ToHandle(const DispatchPtr&) override { RaiseTransportError(hresults::kDisconnected); }
  DispatchPtr ToObject(Handle) override { RaiseTransportError(hresults::kDisconnected); }
};

Variant RoundTrip(const Variant& value) {
  NoHandles handles;
  std::vector<uint8_t> frame;
  WriteValue(frame, value, handles);
  EXPECT_EQ(CompleteFrameSize(frame), frame.size());
  return ReadReply(Payload(frame), handles);
}

TEST(AutomationProtocolTest, IncompleteOversizedAndMalformedFramesAreRefused) {
  std::vector<uint8_t> frame;
  WriteQuit(frame);
  for (size_t size = 0; size < frame.size(); ++size) {
    EXPECT_FALSE(CompleteFrameSize(std::span(frame).first(size))) << size;
  }
  frame.push_back(0x42);  // the start of the next frame
  EXPECT_EQ(CompleteFrameSize(frame), frame.size() - 1);

  const uint32_t lengths[] = {0, kMaxFrameSize + 1, 0xFFFFFFFFu};
  for (uint32_t length : lengths) {
    uint8_t header[4];
    std::memcpy(header, &length, 4);
    EXPECT_THROW(CompleteFrameSize(header), ProtocolError) << length;
  }

  NoHandles handles;
  std::vector<Variant> args;
  const std::vector<uint8_t> refused[] = {
      {0x7F},                                                           // no such request
      {0x02, 9, 0, 0, 0, 0, 0, 0, 0, 2, 0xFF, 0xFF, 0xFF, 0xFF},        // member name past the end
      {0x02, 9, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1, 0, 0, 0, 2, 2},  // a Boolean of 2
      {0x05, 0},                                                        // bytes after a quit
  };
  for (const auto& payload : refused) {
    EXPECT_THROW(ReadRequest(payload, handles, args), ProtocolError) << payload.size();
  }
}

TEST(AutomationProtocolTest, AValueThatCannotTravelLeavesTheBufferAsItWas) {
  NoHandles handles;
  std::vector<uint8_t> buffer = {1, 2, 3};
  const Variant huge(std::string(kMaxFrameSize, 'x'));
  EXPECT_THROW(WriteValue(buffer, huge, handles), ProtocolError);
  Variant deep;
  for (int level = 0; level <= kMaxDepth; ++level) deep = Variant(Variant::Array{deep});
  EXPECT_THROW(WriteValue(buffer, deep, handles), ProtocolError);
  EXPECT_EQ(buffer, (std::vector<uint8_t>{1, 2, 3}));

  // Just under the limits it goes.
  Variant nested;
  for (int level = 0; level < kMaxDepth; ++level) nested = Variant(Variant::Array{nested});
  EXPECT_EQ(RoundTrip(nested), nested);
  const Variant largest(std::string(kMaxFrameSize - 6, 'y'));  // type, tag and length take 6
  EXPECT_EQ(RoundTrip(largest), largest);
}

}  // namespace
}  // namespace kelvort
