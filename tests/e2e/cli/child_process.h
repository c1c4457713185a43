// Starting the tools as child processes for whole-program tests (POSIX).
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace vela::e2e {

struct RunResult {
  int exit_code = -1; // -1 when killed or timed out
  std::string out;
  std::string err;
};

// Runs a program to its end (killed after timeout) and collects its output.
RunResult run_program(const std::vector<std::string>& argv,
                      std::chrono::milliseconds timeout = std::chrono::seconds(60));

// Runs a program with its standard output and error in a file, nobody reading along.
// Returns the exit code, -1 when it was killed at the timeout, or 1000 + the signal that
// ended it.
int run_to_file(const std::vector<std::string>& argv, const std::string& output_path,
                std::chrono::milliseconds timeout);

// A long-running child whose standard output is read line by line; standard error goes to a
// file. The destructor stops it.
class Child {
public:
  Child(const std::vector<std::string>& argv, const std::string& stderr_path);
  ~Child();
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  // The next line of standard output, or "" after timeout / end.
  std::string read_line(std::chrono::milliseconds timeout);
  // SIGTERM and wait; returns the exit code (-1 if it had to be killed).
  int stop();
  pid_t pid() const { return pid_; }

private:
  pid_t pid_ = -1;
  int out_fd_ = -1;
  std::string pending_;
};

} // namespace vela::e2e
