// The wire format between the program and the stand-in server: length-prefixed binary
// frames carrying requests (hello, invoke, type name, release, quit) and replies (a value or
// an error). Every length is checked against hard limits; docs/automation-protocol.md.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "host/dispatch.h"
#include "host/variant.h"

namespace kelvort::protocol {

inline constexpr uint32_t kMagic = 0x5452564B;  // "KVRT" in little-endian byte order
inline constexpr uint16_t kVersion = 1;
inline constexpr size_t kHeaderSize = 4;
// Largest payload of one frame.
inline constexpr uint32_t kMaxFrameSize = 16u << 20;
// Deepest nesting of arrays in one value.
inline constexpr int kMaxDepth = 32;
// Most values (array elements included) in one message, so that a small frame cannot make
// the reader allocate far more memory than the frame holds.
inline constexpr uint32_t kMaxValues = 1u << 18;

enum class MessageType : uint8_t {
  kHello = 0x01,
  kInvoke = 0x02,
  kTypeName = 0x03,
  kRelease = 0x04,  // has no reply
  kQuit = 0x05,
  kValue = 0x80,
  kError = 0x81,
};

// A server-side object, as one connection knows it. Never 0.
using Handle = uint64_t;

// The failures of the transport itself, with COM's numbers for them.
namespace hresults {
inline constexpr int32_t kInvalidData =
    static_cast<int32_t>(0x80010009u);  // RPC_E_INVALID_DATAPACKET
inline constexpr int32_t kCannotMarshal =
    static_cast<int32_t>(0x8001000Du);  // RPC_E_SERVER_CANTMARSHAL_DATA
inline constexpr int32_t kClientCannotMarshal =
    static_cast<int32_t>(0x8001000Bu);  // RPC_E_CLIENT_CANTMARSHAL_DATA
inline constexpr int32_t kDisconnected = static_cast<int32_t>(0x80010108u);  // RPC_E_DISCONNECTED
inline constexpr int32_t kCallFailed = static_cast<int32_t>(0x800706BEu);    // RPC_S_CALL_FAILED
inline constexpr int32_t kServerUnavailable =
    static_cast<int32_t>(0x800706BAu);  // RPC_S_SERVER_UNAVAILABLE
inline constexpr int32_t kOutOfMemory = static_cast<int32_t>(0x8007000Eu);  // E_OUTOFMEMORY
inline constexpr int32_t kUnexpected = static_cast<int32_t>(0x8000FFFFu);   // E_UNEXPECTED
}  // namespace hresults

// A transport failure's description as the host words it: "Automation error", the failure's
// own text and, on a line of its own, the detail when there is one.
std::string TransportErrorText(int32_t hresult, std::string_view detail = {});
[[noreturn]] void RaiseTransportError(int32_t hresult, std::string_view detail = {});

// A frame or message that breaks the format or its limits.
class ProtocolError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Turns objects into handles while a value is written, and handles into objects while one
// is read. Either may raise a RunError (an object that cannot travel, an unknown handle).
class HandleMap {
 public:
  virtual ~HandleMap() = default;
  virtual Handle ToHandle(const DispatchPtr& object) = 0;
  virtual DispatchPtr ToObject(Handle handle) = 0;
};

// The size of the first frame in the buffered bytes, header included, once it is complete;
// nothing while more bytes are needed. Raises ProtocolError for a length over the limit.
std::optional<size_t> CompleteFrameSize(std::span<const uint8_t> buffered);

// Appends one frame to a buffer. Finish() fills in the length; a frame that grows past the
// limit raises ProtocolError, and Abandon() takes the partial frame off the buffer again.
class FrameWriter {
 public:
  FrameWriter(std::vector<uint8_t>& buffer, MessageType type);
  void U8(uint8_t value);
  void U16(uint16_t value);
  void U32(uint32_t value);
  void U64(uint64_t value);
  void Text(std::string_view text);
  void Value(const Variant& value, HandleMap& handles);
  void Finish();
  void Abandon();

 private:
  void Bytes(const void* data, size_t size);
  void Value(const Variant& value, HandleMap& handles, int depth);

  std::vector<uint8_t>& buffer_;
  size_t start_;
};

// Reads one frame's payload. Every read checks the remaining length; a short or malformed
// payload raises ProtocolError.
class FrameReader {
 public:
  explicit FrameReader(std::span<const uint8_t> payload) : data_(payload) {}
  MessageType Type() { return static_cast<MessageType>(U8()); }
  uint8_t U8();
  uint16_t U16();
  uint32_t U32();
  uint64_t U64();
  // A view into the payload.
  std::string_view Text();
  Variant Value(HandleMap& handles);
  // Raises ProtocolError unless the whole payload has been read.
  void ExpectEnd() const;

 private:
  const uint8_t* Take(size_t size);
  Variant Value(HandleMap& handles, int depth);

  std::span<const uint8_t> data_;
  size_t position_ = 0;
  uint32_t values_left_ = kMaxValues;
};

// The payload of a frame that CompleteFrameSize found complete.
inline std::span<const uint8_t> Payload(std::span<const uint8_t> frame) {
  return frame.subspan(kHeaderSize);
}

// Requests, as the client writes them.
void WriteHello(std::vector<uint8_t>& buffer);
void WriteInvoke(std::vector<uint8_t>& buffer, Handle object, InvokeKind kind,
                 std::string_view member, std::span<const Variant> args, HandleMap& handles);
void WriteTypeName(std::vector<uint8_t>& buffer, Handle object);
void WriteRelease(std::vector<uint8_t>& buffer, Handle object);
void WriteQuit(std::vector<uint8_t>& buffer);

// Replies, as the server writes them.
void WriteValue(std::vector<uint8_t>& buffer, const Variant& value, HandleMap& handles);
void WriteError(std::vector<uint8_t>& buffer, int32_t number, std::string_view description);

// A request, as the server reads it. The member name views the payload; arguments are read
// into a vector the caller keeps, so that serving a call allocates as little as it can.
struct Request {
  MessageType type = MessageType::kHello;
  Handle object = 0;
  InvokeKind kind = InvokeKind::kMethod;
  std::string_view member;
};
Request ReadRequest(std::span<const uint8_t> payload, HandleMap& handles,
                    std::vector<Variant>& args);

// Reads a reply: its value, or the RunError it carries is raised.
Variant ReadReply(std::span<const uint8_t> payload, HandleMap& handles);

}  // namespace kelvort::protocol
