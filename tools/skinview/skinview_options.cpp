#include "tools/skinview/skinview_options.h"

#include "tools/common/args.h"

#include <algorithm>
#include <cctype>

namespace vela::skinview {

namespace {

constexpr tools::OptionSpec kSpecs[] = {
    {"page", true}, {"shot", true}, {"help", false}, {"version", false}};

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::string Joined(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& name : names)
    out += (out.empty() ? "" : ", ") + name;
  return out;
}

} // namespace

bool ParseOptions(const std::vector<std::string>& words, const std::vector<std::string>& pages,
                  Options& out, std::string& error) {
  std::vector<const char*> argv;
  for (const std::string& word : words)
    argv.push_back(word.c_str());
  tools::Args args;
  if (!tools::Args::parse(int(argv.size()), argv.data(), kSpecs, args, error))
    return false;
  out = Options{};
  out.help = args.has("help");
  out.version = args.has("version");
  if (args.positionals().size() > 1) {
    error = "only one skin file may be given";
    return false;
  }
  if (!args.positionals().empty())
    out.skinFile = args.positionals().front();
  if (args.has("page")) {
    const std::string wanted = args.value("page");
    const auto found = std::find_if(pages.begin(), pages.end(),
                                    [&](const std::string& p) { return SameName(p, wanted); });
    if (found == pages.end()) {
      error = "no page \"" + wanted + "\" (pages: " + Joined(pages) + ")";
      return false;
    }
    out.page = *found;
  }
  if (args.has("shot")) {
    out.shotFile = args.value("shot");
    if (out.shotFile.empty()) {
      error = "--shot needs a file name";
      return false;
    }
  }
  return true;
}

std::string HelpText(const std::vector<std::string>& pages) {
  return "Usage: skinview [SKIN.skn] [--page NAME] [--shot FILE.bmp]\n"
         "\n"
         "Shows a window skinned with SKIN.skn (without one: the default skin the program\n"
         "carries), with pages of the controls the skin engine paints.\n"
         "\n"
         "  --page NAME     show this page first; pages: " +
         Joined(pages) +
         "\n"
         "  --shot FILE     wait until the window is skinned and painted, save the whole\n"
         "                  window, frame included, as a 24-bit BMP and exit\n"
         "  --help          this text\n"
         "  --version       the version\n"
         "\n"
         "A skin that cannot be read is reported as the update tool reports it (with --shot,\n"
         "on the error output instead of a message box) and the window shows unskinned.\n"
         "\n"
         "Exit codes:\n"
         "  0  the window was closed, or the shot of the skinned window was saved\n"
         "  1  the shot could not be taken or written\n"
         "  2  wrong command line\n"
         "  3  the skin could not be read; with --shot, the unskinned window was saved\n"
         "  4  with --shot, the window was not skinned and painted within 30 seconds\n";
}

} // namespace vela::skinview
