// Loads every element from an arbitrary expanded package: whatever the description and the
// members say, the load must finish without touching memory it does not own.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "skin/data/skin_elements.h"

using namespace vela::skin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TSkinReader package;
  if (!package.LoadExpanded(std::vector<std::uint8_t>(data, data + size))) return 0;
  MemoryStream description;
  std::string name;
  package.ExtractFirstMatching(".ini", description, name);
  TQuickIni ini;
  ini.LoadFromStream(description);
  TSkinElements elements;
  SkinLoadOptions options;
  options.ScrollArrowWidth = int(size % 64); // odd widths reach the composite's edges
  // Every problem a load reports says where it is and what is wrong.
  options.Report = [](const SkinLoadProblem& p) {
    if (p.Where.empty() || p.What.empty()) std::abort();
  };
  LoadSkinElements(package, ini, elements, options);
  return 0;
}
