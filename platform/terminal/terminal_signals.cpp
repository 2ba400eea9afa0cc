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

// Every signal whose default would end the program, but SIGPIPE: a reader gone is a write error.
// The real-time signals follow at run time.
constexpr int kFixedDeadlySignals[] = {SIGHUP,    SIGINT,  SIGQUIT, SIGILL,    SIGTRAP, SIGABRT,
                                       SIGBUS,    SIGFPE,  SIGUSR1, SIGSEGV,   SIGUSR2, SIGALRM,
                                       SIGTERM,   SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF, SIGSYS,
#ifdef SIGSTKFLT
                                       SIGSTKFLT,
#endif
#ifdef SIGPWR
                                       SIGPWR,
#endif
                                       SIGIO};
// Faults of the program itself: ignoring them would not keep the game alive.
constexpr int kFaultSignals[] = {SIGILL, SIGTRAP, SIGABRT, SIGBUS, SIGFPE, SIGSEGV, SIGSYS};
constexpr int kJobSignals[] = {SIGTSTP, SIGCONT, SIGWINCH};
constexpr int kMostHandled = 96;
int g_handled[kMostHandled];
int g_handled_count = 0;
struct sigaction g_previous_actions[kMostHandled];
bool g_replaced[kMostHandled];

bool is_deadly(int signal_number) {
  return std::find(std::begin(kJobSignals), std::end(kJobSignals), signal_number) ==
         std::end(kJobSignals);
}

void list_handled_signals() {
  g_handled_count = 0;
  for (const int signal_number : kFixedDeadlySignals) {
    g_handled[g_handled_count++] = signal_number;
  }
  for (int signal_number = SIGRTMIN; signal_number <= SIGRTMAX; ++signal_number) {
    g_handled[g_handled_count++] = signal_number;
  }
  for (const int signal_number : kJobSignals) {
    g_handled[g_handled_count++] = signal_number;
  }
}

}  // namespace

bool write_all(int fd, const char* bytes, size_t length) {
  while (length > 0) {
    const ssize_t written = ::write(fd, bytes, length);
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return false;
    }
    bytes += written;
    length -= static_cast<size_t>(written);
  }
  return true;
}

bool write_all(int fd, const std::string& bytes) {
  return write_all(fd, bytes.data(), bytes.size());
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

// A signal ignored when the game started (nohup, a background job of a shell without job
// control) stays ignored, as it would not have ended the game.
bool kept_ignored(int signal_number, const struct sigaction& current) {
  if (current.sa_handler != SIG_IGN) {
    return false;
  }
  return std::find(std::begin(kFaultSignals), std::end(kFaultSignals), signal_number) ==
         std::end(kFaultSignals);
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
  for (int index = 0; index < g_handled_count; ++index) {
    if (is_deadly(g_handled[index])) {
      sigaddset(&action.sa_mask, g_handled[index]);
    }
  }
  action.sa_flags = SA_RESTART;
}

void install_signal_handlers() {
  list_handled_signals();
  for (int index = 0; index < g_handled_count; ++index) {
    const int signal_number = g_handled[index];
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
  for (int index = 0; index < g_handled_count; ++index) {
    if (g_replaced[index]) {
      sigaction(g_handled[index], &g_previous_actions[index], nullptr);
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
  for (int index = 0; index < g_handled_count; ++index) {
    sigaddset(&set, g_handled[index]);
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
