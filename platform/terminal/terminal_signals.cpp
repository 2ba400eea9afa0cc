// The terminal program's signal handlers and the state they share with the main loop, which
// reaches it only through the functions of terminal_signals.h.
#include "platform/terminal/terminal_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>

namespace {

volatile sig_atomic_t g_stop_requested = 0;
volatile sig_atomic_t g_continued = 0;
volatile sig_atomic_t g_resized = 0;
volatile sig_atomic_t g_terminal_taken = 0;
int g_wake_read = -1;
int g_wake_write = -1;
termios g_shell_modes{};
char g_restore_bytes[1024];
volatile sig_atomic_t g_restore_length = 0;

constexpr int kDeadlySignals[] = {SIGINT,  SIGTERM, SIGHUP, SIGQUIT,
                                  SIGSEGV, SIGABRT, SIGBUS, SIGFPE};
// A signal of these that was ignored when the game started (nohup, a background job of a shell
// without job control) stays ignored.
constexpr int kSignalsKeptIgnored[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP};
constexpr int kHandledSignals[] = {SIGINT, SIGTERM, SIGHUP,  SIGQUIT, SIGSEGV, SIGABRT,
                                   SIGBUS, SIGFPE,  SIGTSTP, SIGCONT, SIGWINCH};
constexpr int kHandledSignalCount = sizeof(kHandledSignals) / sizeof(kHandledSignals[0]);
struct sigaction g_previous_actions[kHandledSignalCount];
bool g_replaced[kHandledSignalCount];

}  // namespace

void write_all(int fd, const char* bytes, size_t length) {
  while (length > 0) {
    const ssize_t written = ::write(fd, bytes, length);
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return;
    }
    bytes += written;
    length -= static_cast<size_t>(written);
  }
}

void write_all(int fd, const std::string& bytes) {
  write_all(fd, bytes.data(), bytes.size());
}

namespace {

void give_back_terminal_from_handler() {
  if (g_terminal_taken != 0) {
    write_all(STDOUT_FILENO, g_restore_bytes, static_cast<size_t>(g_restore_length));
    tcsetattr(STDOUT_FILENO, TCSANOW, &g_shell_modes);
  }
}

// Gives the terminal back, then dies by the same signal so that the shell sees what happened.
void on_deadly_signal(int signal_number) {
  give_back_terminal_from_handler();
  struct sigaction default_action {};
  default_action.sa_handler = SIG_DFL;
  sigemptyset(&default_action.sa_mask);
  sigaction(signal_number, &default_action, nullptr);
  sigset_t only_this;
  sigemptyset(&only_this);
  sigaddset(&only_this, signal_number);
  sigprocmask(SIG_UNBLOCK, &only_this, nullptr);
  raise(signal_number);
}

void wake_main_loop() {
  const int saved_errno = errno;
  const char byte = 0;
  [[maybe_unused]] const ssize_t written = ::write(g_wake_write, &byte, 1);
  errno = saved_errno;
}

void on_stop(int) {
  g_stop_requested = 1;
  wake_main_loop();
}

void on_continue(int) {
  g_continued = 1;
  wake_main_loop();
}

void on_resize(int) {
  g_resized = 1;
  wake_main_loop();
}

bool kept_ignored(int signal_number, const struct sigaction& current) {
  if (current.sa_handler != SIG_IGN) {
    return false;
  }
  return std::find(std::begin(kSignalsKeptIgnored), std::end(kSignalsKeptIgnored), signal_number) !=
         std::end(kSignalsKeptIgnored);
}

void handler_for(int signal_number, struct sigaction& action) {
  action = {};
  switch (signal_number) {
    case SIGTSTP:
      action.sa_handler = on_stop;
      break;
    case SIGCONT:
      action.sa_handler = on_continue;
      break;
    case SIGWINCH:
      action.sa_handler = on_resize;
      break;
    default:
      action.sa_handler = on_deadly_signal;
      break;
  }
  // A handler that gives the terminal back is not interrupted by another one.
  sigemptyset(&action.sa_mask);
  for (const int deadly : kDeadlySignals) {
    sigaddset(&action.sa_mask, deadly);
  }
  action.sa_flags = SA_RESTART;
}

void install_signal_handlers() {
  for (int index = 0; index < kHandledSignalCount; ++index) {
    const int signal_number = kHandledSignals[index];
    sigaction(signal_number, nullptr, &g_previous_actions[index]);
    g_replaced[index] = !kept_ignored(signal_number, g_previous_actions[index]);
    if (g_replaced[index]) {
      struct sigaction action;
      handler_for(signal_number, action);
      sigaction(signal_number, &action, nullptr);
    }
  }
}

// Runs with the handled signals blocked, so that no handler sees the state half changed.
template <typename Change>
void with_signals_blocked(Change change) {
  const sigset_t handled = handled_signal_set();
  sigset_t previous_mask;
  sigprocmask(SIG_BLOCK, &handled, &previous_mask);
  change();
  sigprocmask(SIG_SETMASK, &previous_mask, nullptr);
}

}  // namespace

bool start_signal_handling() {
  int wake[2];
  if (pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) {
    return false;
  }
  g_wake_read = wake[0];
  g_wake_write = wake[1];
  g_stop_requested = 0;
  g_continued = 0;
  g_resized = 0;
  install_signal_handlers();
  return true;
}

void stop_signal_handling() {
  for (int index = 0; index < kHandledSignalCount; ++index) {
    if (g_replaced[index]) {
      sigaction(kHandledSignals[index], &g_previous_actions[index], nullptr);
      g_replaced[index] = false;
    }
  }
  if (g_wake_read >= 0) {
    ::close(g_wake_read);
    ::close(g_wake_write);
  }
  g_wake_read = -1;
  g_wake_write = -1;
}

sigset_t handled_signal_set() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal_number : kHandledSignals) {
    sigaddset(&set, signal_number);
  }
  return set;
}

int signal_wake_fd() {
  return g_wake_read;
}

void drain_signal_wake() {
  char drained[64];
  while (::read(g_wake_read, drained, sizeof drained) > 0) {
  }
}

SignalsNoted take_signals_noted() {
  // Each flag is cleared right after it is read: a handler may set it again at any moment.
  SignalsNoted noted;
  noted.stop = g_stop_requested != 0;
  g_stop_requested = 0;
  noted.continued = g_continued != 0;
  g_continued = 0;
  noted.resized = g_resized != 0;
  g_resized = 0;
  return noted;
}

void set_emergency_restore(const std::string& bytes) {
  with_signals_blocked([&bytes] {
    const size_t length = std::min(bytes.size(), sizeof g_restore_bytes);
    std::memcpy(g_restore_bytes, bytes.data(), length);
    g_restore_length = static_cast<sig_atomic_t>(length);
  });
}

void terminal_taken(const termios& shell_modes) {
  with_signals_blocked([&shell_modes] {
    g_shell_modes = shell_modes;
    g_terminal_taken = 1;
  });
}

void terminal_given_back() {
  g_terminal_taken = 0;
}
