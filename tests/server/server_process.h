#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace vantel {

// The built vantel-server as a child process on a port of its choosing,
// its stderr collected line by line. Killed, if still running, when the
// test lets go of it, so no test leaves a server behind.
class ServerProcess {
 public:
  explicit ServerProcess(std::vector<std::string> args,
                         std::string program = VANTEL_SERVER_PROGRAM) {
    int err[2];
    if (pipe2(err, O_CLOEXEC) != 0) return;
    std::vector<std::string> all = {std::move(program), "--port", "0"};
    all.insert(all.end(), args.begin(), args.end());
    // Made before the fork: the child may only exec.
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
      dup2(err[1], 2);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(err[1]);
    reader_ = std::thread([this, fd = err[0]] { ReadLines(fd); });
    const std::regex listening("listening on \\S+ port ([0-9]+)");
    const std::optional<std::string> line = WaitForLine("listening on", std::chrono::seconds(10));
    std::smatch m;
    if (line && std::regex_search(*line, m, listening)) port_ = std::stoi(m[1].str());
  }

  ~ServerProcess() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (reader_.joinable()) reader_.join();
  }

  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  uint16_t Port() const { return static_cast<uint16_t>(port_); }
  bool Started() const { return port_ > 0; }

  void Signal(int signal) const { kill(pid_, signal); }

  // The exit status, or nothing when it is still running after `timeout`.
  std::optional<int> WaitForExit(std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return std::nullopt;
  }

  // The first line of stderr holding `text`, waiting for it up to `timeout`.
  std::optional<std::string> WaitForLine(const std::string& text,
                                         std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    std::optional<std::string> found;
    changed_.wait_for(lock, timeout, [&] {
      for (const std::string& line : lines_) {
        if (line.find(text) != std::string::npos) {
          found = line;
          return true;
        }
      }
      return closed_;
    });
    return found;
  }

  std::vector<std::string> Lines() {
    std::lock_guard lock(mutex_);
    return lines_;
  }

 private:
  void ReadLines(int fd) {
    std::string pending;
    char buffer[4096];
    while (true) {
      const ssize_t n = read(fd, buffer, sizeof buffer);
      if (n <= 0) break;
      pending.append(buffer, static_cast<std::size_t>(n));
      std::size_t end = 0;
      while ((end = pending.find('\n')) != std::string::npos) {
        std::lock_guard lock(mutex_);
        lines_.push_back(pending.substr(0, end));
        pending.erase(0, end + 1);
        changed_.notify_all();
      }
    }
    close(fd);
    std::lock_guard lock(mutex_);
    closed_ = true;
    changed_.notify_all();
  }

  pid_t pid_ = -1;
  int port_ = 0;
  bool exited_ = false;
  std::thread reader_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> lines_;
  bool closed_ = false;
};

}  // namespace vantel
