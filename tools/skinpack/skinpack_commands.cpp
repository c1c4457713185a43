#include "tools/skinpack/skinpack_commands.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <ostream>
#include <stdexcept>

#include "skin/data/lzh.h"
#include "skin/data/lzh_encoder.h"
#include "skin/data/package_writer.h"
#include "skin/data/skin_elements.h"
#include "skin/data/skin_reader.h"
#include "tools/skinpack/file_io.h"

namespace vela::tools {
namespace {

namespace fs = std::filesystem;
using skin::MemoryStream;
using skin::TSkinReader;

// A raw stream may expand to more than a skin package may hold, but not without bound.
constexpr std::int32_t kMaxRawExpandedSize = 1 << 30;

constexpr const char* kUsage =
    "usage: skinpack COMMAND ARGUMENTS\n"
    "\n"
    "  build DIR OUT.skn             pack every .bmp and the one .ini of DIR into a skin file\n"
    "  list FILE.skn                 show the members of a skin file with their sizes\n"
    "  extract FILE.skn MEMBER OUT   write one member of a skin file to OUT\n"
    "  expand IN OUT                 expand a compressed stream (4-byte size, then the bits)\n"
    "  compress IN OUT               compress a file into such a stream\n"
    "  check FILE.skn                load a skin file as the programs do and list its problems\n"
    "\n"
    "Member names are matched without regard to ASCII case. Exit status: 0 on success,\n"
    "1 when a file cannot be read, written or used (for check: when it has problems),\n"
    "2 for a wrong command line.\n";

struct Context {
  std::ostream& out;
  std::ostream& err;

  int Fail(const std::string& message) const {
    err << "skinpack: " << message << "\n";
    return kSkinpackFailed;
  }
};

std::string LowerAscii(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z')
      c = char(c - 'A' + 'a');
  }
  return s;
}

// Reads a whole input file; on failure reports why and returns false.
bool ReadInput(const Context& ctx, const fs::path& file, std::vector<std::uint8_t>& bytes) {
  std::string error;
  if (ReadWholeFile(file, bytes, error))
    return true;
  ctx.Fail(error);
  return false;
}

// Writes a whole output file; on failure reports why and returns false.
bool WriteOutput(const Context& ctx, const fs::path& file,
                 const std::vector<std::uint8_t>& bytes) {
  std::string error;
  if (WriteWholeFile(file, bytes, error))
    return true;
  ctx.Fail(error);
  return false;
}

// Reads and opens a skin file; on failure reports why and returns false.
bool OpenSkin(const Context& ctx, const std::string& file, TSkinReader& reader) {
  std::vector<std::uint8_t> bytes;
  if (!ReadInput(ctx, file, bytes))
    return false;
  std::int32_t size = 0;
  if (!skin::LzhExpandedSize(bytes, size)) {
    ctx.Fail(file + ": too short for a skin file (no size field)");
    return false;
  }
  if (size > TSkinReader::kMaxPackageSize) {
    ctx.Fail(file + ": claims " + std::to_string(size) + " expanded bytes, beyond the limit of " +
             std::to_string(TSkinReader::kMaxPackageSize));
    return false;
  }
  MemoryStream source(std::move(bytes));
  if (reader.LoadPackage(source))
    return true;
  if (reader.Status() == skin::PackageStatus::WrongVersion) {
    ctx.Fail(file + ": not a skin package of version 20000 (an older skin file, or not a skin)");
  } else {
    ctx.Fail(file + ": damaged skin package (" + reader.Problem() + ")");
  }
  return false;
}

// The members of a skin folder: every .bmp and exactly one .ini, in name order.
bool CollectMembers(const Context& ctx, const fs::path& dir,
                    std::vector<skin::PackageMember>& members) {
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) {
    ctx.Fail("'" + dir.string() + "' is not a folder");
    return false;
  }
  std::vector<fs::path> files;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec))
      continue;
    const std::string ext = LowerAscii(it->path().extension().string());
    if (ext == ".bmp" || ext == ".ini")
      files.push_back(it->path());
  }
  if (ec) {
    ctx.Fail("cannot list '" + dir.string() + "': " + ec.message());
    return false;
  }
  // Name order, ignoring ASCII case as the reader does, makes the output reproducible.
  std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) {
    const std::string na = a.filename().string(), nb = b.filename().string();
    const std::string la = LowerAscii(na), lb = LowerAscii(nb);
    return la != lb ? la < lb : na < nb;
  });
  std::vector<std::string> inis;
  for (const fs::path& f : files) {
    if (LowerAscii(f.extension().string()) == ".ini")
      inis.push_back(f.filename().string());
  }
  if (inis.size() != 1) {
    std::string message = inis.empty() ? "no .ini file in '" + dir.string() + "'"
                                       : "more than one .ini file in '" + dir.string() + "':";
    for (const std::string& name : inis)
      message += " " + name;
    ctx.Fail(message);
    return false;
  }
  for (const fs::path& f : files) {
    skin::PackageMember member{f.filename().string(), {}};
    if (!ReadInput(ctx, f, member.bytes))
      return false;
    members.push_back(std::move(member));
  }
  return true;
}

