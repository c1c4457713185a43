// Command-line options of the tools: "--name value", "--name=value" and "--flag".
//
//   static constexpr vela::tools::OptionSpec specs[] = {{"port", true}, {"udp", false}};
//   vela::tools::Args args;
//   std::string error;
//   if (!vela::tools::Args::parse(argc - 1, argv + 1, specs, args, error)) ... usage error
//   long port = 0;
//   if (!args.integer("port", 0, 65535, 0, port, error)) ...
#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vela::tools {

struct OptionSpec {
  std::string_view name; // without the leading dashes
  bool takes_value;
};

class Args {
public:
  // Words that do not start with "--" are positionals; "--" ends the options.
  static bool parse(int argc, const char* const* argv, std::span<const OptionSpec> specs, Args& out,
                    std::string& error);

  bool has(std::string_view name) const;
  // The last value given, or fallback.
  std::string value(std::string_view name, std::string_view fallback = {}) const;
  const std::vector<std::string>& values(std::string_view name) const;
  const std::vector<std::string>& positionals() const { return positionals_; }

  // A decimal integer within [min, max]; fallback when the option is absent.
  bool integer(std::string_view name, long long min, long long max, long long fallback,
               long long& out, std::string& error) const;
  // A decimal number within [min, max] (for rates).
  bool number(std::string_view name, double min, double max, double fallback, double& out,
              std::string& error) const;

private:
  std::map<std::string, std::vector<std::string>, std::less<>> options_;
  std::vector<std::string> positionals_;
};

// Parses a whole decimal integer; false on any other character or overflow.
bool parse_integer(std::string_view text, long long& out);

// Splits "a,b,c" at commas; a field in double quotes may hold commas ("" is one quote).
std::vector<std::string> split_list(std::string_view text);

} // namespace vela::tools
