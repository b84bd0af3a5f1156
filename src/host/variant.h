// The late-bound value: what host members take and give back.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace kelvort {

class Dispatch;
// Host objects are shared: the transport and every holder keep them alive.
using DispatchPtr = std::shared_ptr<Dispatch>;

class Variant {
 public:
  enum class Kind { kEmpty, kNothing, kBoolean, kInteger, kLong, kDouble, kText, kArray, kObject };
  using Array = std::vector<Variant>;

  Variant() = default;  // Empty
  Variant(bool value) : value_(value) {}
  Variant(int16_t value) : value_(value) {}
  Variant(int32_t value) : value_(value) {}
  Variant(double value) : value_(value) {}
  Variant(std::string value) : value_(std::move(value)) {}
  Variant(const char* value) : value_(std::string(value)) {}
  Variant(Array value) : value_(std::move(value)) {}
  // A null pointer makes Nothing.
  Variant(DispatchPtr object);

  static Variant Nothing();

  Kind kind() const { return static_cast<Kind>(value_.index()); }
  bool IsEmpty() const { return kind() == Kind::kEmpty; }
  bool IsNothing() const { return kind() == Kind::kNothing; }
  bool IsObject() const { return kind() == Kind::kObject; }

  // Conversions with the usual coercions (numbers and "True"/"False" texts to Boolean,
  // numeric texts to numbers, Empty to 0 or ""). A value that does not convert raises
  // run-time error 13; a whole number out of range raises 6.
  bool ToBoolean() const;
  int16_t ToInteger() const;
  int32_t ToLong() const;
  double ToDouble() const;
  std::string ToText() const;
  const Array& ToArray() const;
  // The object; Nothing raises 91, any other kind 424.
  DispatchPtr ToObject() const;
  // The object, or null for Nothing and Empty; any other kind raises 424.
  DispatchPtr ToObjectOrNull() const;

  bool operator==(const Variant& other) const;

 private:
  struct NothingTag {
    bool operator==(const NothingTag&) const = default;
  };
  std::variant<std::monostate, NothingTag, bool, int16_t, int32_t, double, std::string, Array,
               DispatchPtr>
      value_;
};

}  // namespace kelvort
