// Runs a check in a child process without root's privileges, so that
// permission failures happen even when the tests run as root.
#pragma once

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <corvane/Error.h>

#include <functional>
#include <string>

namespace corvane::test {

// "number: description" of the Error action raises, or "no error".
inline std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& error) {
    return std::to_string(error.Number()) + ": " + error.Description();
  } catch (const std::exception& other) {
    return std::string("foreign exception: ") + other.what();
  }
  return "no error";
}

// What check returns when run as the user nobody (or as the current user
// when that is not root). Files it needs must be reachable by others.
inline std::string RunUnprivileged(const std::function<std::string()>& check) {
  int channel[2];
  if (::pipe(channel) != 0) return "pipe failed";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    std::string result;
    constexpr uid_t kNobody = 65534;
    if (::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
      result = "could not drop privileges";
    } else {
      result = check();
    }
    (void)!::write(channel[1], result.data(), result.size());
    ::_exit(0);
  }
  ::close(channel[1]);
  std::string result;
  char buffer[4096];
  for (ssize_t count; (count = ::read(channel[0], buffer, sizeof buffer)) > 0;) {
    result.append(buffer, static_cast<std::size_t>(count));
  }
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return result;
}

}  // namespace corvane::test
