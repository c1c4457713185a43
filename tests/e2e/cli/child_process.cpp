#include "tests/e2e/cli/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>

namespace vela::e2e {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<char*> c_args(const std::vector<std::string>& argv) {
  std::vector<char*> out;
  for (const auto& a : argv)
    out.push_back(const_cast<char*>(a.c_str()));
  out.push_back(nullptr);
  return out;
}

// Waits for the child, killing it at the deadline: its wait status, or nothing when it
// had to be killed. The wait blocks (a watchdog thread keeps the deadline): a waiter that
// polled would wake every few milliseconds beside the programs it times.
std::optional<int> wait_status(pid_t pid, Clock::time_point deadline) {
  std::mutex mutex;
  std::condition_variable ended;
  bool done = false;
  bool killed = false;
  std::thread watchdog([&] {
    std::unique_lock lock(mutex);
    if (!ended.wait_until(lock, deadline, [&] { return done; })) {
      kill(pid, SIGKILL);
      killed = true;
    }
  });
  int status = 0;
  pid_t r = -1;
  do {
    r = waitpid(pid, &status, 0);
  } while (r < 0 && errno == EINTR);
  {
    std::lock_guard lock(mutex);
    done = true;
  }
  ended.notify_one();
  watchdog.join();
  if (r != pid || killed)
    return std::nullopt;
  return status;
}

// The exit code, or -1 when it was killed or ended by a signal.
int wait_until(pid_t pid, Clock::time_point deadline) {
  std::optional<int> status = wait_status(pid, deadline);
  return status && WIFEXITED(*status) ? WEXITSTATUS(*status) : -1;
}

} // namespace

RunResult run_program(const std::vector<std::string>& argv, std::chrono::milliseconds timeout) {
  int out_pipe[2], err_pipe[2];
  if (pipe(out_pipe) != 0 || pipe(err_pipe) != 0)
    throw std::runtime_error("pipe failed");
  pid_t pid = fork();
  if (pid == 0) {
    dup2(out_pipe[1], 1);
    dup2(err_pipe[1], 2);
    close(out_pipe[0]);
    close(err_pipe[0]);
    auto args = c_args(argv);
    execv(args[0], args.data());
    _exit(127);
  }
  close(out_pipe[1]);
  close(err_pipe[1]);
  RunResult result;
  auto deadline = Clock::now() + timeout;
  pollfd fds[2] = {{out_pipe[0], POLLIN, 0}, {err_pipe[0], POLLIN, 0}};
  int open_fds = 2;
  while (open_fds > 0 && Clock::now() < deadline) {
    if (poll(fds, 2, 50) <= 0)
      continue;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP)))
        continue;
      char buffer[65536];
      ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n <= 0) {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open_fds;
      } else {
        (i == 0 ? result.out : result.err).append(buffer, static_cast<std::size_t>(n));
      }
    }
  }
  result.exit_code = wait_until(pid, deadline);
  for (auto& f : fds) {
    if (f.fd >= 0)
      close(f.fd);
  }
  return result;
}

int run_to_file(const std::vector<std::string>& argv, const std::string& output_path,
                std::chrono::milliseconds timeout) {
  pid_t pid = fork();
  if (pid == 0) {
    int out = open(output_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out >= 0) {
      dup2(out, 1);
      dup2(out, 2);
    }
    auto args = c_args(argv);
    execv(args[0], args.data());
    _exit(127);
  }
  std::optional<int> status = wait_status(pid, Clock::now() + timeout);
  if (!status)
    return -1;
  return WIFEXITED(*status) ? WEXITSTATUS(*status) : 1000 + WTERMSIG(*status);
}

Child::Child(const std::vector<std::string>& argv, const std::string& stderr_path) {
  int out_pipe[2];
  if (pipe(out_pipe) != 0)
    throw std::runtime_error("pipe failed");
  pid_ = fork();
  if (pid_ == 0) {
    int err = open(stderr_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (err >= 0)
      dup2(err, 2);
    dup2(out_pipe[1], 1);
    close(out_pipe[0]);
    auto args = c_args(argv);
    execv(args[0], args.data());
    _exit(127);
  }
  close(out_pipe[1]);
  out_fd_ = out_pipe[0];
}

Child::~Child() {
  stop();
  if (out_fd_ >= 0)
    close(out_fd_);
}

std::string Child::read_line(std::chrono::milliseconds timeout) {
  auto deadline = Clock::now() + timeout;
  for (;;) {
    if (auto nl = pending_.find('\n'); nl != std::string::npos) {
      std::string line = pending_.substr(0, nl);
      pending_.erase(0, nl + 1);
      return line;
    }
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0)
      return "";
    pollfd fd{out_fd_, POLLIN, 0};
    if (poll(&fd, 1, static_cast<int>(left.count())) <= 0)
      continue;
    char buffer[4096];
    ssize_t n = read(out_fd_, buffer, sizeof buffer);
    if (n <= 0)
      return "";
    pending_.append(buffer, static_cast<std::size_t>(n));
  }
}

int Child::stop() {
  if (pid_ <= 0)
    return -1;
  kill(pid_, SIGTERM);
  int code = wait_until(pid_, Clock::now() + std::chrono::seconds(10));
  pid_ = -1;
  return code;
}

} // namespace vela::e2e