int Build(const Context& ctx, const std::vector<std::string>& a) {
  std::vector<skin::PackageMember> members;
  if (!CollectMembers(ctx, a[0], members))
    return kSkinpackFailed;
  std::vector<std::uint8_t> package;
  try {
    package = skin::BuildPackage(members);
  } catch (const std::invalid_argument& e) {
    return ctx.Fail(std::string("cannot pack '") + a[0] + "': " + e.what());
  }
  const std::vector<std::uint8_t> file = skin::LzhCompress(package);
  // A skin that does not expand to exactly its package would load as garbage; never write one.
  std::vector<std::uint8_t> check;
  if (!skin::LzhExpand(file, check, TSkinReader::kMaxPackageSize) || check != package) {
    return ctx.Fail("internal error: the compressed skin does not expand to its package");
  }
  if (!WriteOutput(ctx, a[1], file))
    return kSkinpackFailed;
  ctx.out << "built " << a[1] << ": " << members.size() << " members, " << package.size()
          << " bytes packed into " << file.size() << " bytes\n";
  return kSkinpackOk;
}

int List(const Context& ctx, const std::vector<std::string>& a) {
  TSkinReader reader;
  if (!OpenSkin(ctx, a[0], reader))
    return kSkinpackFailed;
  std::int64_t total = 0;
  for (int i = 0; i < reader.MemberCount(); ++i) {
    ctx.out << std::string(
                   std::max<std::size_t>(0, 10 - std::to_string(reader.MemberSize(i)).size()), ' ')
            << reader.MemberSize(i) << "  " << reader.MemberNames()[std::size_t(i)];
    if (!reader.MemberReadable(i))
      ctx.out << "  (damaged: runs past the end of the package)";
    ctx.out << "\n";
    total += reader.MemberSize(i);
  }
  ctx.out << reader.MemberCount() << " members, " << total << " bytes\n";
  return kSkinpackOk;
}

int Extract(const Context& ctx, const std::vector<std::string>& a) {
  TSkinReader reader;
  if (!OpenSkin(ctx, a[0], reader))
    return kSkinpackFailed;
  MemoryStream member;
  if (!reader.ExtractMember(a[1], member)) {
    const auto& names = reader.MemberNames();
    const bool named = std::find(names.begin(), names.end(), LowerAscii(a[1])) != names.end();
    return ctx.Fail(named ? a[0] + ": member '" + a[1] +
                                "' is damaged (runs past the end of the package)"
                          : a[0] + ": no member named '" + a[1] + "'");
  }
  return WriteOutput(ctx, a[2], member.Bytes()) ? kSkinpackOk : kSkinpackFailed;
}

