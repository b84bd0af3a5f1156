#include "platform/posix/automation_protocol.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <map>

#include "support/fake_dispatch.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

using namespace protocol;
using testing::FakeDispatch;

// Objects and handles one to one; an unknown handle is refused as the server refuses it.
class TableHandles : public HandleMap {
 public:
  Handle ToHandle(const DispatchPtr& object) override {
    for (const auto& [handle, known] : objects) {
      if (known == object) return handle;
    }
    const Handle handle = objects.size() + 1;
    objects[handle] = object;
    return handle;
  }
  DispatchPtr ToObject(Handle handle) override {
    const auto found = objects.find(handle);
    if (found == objects.end()) RaiseTransportError(hresults::kDisconnected);
    return found->second;
  }
  std::map<Handle, DispatchPtr> objects;
};

std::span<const uint8_t> OnlyPayload(const std::vector<uint8_t>& frame) {
  EXPECT_EQ(CompleteFrameSize(frame), frame.size());
  return Payload(frame);
}

Variant RoundTrip(const Variant& value, TableHandles& handles) {
  std::vector<uint8_t> frame;
  WriteValue(frame, value, handles);
  return ReadReply(OnlyPayload(frame), handles);
}

std::vector<uint8_t> Frame(std::vector<uint8_t> payload) {
  std::vector<uint8_t> frame(4);
  const auto size = static_cast<uint32_t>(payload.size());
  std::memcpy(frame.data(), &size, 4);
  frame.insert(frame.end(), payload.begin(), payload.end());
  return frame;
}

TEST(AutomationProtocolTest, EveryKindOfValueTravelsUnchanged) {
  TableHandles handles;
  auto object = std::make_shared<FakeDispatch>("Part");
  const Variant values[] = {
      Variant(),
      Variant::Nothing(),
      Variant(true),
      Variant(false),
      Variant(std::numeric_limits<int16_t>::min()),
      Variant(std::numeric_limits<int32_t>::min()),
      Variant(std::numeric_limits<int32_t>::max()),
      Variant(-0.0),
      Variant(1e308),
      Variant(std::string("Länge\0mit Null", 15)),
      Variant(""),
      Variant(object),
      Variant(Variant::Array{}),
      Variant(Variant::Array{Variant(int16_t{7}), Variant("a"),
                             Variant(Variant::Array{Variant(object), Variant::Nothing()})}),
  };
  for (const Variant& value : values) {
    const Variant back = RoundTrip(value, handles);
    EXPECT_EQ(back.kind(), value.kind());
    EXPECT_EQ(back, value);
  }
  EXPECT_TRUE(std::signbit(RoundTrip(Variant(-0.0), handles).ToDouble()));
  EXPECT_TRUE(std::isnan(RoundTrip(Variant(std::nan("")), handles).ToDouble()));
  EXPECT_EQ(handles.objects.size(), 1u);  // the same object keeps its handle
}

TEST(AutomationProtocolTest, RequestsReadBackAsWritten) {
  TableHandles handles;
  auto object = std::make_shared<FakeDispatch>();
  const Handle target = handles.ToHandle(object);
  std::vector<uint8_t> stream;
  const Variant args[] = {Variant("Length"), Variant(int32_t{-5}), Variant(object)};
  WriteInvoke(stream, target, InvokeKind::kPropertyPut, "Value", args, handles);
  WriteRelease(stream, target);
  WriteQuit(stream);

  std::vector<Variant> read_args;
  std::span<const uint8_t> rest(stream);
  const Request invoke =
      ReadRequest(Payload(rest.first(*CompleteFrameSize(rest))), handles, read_args);
  EXPECT_EQ(invoke.type, MessageType::kInvoke);
  EXPECT_EQ(invoke.object, target);
  EXPECT_EQ(invoke.kind, InvokeKind::kPropertyPut);
  EXPECT_EQ(invoke.member, "Value");
  EXPECT_EQ(read_args, std::vector<Variant>(std::begin(args), std::end(args)));
  rest = rest.subspan(*CompleteFrameSize(rest));
  const Request release =
      ReadRequest(Payload(rest.first(*CompleteFrameSize(rest))), handles, read_args);
  EXPECT_EQ(release.type, MessageType::kRelease);
  EXPECT_EQ(release.object, target);
  EXPECT_TRUE(read_args.empty());
  rest = rest.subspan(*CompleteFrameSize(rest));
  EXPECT_EQ(ReadRequest(Payload(rest), handles, read_args).type, MessageType::kQuit);
}

