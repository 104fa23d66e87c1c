// Running programs the way a build script does, and the scratch files and locale the
// tests need.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#include "support.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tresk::test {
namespace {

std::vector<std::string> split_words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// Reads both pipes to their ends at once, so that neither can fill up and stall the child.
void collect(int out_fd, int err_fd, Outcome& outcome) {
  pollfd fds[2] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
  std::string* texts[2] = {&outcome.out, &outcome.err};
  for (int open_pipes = 2; open_pipes > 0;) {
    if (poll(fds, 2, -1) < 0) break;
    for (int i = 0; i < 2; i++) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        texts[i]->append(buffer, static_cast<std::size_t>(n));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        open_pipes--;
      }
    }
  }
}

Outcome spawn(std::vector<std::string> words, const Launch& launch) {
  std::vector<char*> argv;
  for (auto& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);

  // Pipes, not files: ulimit -f 0 would stop the child's diagnostics going to a file.
  int out[2], err[2];
  if (pipe(out) != 0 || pipe(err) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], 1);
    dup2(err[1], 2);
    close(out[0]), close(out[1]), close(err[0]), close(err[1]);
    for (const auto& [name, value] : launch.env) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
    if (launch.file_size_limit >= 0) {
      const auto bytes = static_cast<rlim_t>(launch.file_size_limit);
      const rlimit limit{bytes, bytes};
      setrlimit(RLIMIT_FSIZE, &limit);
      signal(SIGXFSZ, SIG_IGN);
    }
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(out[1]);
  close(err[1]);
  Outcome outcome;
  collect(out[0], err[0], outcome);
  int status = 0;
  waitpid(pid, &status, 0);
  outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return outcome;
}

}  // namespace

Outcome run_program(const std::string& program, const std::vector<std::string>& args,
                    const Launch& launch) {
  std::vector<std::string> words = split_words(TRESK_TEST_EMULATOR);
  words.push_back(program);
  words.insert(words.end(), args.begin(), args.end());
  return spawn(std::move(words), launch);
}

Outcome run_host(const std::vector<std::string>& command) {
  return spawn(command, {});
}

Outcome run_charsmith(const std::vector<std::string>& args, const Launch& launch) {
  return run_program(TRESK_CHARSMITH, args, launch);
}

ScratchDir::ScratchDir() {
  std::string pattern = std::filesystem::temp_directory_path() / "tresk_test.XXXXXX";
  if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

std::optional<std::string> read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void write_file(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

bool exists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

std::string locale_dir() {
  return TRESK_TEST_LOCALES;
}

bool turkish_available() {
  return exists(locale_dir() + "/" + kTurkish + "/LC_CTYPE");
}

Launch turkish_launch() {
  return Launch{{{"LOCPATH", locale_dir()}, {"LC_ALL", kTurkish}}};
}

TurkishLocale::TurkishLocale() {
  setenv("LOCPATH", locale_dir().c_str(), 1);
  active_ = std::setlocale(LC_ALL, kTurkish) != nullptr;
}

TurkishLocale::~TurkishLocale() {
  std::setlocale(LC_ALL, "C");
  unsetenv("LOCPATH");
}

}  // namespace tresk::test
