// Encoding and checked decoding of the stand-in server's frames.
#include "platform/posix/automation_protocol.h"

#include <bit>
#include <cstring>

#include "util/run_error.h"

namespace kelvort::protocol {
namespace {

static_assert(std::endian::native == std::endian::little, "the wire format is little-endian");

// Value tags on the wire; fixed here, independent of the order of Variant::Kind.
enum class Tag : uint8_t {
  kEmpty = 0,
  kNothing = 1,
  kBoolean = 2,
  kInteger = 3,
  kLong = 4,
  kDouble = 5,
  kText = 6,
  kArray = 7,
  kObject = 8,
};

template <typename T>
T Load(const uint8_t* bytes) {
  T value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

std::string_view StandardTransportText(int32_t hresult) {
  switch (hresult) {
    case hresults::kInvalidData:
      return "The data packet with the marshalled parameter data is incorrect.";
    case hresults::kCannotMarshal:
      return "The server cannot send the data of the result.";
    case hresults::kClientCannotMarshal:
      return "The data cannot be sent to the server.";
    case hresults::kDisconnected:
      return "The object invoked has disconnected from its clients.";
    case hresults::kCallFailed:
      return "The remote procedure call failed.";
    case hresults::kServerUnavailable:
      return "The RPC server is unavailable.";
    case hresults::kOutOfMemory:
      return "Not enough memory is available to complete this operation.";
    default:
      return "Catastrophic failure";
  }
}

}  // namespace

std::string TransportErrorText(int32_t hresult, std::string_view detail) {
  std::string text = "Automation error\r\n" + std::string(StandardTransportText(hresult));
  if (!detail.empty()) text += "\r\n" + std::string(detail);
  return text;
}

void RaiseTransportError(int32_t hresult, std::string_view detail) {
  Raise(hresult, TransportErrorText(hresult, detail));
}

std::optional<size_t> CompleteFrameSize(std::span<const uint8_t> buffered) {
  if (buffered.size() < kHeaderSize) return std::nullopt;
  const auto length = Load<uint32_t>(buffered.data());
  if (length == 0 || length > kMaxFrameSize) {
    throw ProtocolError("frame length " + std::to_string(length) + " outside 1.." +
                        std::to_string(kMaxFrameSize));
  }
  if (buffered.size() - kHeaderSize < length) return std::nullopt;
  return kHeaderSize + length;
}

FrameWriter::FrameWriter(std::vector<uint8_t>& buffer, MessageType type)
    : buffer_(buffer), start_(buffer.size()) {
  buffer_.resize(start_ + kHeaderSize);
  U8(static_cast<uint8_t>(type));
}

void FrameWriter::Bytes(const void* data, size_t size) {
  const size_t at = buffer_.size();
  if (at - start_ - kHeaderSize + size > kMaxFrameSize) {
    throw ProtocolError("message larger than " + std::to_string(kMaxFrameSize) + " bytes");
  }
  buffer_.resize(at + size);
  if (size > 0) std::memcpy(buffer_.data() + at, data, size);
}

void FrameWriter::U8(uint8_t value) {
  Bytes(&value, sizeof value);
}
void FrameWriter::U16(uint16_t value) {
  Bytes(&value, sizeof value);
}
void FrameWriter::U32(uint32_t value) {
  Bytes(&value, sizeof value);
}
void FrameWriter::U64(uint64_t value) {
  Bytes(&value, sizeof value);
}

void FrameWriter::Text(std::string_view text) {
  if (text.size() > kMaxFrameSize) throw ProtocolError("text too long");
  U32(static_cast<uint32_t>(text.size()));
  Bytes(text.data(), text.size());
}

void FrameWriter::Value(const Variant& value, HandleMap& handles) {
  Value(value, handles, 0);
}

void FrameWriter::Value(const Variant& value, HandleMap& handles, int depth) {
  switch (value.kind()) {
    case Variant::Kind::kEmpty:
      U8(static_cast<uint8_t>(Tag::kEmpty));
      return;
    case Variant::Kind::kNothing:
      U8(static_cast<uint8_t>(Tag::kNothing));
      return;
    case Variant::Kind::kBoolean:
      U8(static_cast<uint8_t>(Tag::kBoolean));
      U8(value.ToBoolean() ? 1 : 0);
      return;
    case Variant::Kind::kInteger:
      U8(static_cast<uint8_t>(Tag::kInteger));
      U16(static_cast<uint16_t>(value.ToInteger()));
      return;
    case Variant::Kind::kLong:
      U8(static_cast<uint8_t>(Tag::kLong));
      U32(static_cast<uint32_t>(value.ToLong()));
      return;
    case Variant::Kind::kDouble:
      U8(static_cast<uint8_t>(Tag::kDouble));
      U64(std::bit_cast<uint64_t>(value.ToDouble()));
      return;
    case Variant::Kind::kText:
      U8(static_cast<uint8_t>(Tag::kText));
      Text(value.ToText());
      return;
    case Variant::Kind::kArray: {
      if (depth >= kMaxDepth) throw ProtocolError("arrays nested too deeply");
      const Variant::Array& items = value.ToArray();
      U8(static_cast<uint8_t>(Tag::kArray));
      if (items.size() > kMaxValues) throw ProtocolError("array too long");
      U32(static_cast<uint32_t>(items.size()));
      for (const Variant& item : items) Value(item, handles, depth + 1);
      return;
    }
    case Variant::Kind::kObject:
      U8(static_cast<uint8_t>(Tag::kObject));
      U64(handles.ToHandle(value.ToObject()));
      return;
  }
  throw ProtocolError("value of unknown kind");
}

void FrameWriter::Finish() {
  const auto length = static_cast<uint32_t>(buffer_.size() - start_ - kHeaderSize);
  std::memcpy(buffer_.data() + start_, &length, sizeof length);
}

void FrameWriter::Abandon() {
  buffer_.resize(start_);
}

const uint8_t* FrameReader::Take(size_t size) {
  if (data_.size() - position_ < size) throw ProtocolError("message ends early");
  const uint8_t* at = data_.data() + position_;
  position_ += size;
  return at;
}

uint8_t FrameReader::U8() {
  return *Take(1);
}
uint16_t FrameReader::U16() {
  return Load<uint16_t>(Take(2));
}
uint32_t FrameReader::U32() {
  return Load<uint32_t>(Take(4));
}
uint64_t FrameReader::U64() {
  return Load<uint64_t>(Take(8));
}

std::string_view FrameReader::Text() {
  const uint32_t size = U32();
  return {reinterpret_cast<const char*>(Take(size)), size};
}

Variant FrameReader::Value(HandleMap& handles) {
  return Value(handles, 0);
}

Variant FrameReader::Value(HandleMap& handles, int depth) {
  if (values_left_ == 0) throw ProtocolError("too many values in one message");
  --values_left_;
  switch (static_cast<Tag>(U8())) {
    case Tag::kEmpty:
      return Variant();
    case Tag::kNothing:
      return Variant::Nothing();
    case Tag::kBoolean: {
      const uint8_t flag = U8();
      if (flag > 1) throw ProtocolError("Boolean other than 0 or 1");
      return Variant(flag == 1);
    }
    case Tag::kInteger:
      return Variant(static_cast<int16_t>(U16()));
    case Tag::kLong:
      return Variant(static_cast<int32_t>(U32()));
    case Tag::kDouble:
      return Variant(std::bit_cast<double>(U64()));
    case Tag::kText:
      return Variant(std::string(Text()));
    case Tag::kArray: {
      if (depth >= kMaxDepth) throw ProtocolError("arrays nested too deeply");
      const uint32_t count = U32();
      // Every element takes at least one byte and counts against the value limit.
      if (count > data_.size() - position_ || count > values_left_) {
        throw ProtocolError("array longer than its message allows");
      }
      Variant::Array items;
      items.reserve(count);
      for (uint32_t i = 0; i < count; ++i) items.push_back(Value(handles, depth + 1));
      return Variant(std::move(items));
    }
    case Tag::kObject: {
      const Handle handle = U64();
      if (handle == 0) throw ProtocolError("object handle 0");
      return Variant(handles.ToObject(handle));
    }
  }
  throw ProtocolError("unknown value tag");
}

void FrameReader::ExpectEnd() const {
  if (position_ != data_.size()) throw ProtocolError("unexpected bytes after the message");
}

void WriteHello(std::vector<uint8_t>& buffer) {
  FrameWriter frame(buffer, MessageType::kHello);
  frame.U32(kMagic);
  frame.U16(kVersion);
  frame.Finish();
}

void WriteInvoke(std::vector<uint8_t>& buffer, Handle object, InvokeKind kind,
                 std::string_view member, std::span<const Variant> args, HandleMap& handles) {
  FrameWriter frame(buffer, MessageType::kInvoke);
  try {
    frame.U64(object);
    frame.U8(static_cast<uint8_t>(kind));
    frame.Text(member);
    frame.U32(static_cast<uint32_t>(args.size()));
    for (const Variant& arg : args) frame.Value(arg, handles);
  } catch (...) {
    frame.Abandon();
    throw;
  }
  frame.Finish();
}

void WriteTypeName(std::vector<uint8_t>& buffer, Handle object) {
  FrameWriter frame(buffer, MessageType::kTypeName);
  frame.U64(object);
  frame.Finish();
}

void WriteRelease(std::vector<uint8_t>& buffer, Handle object) {
  FrameWriter frame(buffer, MessageType::kRelease);
  frame.U64(object);
  frame.Finish();
}

void WriteQuit(std::vector<uint8_t>& buffer) {
  FrameWriter frame(buffer, MessageType::kQuit);
  frame.Finish();
}

void WriteValue(std::vector<uint8_t>& buffer, const Variant& value, HandleMap& handles) {
  FrameWriter frame(buffer, MessageType::kValue);
  try {
    frame.Value(value, handles);
  } catch (...) {
    frame.Abandon();
    throw;
  }
  frame.Finish();
}

void WriteError(std::vector<uint8_t>& buffer, int32_t number, std::string_view description) {
  FrameWriter frame(buffer, MessageType::kError);
  frame.U32(static_cast<uint32_t>(number));
  // A description never makes an error reply too large to send.
  frame.Text(description.substr(0, 4096));
  frame.Finish();
}

Request ReadRequest(std::span<const uint8_t> payload, HandleMap& handles,
                    std::vector<Variant>& args) {
  FrameReader reader(payload);
  Request request;
  request.type = reader.Type();
  args.clear();
  switch (request.type) {
    case MessageType::kHello:
      if (reader.U32() != kMagic) throw ProtocolError("not a Kelvort automation client");
      if (reader.U16() != kVersion) throw ProtocolError("unsupported protocol version");
      break;
    case MessageType::kInvoke: {
      request.object = reader.U64();
      const uint8_t kind = reader.U8();
      if (kind > static_cast<uint8_t>(InvokeKind::kMethod)) {
        throw ProtocolError("unknown kind of call");
      }
      request.kind = static_cast<InvokeKind>(kind);
      request.member = reader.Text();
      const uint32_t count = reader.U32();
      if (count > payload.size()) throw ProtocolError("more arguments than the message holds");
      for (uint32_t i = 0; i < count; ++i) args.push_back(reader.Value(handles));
      break;
    }
    case MessageType::kTypeName:
    case MessageType::kRelease:
      request.object = reader.U64();
      break;
    case MessageType::kQuit:
      break;
    default:
      throw ProtocolError("unknown request");
  }
  reader.ExpectEnd();
  return request;
}

Variant ReadReply(std::span<const uint8_t> payload, HandleMap& handles) {
  FrameReader reader(payload);
  switch (reader.Type()) {
    case MessageType::kValue: {
      Variant value = reader.Value(handles);
      reader.ExpectEnd();
      return value;
    }
    case MessageType::kError: {
      const auto number = static_cast<int32_t>(reader.U32());
      const std::string description(reader.Text());
      reader.ExpectEnd();
      Raise(number, description);
    }
    default:
      throw ProtocolError("unknown reply");
  }
}

}  // namespace kelvort::protocol
