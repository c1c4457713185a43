#include "tools/vela-bootsim/sim_options.h"

#include "tools/common/args.h"

namespace vela::tools {
namespace {

constexpr OptionSpec kSpecs[] = {
    {"help", false},         {"port", true},        {"host", true},
    {"udp", false},          {"device", true},      {"card", true},
    {"out", true},           {"quiet", false},      {"wrong-ack-every", true},
    {"dup-ack-every", true}, {"drop-ack-at", true}, {"close-after-block", true},
    {"refuse-for", true},    {"ack-delay", true},   {"split-writes", false},
    {"merge", false},        {"seed", true},        {"drop-ack-rate", true},
    {"forget-on-close", false}, {"version", false},      {"dup-ack-gap", true},
};

bool board_fields(const std::string& text, const char* option, BoardFields& out,
                  std::string& error) {
  auto fields = split_list(text);
  if (fields.size() != 3 || fields[0].empty()) {
    error = std::string("--") + option + " needs \"NAME,HW,SW\" (got \"" + text + "\")";
    return false;
  }
  out = {fields[0], fields[1], fields[2]};
  return true;
}

bool int_option(const Args& args, const char* name, int max, int& out, std::string& error) {
  long long value = 0;
  if (!args.integer(name, 0, max, 0, value, error))
    return false;
  out = static_cast<int>(value);
  return true;
}

bool fault_options(const Args& args, FaultPlan& plan, std::string& error) {
  long long seed = 1;
  if (!int_option(args, "wrong-ack-every", 1000000, plan.wrong_ack_every, error) ||
      !int_option(args, "dup-ack-every", 1000000, plan.dup_ack_every, error) ||
      !int_option(args, "dup-ack-gap", 600000, plan.dup_ack_gap_ms, error) ||
      !int_option(args, "drop-ack-at", 65535, plan.drop_ack_at, error) ||
      !int_option(args, "close-after-block", 65535, plan.close_after_block, error) ||
      !int_option(args, "refuse-for", 600000, plan.refuse_for_ms, error) ||
      !int_option(args, "ack-delay", 600000, plan.ack_delay_ms, error) ||
      !args.integer("seed", 0, 4294967295LL, 1, seed, error) ||
      !args.number("drop-ack-rate", 0.0, 1.0, 0.0, plan.drop_ack_rate, error)) {
    return false;
  }
  plan.seed = static_cast<std::uint32_t>(seed);
  plan.split_writes = args.has("split-writes");
  plan.merge = args.has("merge");
  plan.forget_on_close = args.has("forget-on-close");
  return true;
}

} // namespace

const char* sim_usage() {
  return "usage: vela-bootsim --port P [--host 127.0.0.1] [--udp]\n"
         "                    [--device \"NAME,HW,SW\"] [--card \"NAME,HW,SW\" ...]\n"
         "                    [--out FILE] [--quiet] [fault options]\n"
         "\n"
         "Simulates a device bootloader of the update link. It announces the device and its\n"
         "cards and acknowledges every block frame. Blocks are stored only while cards are\n"
         "selected; a select message starts a new image. The link carries no image length,\n"
         "so the image received is written to FILE when a block shorter than 1024 bytes\n"
         "arrives, and (if anything was stored since) when the connection closes, on\n"
         "\"!GotoApp:\" and on exit: an image of whole 1024-byte blocks is complete in FILE\n"
         "only once the connection has closed. --port 0 picks a free port; the first line on\n"
         "standard output is \"listening on HOST:PORT\". Connections are served one after\n"
         "another until SIGINT or SIGTERM. Fields holding commas are written in double\n"
         "quotes: --card '\"A,B\",1.0,2.0'.\n"
         "\n"
         "fault options (deterministic):\n"
         "  --wrong-ack-every K     every K-th acknowledgement names another block\n"
         "  --dup-ack-every K       every K-th acknowledgement is sent twice\n"
         "  --dup-ack-gap MS        the second copy follows MS after the first (default 0)\n"
         "  --drop-ack-at N         drop the first acknowledgement of block N\n"
         "  --close-after-block N   close the connection once on receiving block N\n"
         "  --refuse-for MS         refuse connections for MS after every close\n"
         "  --ack-delay MS          wait MS before each acknowledgement\n"
         "  --split-writes          send every reply one byte per write\n"
         "  --merge                 send all announcements in one write\n"
         "  --seed S --drop-ack-rate R   drop acknowledgements at random (0 <= R <= 1)\n"
         "  --forget-on-close       restart on every close: the selection and the image\n"
         "                          received so far are lost (written to FILE first)\n"
         "\n"
         "  --version               print the version\n"
         "\n"
         "exit codes: 0 stopped by a signal, 2 usage error, 3 cannot listen\n";
}

ParseOutcome parse_sim_options(int argc, const char* const* argv, SimOptions& out,
                               std::string& error) {
  Args args;
  if (!Args::parse(argc, argv, kSpecs, args, error))
    return ParseOutcome::error;
  if (args.has("help"))
    return ParseOutcome::help;
  if (args.has("version"))
    return ParseOutcome::version;
  if (!args.positionals().empty()) {
    error = "unexpected argument \"" + args.positionals().front() + "\"";
    return ParseOutcome::error;
  }
  if (!args.has("port")) {
    error = "--port is required (0 picks a free port)";
    return ParseOutcome::error;
  }
  long long port = 0;
  if (!args.integer("port", 0, 65535, 0, port, error))
    return ParseOutcome::error;
  out.listen = Endpoint{args.value("host", "127.0.0.1"), static_cast<std::uint16_t>(port)};
  out.udp = args.has("udp");
  out.quiet = args.has("quiet");
  out.out_path = args.value("out");
  if (!board_fields(args.value("device", "Vela-Sim,HW1.0,SW1.0"), "device", out.identity.device,
                    error)) {
    return ParseOutcome::error;
  }
  for (const auto& text : args.values("card")) {
    BoardFields card;
    if (!board_fields(text, "card", card, error))
      return ParseOutcome::error;
    out.identity.cards.push_back(card);
  }
  if (!fault_options(args, out.faults, error))
    return ParseOutcome::error;
  return ParseOutcome::ok;
}

} // namespace vela::tools
