// Running programs the way a build script does, and the scratch files and locale the
// tests need.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#include "support.h"

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <share.h>
#elif defined(__EMSCRIPTEN__)
#include <emscripten.h>
#include <sys/stat.h>
#else
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cctype>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tresk::test {
namespace {

// Sets the variable, or removes it for nullopt (Windows cannot hold an empty value).
void set_environment(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
  _putenv_s(name.c_str(), value ? value->c_str() : "");
#else
  if (value) {
    setenv(name.c_str(), value->c_str(), 1);
  } else {
    unsetenv(name.c_str());
  }
#endif
}

std::vector<std::string> split_words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

#ifdef _WIN32
// Quotes an argument so that the C runtime of the program started reads it back whole.
std::string quote_argument(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (const char c : arg) {
    if (c == '\\') {
      backslashes++;
      continue;
    }
    quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    quoted += c;
    backslashes = 0;
  }
  quoted.append(2 * backslashes, '\\');
  return quoted + "\"";
}

std::string text_of(const std::string& path) {
  std::string text = read_file(path).value_or("");
  // The program's standard streams are text streams, which end lines with "\r\n" here.
  for (auto at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
    text.erase(at, 1);
  }
  return text;
}

// Windows has no file size limit to set; the tests that need one do not run here.
Outcome spawn(std::vector<std::string> words, const Launch& launch) {
  std::vector<std::string> quoted;
  for (const auto& w : words) quoted.push_back(quote_argument(w));
  std::vector<const char*> argv;
  for (const auto& w : quoted) argv.push_back(w.c_str());
  argv.push_back(nullptr);

  std::vector<std::pair<std::string, std::optional<std::string>>> saved;
  for (const auto& [name, value] : launch.env) {
    const char* old = std::getenv(name.c_str());
    saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    set_environment(name, value);
  }
  // The child's standard streams are files, read when it has ended.
  const ScratchDir dir;
  std::fflush(stdout);
  std::fflush(stderr);
  const int saved_out = _dup(1), saved_err = _dup(2);
  for (const auto& [fd, name] : {std::pair{1, "out"}, {2, "err"}}) {
    int file = -1;
    _sopen_s(&file, (dir / name).c_str(), _O_CREAT | _O_TRUNC | _O_WRONLY | _O_BINARY, _SH_DENYNO,
             _S_IREAD | _S_IWRITE);
    _dup2(file, fd);
    _close(file);
  }
  const intptr_t status = _spawnvp(_P_WAIT, words[0].c_str(), argv.data());
  _dup2(saved_out, 1);
  _dup2(saved_err, 2);
  _close(saved_out);
  _close(saved_err);
  for (const auto& [name, value] : saved) set_environment(name, value);
  return {status < 0 ? 127 : static_cast<int>(status), text_of(dir / "out"), text_of(dir / "err")};
}
#elif defined(__EMSCRIPTEN__)
// Under node a program is started through node's child_process, from NUL-separated words and
// environment entries (NAME=VALUE, or NAME to remove it); its standard streams are files.
EM_JS(int, tresk_spawn_sync, (const char* words, int words_size, const char* env, int env_size,
                              const char* out, const char* err), {
  var fs = require('fs');
  function list(at, size) {
    return size > 0 ? Buffer.from(HEAPU8.subarray(at, at + size)).toString('utf8').split(String.fromCharCode(0)) : [];
  }
  var argv = list(words, words_size);
  var environment = Object.assign({}, process.env);
  list(env, env_size).forEach(function(entry) {
    var at = entry.indexOf('=');
    if (at < 0) delete environment[entry];
    else environment[entry.slice(0, at)] = entry.slice(at + 1);
  });
  var stdio = ['ignore', fs.openSync(UTF8ToString(out), 'w'), fs.openSync(UTF8ToString(err), 'w')];
  var child = require('child_process').spawnSync(argv[0], argv.slice(1), {env: environment, stdio: stdio});
  fs.closeSync(stdio[1]);
  fs.closeSync(stdio[2]);
  return child.error ? 127 : child.status !== null ? child.status : 128;
});

// No file size limit can be set here; the tests that need one do not run.
Outcome spawn(std::vector<std::string> words, const Launch& launch) {
  std::string argv, env;
  for (const auto& w : words) argv += w + '\0';
  for (const auto& [name, value] : launch.env) env += name + (value ? "=" + *value : "") + '\0';
  const ScratchDir dir;
  const int status = tresk_spawn_sync(argv.data(), int(argv.size()) - 1, env.data(),
                                      int(env.size()) - 1, (dir / "out").c_str(), (dir / "err").c_str());
  return {status, read_file(dir / "out").value_or(""), read_file(dir / "err").value_or("")};
}
#else
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
    for (const auto& [name, value] : launch.env) set_environment(name, value);
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

#endif

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
  std::string pattern = (std::filesystem::temp_directory_path() / "tresk_test.XXXXXX").string();
#ifdef _WIN32
  std::error_code failed;
  if (_mktemp_s(pattern.data(), pattern.size() + 1) == 0 &&
      std::filesystem::create_directory(pattern, failed)) {
    path_ = pattern;
  }
#else
  if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
#endif
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
#ifdef _WIN32
  struct _stat64 st;
  return _stat64(path.c_str(), &st) == 0;
#else
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
#endif
}

std::string locale_dir() {
  return TRESK_TEST_LOCALES;
}

bool turkish_available() {
  static const bool available = TurkishLocale().active();
  return available;
}

Launch turkish_launch() {
  return Launch{{{"LOCPATH", locale_dir()}, {"LC_ALL", kTurkish}}};
}

TurkishLocale::TurkishLocale() {
  set_environment("LOCPATH", locale_dir());
  // Some C libraries take any name: the locale counts only where it classifies its letters.
  // The letter is read at run time, or the compiler folds the call as in "C".
  volatile int c_cedilla = 0xE7;
  active_ = std::setlocale(LC_ALL, kTurkish) != nullptr && std::toupper(c_cedilla) == 0xC7;
}

TurkishLocale::~TurkishLocale() {
  std::setlocale(LC_ALL, "C");
  set_environment("LOCPATH", std::nullopt);
}

}  // namespace tresk::test
