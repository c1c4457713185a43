#pragma once
// The pages of skinview: each is a name and a function that fills the page's panel. A page
// registers itself from its own source file, so adding a page is adding one file:
//
//   // page_buttons.cpp
//   namespace {
//   void FillButtonsPage(vela::skinview::TPageHost& host) { ... }
//   const bool registered = vela::skinview::RegisterPage("Buttons", 20, &FillButtonsPage);
//   }
//
// Pages are shown in the order of their rank (then of their names). Portable: the host is only
// named here.
#include <functional>
#include <string>
#include <vector>

namespace vela::skinview {

class TPageHost;
using PageFill = std::function<void(TPageHost& host)>;

struct PageEntry {
  std::string name;
  int rank = 0;
  PageFill fill;
};

// A list of pages, kept in showing order.
class PageRegistry {
public:
  // False (and nothing added) for an empty name or one already taken, ignoring case.
  bool Add(PageEntry entry);
  const std::vector<PageEntry>& Pages() const { return pages_; }
  std::vector<std::string> Names() const;
  // The page of that name, ignoring case; null for none.
  const PageEntry* Find(const std::string& name) const;

private:
  std::vector<PageEntry> pages_;
};

// The program's pages, filled by the pages' own files as the program starts.
PageRegistry& Pages();
bool RegisterPage(std::string name, int rank, PageFill fill);

} // namespace vela::skinview