TEST(AutomationProtocolTest, AnErrorReplyRaisesTheHostsNumberAndText) {
  TableHandles handles;
  std::vector<uint8_t> frame;
  WriteError(frame, errors::kHostFailure, "Method 'Item' of object 'Parameters' failed");
  try {
    ReadReply(OnlyPayload(frame), handles);
    FAIL() << "no error raised";
  } catch (const RunError& error) {
    EXPECT_EQ(error.number(), errors::kHostFailure);
    EXPECT_EQ(error.description(), "Method 'Item' of object 'Parameters' failed");
  }
}

TEST(AutomationProtocolTest, FramesAreCompleteOnlyWithAllTheirBytesAndWithinTheLimit) {
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
}

TEST(AutomationProtocolTest, MalformedPayloadsAreRefusedWithoutHarm) {
  TableHandles handles;
  std::vector<Variant> args;
  auto read = [&](std::vector<uint8_t> payload) {
    ReadRequest(Payload(Frame(std::move(payload))), handles, args);
  };
  // Every truncation of a valid call.
  std::vector<uint8_t> valid;
  const Variant valid_args[] = {Variant(Variant::Array{Variant("x"), Variant(2.5)})};
  WriteInvoke(valid, 9, InvokeKind::kMethod, "Item", valid_args, handles);
  for (size_t size = 1; size < valid.size() - kHeaderSize; ++size) {
    EXPECT_THROW(read({valid.begin() + kHeaderSize, valid.begin() + kHeaderSize + size}),
                 ProtocolError)
        << size;
  }
  EXPECT_THROW(read({0x7F}), ProtocolError);                            // unknown request
  EXPECT_THROW(read({0x80, 0}), ProtocolError);                         // a reply sent as request
  EXPECT_THROW(read({0x05, 0}), ProtocolError);                         // bytes after a quit
  EXPECT_THROW(read({0x01, 'X', 'X', 'X', 'X', 1, 0}), ProtocolError);  // not our magic
  EXPECT_THROW(read({0x01, 'K', 'V', 'R', 'T', 9, 9}), ProtocolError);  // unknown version
  const std::vector<uint8_t> call = {0x02, 1, 0, 0, 0, 0, 0, 0, 0};     // handle 1
  auto with = [&](std::vector<uint8_t> tail) {
    std::vector<uint8_t> payload = call;
    payload.insert(payload.end(), tail.begin(), tail.end());
    return payload;
  };
  EXPECT_THROW(read(with({3, 0, 0, 0, 0, 0, 0, 0, 0})), ProtocolError);  // unknown call kind
  EXPECT_THROW(read(with({2, 0xFF, 0xFF, 0xFF, 0xFF})), ProtocolError);  // member name past the end
  EXPECT_THROW(read(with({2, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F})),
               ProtocolError);  // argument count
  auto one_arg = [&](std::vector<uint8_t> value) {
    std::vector<uint8_t> tail = {2, 0, 0, 0, 0, 1, 0, 0, 0};
    tail.insert(tail.end(), value.begin(), value.end());
    return with(tail);
  };
  EXPECT_THROW(read(one_arg({9})), ProtocolError);                          // unknown value tag
  EXPECT_THROW(read(one_arg({2, 2})), ProtocolError);                       // Boolean 2
  EXPECT_THROW(read(one_arg({8, 0, 0, 0, 0, 0, 0, 0, 0})), ProtocolError);  // handle 0
  EXPECT_THROW(read(one_arg({7, 0xFF, 0xFF, 0xFF, 0xFF})), ProtocolError);  // array count
  EXPECT_THROW(read(one_arg({6, 5, 0, 0, 0, 'a'})), ProtocolError);         // text past the end
  try {
    read(one_arg({8, 77, 0, 0, 0, 0, 0, 0, 0}));  // a handle the connection never had
    FAIL() << "unknown handle accepted";
  } catch (const RunError& error) {
    EXPECT_EQ(error.number(), hresults::kDisconnected);
  }

  // Arrays nested past the limit, and more values than a message may hold.
  std::vector<uint8_t> deep;
  for (int level = 0; level <= kMaxDepth; ++level) deep.insert(deep.end(), {7, 1, 0, 0, 0});
  deep.push_back(0);
  EXPECT_THROW(read(one_arg(deep)), ProtocolError);
  std::vector<uint8_t> many = {7};
  const uint32_t count = kMaxValues;
  many.resize(5 + count, 0);
  std::memcpy(many.data() + 1, &count, 4);
  EXPECT_THROW(read(one_arg(many)), ProtocolError);
}

TEST(AutomationProtocolTest, AValueThatCannotTravelLeavesTheBufferAsItWas) {
  TableHandles handles;
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
  EXPECT_EQ(RoundTrip(nested, handles), nested);
  const Variant largest(std::string(kMaxFrameSize - 6, 'y'));  // type, tag and length take 6
  EXPECT_EQ(RoundTrip(largest, handles), largest);
}

}  // namespace
}  // namespace kelvort
