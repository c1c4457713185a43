#include "tools/common/json.h"

#include <cmath>
#include <cstdio>

namespace vela::tools {
namespace {

// Length of the valid UTF-8 sequence starting at s[i], or 0.
std::size_t utf8_length(std::string_view s, std::size_t i) {
  auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  unsigned char lead = byte(i);
  std::size_t n = 0;
  std::uint32_t min = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    n = 2;
    min = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    n = 3;
    min = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    n = 4;
    min = 0x10000;
  } else {
    return 0;
  }
  if (i + n > s.size())
    return 0;
  std::uint32_t cp = lead & (0x7F >> n);
  for (std::size_t k = 1; k < n; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80)
      return 0;
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
    return 0;
  return n;
}

void append_escape(std::string& out, unsigned value) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "\\u%04x", value);
  out += buffer;
}

} // namespace

std::string json_quote(std::string_view bytes) {
  std::string out = "\"";
  for (std::size_t i = 0; i < bytes.size();) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      append_escape(out, c);
    } else if (c >= 0x80) {
      if (std::size_t n = utf8_length(bytes, i)) {
        out.append(bytes.substr(i, n));
        i += n;
        continue;
      }
      append_escape(out, c);
    } else {
      out += static_cast<char>(c);
    }
    ++i;
  }
  out += '"';
  return out;
}

void JsonObject::key(std::string_view name) {
  if (body_.size() > 1)
    body_ += ',';
  body_ += json_quote(name);
  body_ += ':';
}

JsonObject& JsonObject::add(std::string_view name, std::string_view text) {
  key(name);
  body_ += json_quote(text);
  return *this;
}

JsonObject& JsonObject::add(std::string_view name, long long number) {
  key(name);
  body_ += std::to_string(number);
  return *this;
}

JsonObject& JsonObject::add(std::string_view name, double number) {
  key(name);
  if (!std::isfinite(number)) {
    body_ += "null";
    return *this;
  }
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.6g", number);
  body_ += buffer;
  return *this;
}

JsonObject& JsonObject::add(std::string_view name, bool flag) {
  key(name);
  body_ += flag ? "true" : "false";
  return *this;
}

JsonObject& JsonObject::add_raw(std::string_view name, std::string_view json) {
  key(name);
  body_ += json;
  return *this;
}

std::string json_array(const std::vector<std::string>& values) {
  std::string out = "[";
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i)
      out += ',';
    out += values[i];
  }
  return out + "]";
}

} // namespace vela::tools
