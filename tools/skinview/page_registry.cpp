#include "tools/skinview/page_registry.h"

#include <algorithm>
#include <cctype>

namespace vela::skinview {

namespace {

std::string Folded(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    c = char(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

} // namespace

bool PageRegistry::Add(PageEntry entry) {
  if (entry.name.empty() || Find(entry.name))
    return false;
  const auto place = std::find_if(pages_.begin(), pages_.end(), [&](const PageEntry& p) {
    return p.rank > entry.rank || (p.rank == entry.rank && Folded(p.name) > Folded(entry.name));
  });
  pages_.insert(place, std::move(entry));
  return true;
}

std::vector<std::string> PageRegistry::Names() const {
  std::vector<std::string> names;
  for (const PageEntry& page : pages_)
    names.push_back(page.name);
  return names;
}

const PageEntry* PageRegistry::Find(const std::string& name) const {
  const std::string wanted = Folded(name);
  for (const PageEntry& page : pages_)
    if (Folded(page.name) == wanted)
      return &page;
  return nullptr;
}

PageRegistry& Pages() {
  static PageRegistry registry;
  return registry;
}

bool RegisterPage(std::string name, int rank, PageFill fill) {
  return Pages().Add(PageEntry{std::move(name), rank, std::move(fill)});
}

} // namespace vela::skinview
