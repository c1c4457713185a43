// INI text from outside: every lookup over every section and every key the text names.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "skin/data/quick_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vela::skin::TQuickIni ini;
  vela::skin::MemoryStream stream(std::vector<std::uint8_t>(data, data + size));
  ini.LoadFromStream(stream);
  std::vector<std::string> sections;
  ini.ReadSections(sections);
  // A bounded sample of sections and keys keeps each run quick on long inputs.
  const std::size_t lines = std::min<std::size_t>(ini.Lines().size(), 64);
  const std::size_t count = std::min<std::size_t>(sections.size(), 16);
  for (std::size_t l = 0; l < lines; ++l) {
    const std::string& line = ini.Lines()[l];
    const std::string key = line.substr(0, line.find('='));
    for (std::size_t s = 0; s < count; ++s) {
      const std::string& section = sections[s];
      (void)ini.ReadString(section, key, "default");
      (void)ini.ReadInteger(section, key, -1);
    }
  }
  std::int32_t value = 0;
  (void)vela::skin::ParseIniInteger(std::string_view(reinterpret_cast<const char*>(data), size),
                                    value);
  return 0;
}
