// One-line JSON objects for machine-readable output.
//
//   std::puts(vela::tools::JsonObject().add("event", "block").add("block", 5).str().c_str());
//
// Texts from a device are bytes of its ANSI code page. Bytes that form valid UTF-8 pass
// through; any other byte is written as the character of the same value (U+0080 to U+00FF),
// so the output is always valid JSON.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vela::tools {

std::string json_quote(std::string_view bytes);

class JsonObject {
public:
  JsonObject& add(std::string_view key, std::string_view text);
  JsonObject& add(std::string_view key, const char* text) {
    return add(key, std::string_view(text));
  }
  JsonObject& add(std::string_view key, long long number);
  JsonObject& add(std::string_view key, int number) {
    return add(key, static_cast<long long>(number));
  }
  JsonObject& add(std::string_view key, double number);
  JsonObject& add(std::string_view key, bool flag);
  // Inserts already formed JSON (an object or array).
  JsonObject& add_raw(std::string_view key, std::string_view json);
  std::string str() const { return body_ + "}"; }

private:
  void key(std::string_view name);
  std::string body_ = "{";
};

// "[a,b,...]" from already formed JSON values.
std::string json_array(const std::vector<std::string>& values);

} // namespace vela::tools
