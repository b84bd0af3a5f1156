// The character encodings of the XML files.
#include "settings/xml_encoding.h"

#include <charconv>
#include <cstdint>
#include <optional>

namespace kelvort {

namespace {

// Decodes the character at text[pos] and advances pos past it. On a byte that starts no
// valid UTF-8 sequence (a stray continuation byte, a truncated, overlong or surrogate
// sequence) answers nothing and advances pos by that one byte.
std::optional<char32_t> DecodeNext(std::string_view text, size_t& pos) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  int length = 0;
  char32_t code = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07, minimum = 0x10000;
  } else {
    ++pos;
    return std::nullopt;
  }
  if (pos + length > text.size()) {
    ++pos;
    return std::nullopt;
  }
  for (int i = 1; i < length; ++i) {
    const unsigned char next = byte(pos + i);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return std::nullopt;
    }
    code = (code << 6) | (next & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    ++pos;
    return std::nullopt;
  }
  pos += length;
  return code;
}

// The characters that XML 1.0 allows in a document.
bool IsXmlChar(char32_t code) {
  return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
         (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

// The character that a reference "#65" or "#x41" (the text between "&" and ";") names;
// nothing for a number that names no character.
std::optional<char32_t> ReferencedCharacter(std::string_view reference) {
  reference.remove_prefix(1);
  int base = 10;
  if (!reference.empty() && (reference.front() == 'x' || reference.front() == 'X')) {
    reference.remove_prefix(1);
    base = 16;
  }
  uint32_t code = 0;
  const auto [end, ec] =
      std::from_chars(reference.data(), reference.data() + reference.size(), code, base);
  if (ec != std::errc() || end != reference.data() + reference.size() || reference.empty()) {
    return std::nullopt;
  }
  return code;
}

}  // namespace

bool IsXmlText(std::string_view raw) {
  for (size_t pos = 0; pos < raw.size();) {
    if (raw[pos] == '&' && pos + 1 < raw.size() && raw[pos + 1] == '#') {
      const size_t end = raw.find(';', pos);
      if (end == std::string_view::npos) return false;
      const auto code = ReferencedCharacter(raw.substr(pos + 1, end - pos - 1));
      if (!code || !IsXmlChar(*code)) return false;
      pos = end + 1;
      continue;
    }
    const auto code = DecodeNext(raw, pos);
    if (!code || !IsXmlChar(*code)) return false;
  }
  return true;
}

bool IsValidUtf8(std::string_view text) {
  return InvalidUtf8At(text) == std::string_view::npos;
}

size_t InvalidUtf8At(std::string_view text) {
  for (size_t pos = 0; pos < text.size();) {
    const size_t start = pos;
    if (!DecodeNext(text, pos)) return start;
  }
  return std::string_view::npos;
}

bool FitsLatin1(std::string_view utf8) {
  for (size_t pos = 0; pos < utf8.size();) {
    const auto code = DecodeNext(utf8, pos);
    if (code && *code > 0xFF) return false;
  }
  return true;
}

std::string ToLatin1WithReferences(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    const size_t start = pos;
    const auto code = DecodeNext(utf8, pos);
    if (!code) {
      out += utf8[start];
    } else if (*code <= 0xFF) {
      out += static_cast<char>(*code);
    } else {
      out += "&#" + std::to_string(static_cast<uint32_t>(*code)) + ";";
    }
  }
  return out;
}

}  // namespace kelvort