int Expand(const Context& ctx, const std::vector<std::string>& a) {
  std::vector<std::uint8_t> in;
  if (!ReadInput(ctx, a[0], in))
    return kSkinpackFailed;
  std::int32_t size = 0;
  if (!skin::LzhExpandedSize(in, size))
    return ctx.Fail(a[0] + ": too short for a compressed stream (no size field)");
  if (size > kMaxRawExpandedSize) {
    return ctx.Fail(a[0] + ": claims " + std::to_string(size) +
                    " expanded bytes, beyond the limit of " + std::to_string(kMaxRawExpandedSize));
  }
  std::vector<std::uint8_t> out;
  skin::LzhExpand(in, out, kMaxRawExpandedSize);
  return WriteOutput(ctx, a[1], out) ? kSkinpackOk : kSkinpackFailed;
}

int Compress(const Context& ctx, const std::vector<std::string>& a) {
  std::vector<std::uint8_t> in;
  if (!ReadInput(ctx, a[0], in))
    return kSkinpackFailed;
  std::vector<std::uint8_t> out;
  try {
    out = skin::LzhCompress(in);
  } catch (const std::length_error& e) {
    return ctx.Fail(a[0] + ": " + e.what());
  }
  return WriteOutput(ctx, a[1], out) ? kSkinpackOk : kSkinpackFailed;
}

// A problem text on one line: the loader's messages may hold line breaks.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n' || c == '\t')
      c = ' ';
  }
  return text;
}

int Check(const Context& ctx, const std::vector<std::string>& a) {
  std::vector<std::uint8_t> bytes;
  if (!ReadInput(ctx, a[0], bytes))
    return kSkinpackFailed;
  std::vector<skin::SkinLoadProblem> problems;
  skin::SkinLoadOptions options;
  options.Report = [&problems](const skin::SkinLoadProblem& p) { problems.push_back(p); };
  skin::TSkinElements elements;
  try {
    skin::LoadSkinFile(bytes, elements, options);
  } catch (const skin::ElzhException& e) {
    problems.push_back({"package", e.what()});
  }
  for (const skin::SkinLoadProblem& p : problems)
    ctx.out << a[0] << ": " << OneLine(p.Where) << ": " << OneLine(p.What) << "\n";
  if (problems.empty()) {
    ctx.out << a[0] << ": no problems\n";
    return kSkinpackOk;
  }
  ctx.out << a[0] << ": " << problems.size() << (problems.size() == 1 ? " problem" : " problems")
          << "\n";
  return kSkinpackFailed;
}

struct Command {
  std::size_t arguments;
  int (*run)(const Context&, const std::vector<std::string>&);
};

} // namespace

int RunSkinpack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Context ctx{out, err};
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
    out << kUsage;
    return kSkinpackOk;
  }
  static const std::map<std::string, Command, std::less<>> kCommands = {
      {"build", {2, Build}},   {"list", {1, List}},         {"extract", {3, Extract}},
      {"expand", {2, Expand}}, {"compress", {2, Compress}}, {"check", {1, Check}},
  };
  if (args.empty()) {
    err << "skinpack: no command given (try skinpack --help)\n";
    return kSkinpackUsage;
  }
  const auto found = kCommands.find(args[0]);
  if (found == kCommands.end()) {
    err << "skinpack: unknown command '" << args[0] << "' (try skinpack --help)\n";
    return kSkinpackUsage;
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (rest.size() != found->second.arguments) {
    err << "skinpack: '" << args[0] << "' takes " << found->second.arguments << " argument"
        << (found->second.arguments == 1 ? "" : "s") << ", not " << rest.size()
        << " (try skinpack --help)\n";
    return kSkinpackUsage;
  }
  try {
    return found->second.run(ctx, rest);
  } catch (const std::bad_alloc&) {
    return ctx.Fail("out of memory");
  }
}

} // namespace vela::tools
