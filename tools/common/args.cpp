#include "tools/common/args.h"

#include <charconv>
#include <cstdlib>

namespace vela::tools {
namespace {

const OptionSpec* find_spec(std::span<const OptionSpec> specs, std::string_view name) {
  for (const auto& option : specs) {
    if (option.name == name)
      return &option;
  }
  return nullptr;
}

} // namespace

bool Args::parse(int argc, const char* const* argv, std::span<const OptionSpec> specs, Args& out,
                 std::string& error) {
  out = Args();
  bool options_ended = false;
  for (int i = 0; i < argc; ++i) {
    std::string_view word = argv[i];
    if (options_ended || word.size() < 3 || word.substr(0, 2) != "--") {
      if (word == "--") {
        options_ended = true;
        continue;
      }
      out.positionals_.emplace_back(word);
      continue;
    }
    std::string_view name = word.substr(2);
    std::string_view inline_value;
    bool has_inline = false;
    if (auto eq = name.find('='); eq != std::string_view::npos) {
      inline_value = name.substr(eq + 1);
      name = name.substr(0, eq);
      has_inline = true;
    }
    const OptionSpec* option = find_spec(specs, name);
    if (!option) {
      error = "unknown option --" + std::string(name);
      return false;
    }
    auto& slot = out.options_[std::string(name)];
    if (!option->takes_value) {
      if (has_inline) {
        error = "option --" + std::string(name) + " takes no value";
        return false;
      }
      slot.emplace_back();
      continue;
    }
    if (has_inline) {
      slot.emplace_back(inline_value);
    } else if (i + 1 < argc) {
      slot.emplace_back(argv[++i]);
    } else {
      error = "option --" + std::string(name) + " needs a value";
      return false;
    }
  }
  return true;
}

bool Args::has(std::string_view name) const {
  return options_.find(name) != options_.end();
}

std::string Args::value(std::string_view name, std::string_view fallback) const {
  auto it = options_.find(name);
  if (it == options_.end() || it->second.empty())
    return std::string(fallback);
  return it->second.back();
}

const std::vector<std::string>& Args::values(std::string_view name) const {
  static const std::vector<std::string> none;
  auto it = options_.find(name);
  return it == options_.end() ? none : it->second;
}

bool Args::integer(std::string_view name, long long min, long long max, long long fallback,
                   long long& out, std::string& error) const {
  if (!has(name)) {
    out = fallback;
    return true;
  }
  long long parsed = 0;
  if (!parse_integer(value(name), parsed) || parsed < min || parsed > max) {
    error = "option --" + std::string(name) + " needs a whole number from " + std::to_string(min) +
            " to " + std::to_string(max);
    return false;
  }
  out = parsed;
  return true;
}

bool Args::number(std::string_view name, double min, double max, double fallback, double& out,
                  std::string& error) const {
  if (!has(name)) {
    out = fallback;
    return true;
  }
  std::string text = value(name);
  char* end = nullptr;
  double parsed = std::strtod(text.c_str(), &end);
  if (text.empty() || end != text.c_str() + text.size() || !(parsed >= min && parsed <= max)) {
    error = "option --" + std::string(name) + " needs a number from " + std::to_string(min) +
            " to " + std::to_string(max);
    return false;
  }
  out = parsed;
  return true;
}

bool parse_integer(std::string_view text, long long& out) {
  if (text.empty())
    return false;
  auto result = std::from_chars(text.data(), text.data() + text.size(), out);
  return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

std::vector<std::string> split_list(std::string_view text) {
  std::vector<std::string> fields;
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.push_back(std::move(field));
      field.clear();
    } else {
      field += c;
    }
  }
  fields.push_back(std::move(field));
  return fields;
}

} // namespace vela::tools
