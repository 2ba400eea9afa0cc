// The terminal program's signals. What the handlers touch lives in terminal_signals.cpp alone and
// stays async-signal-safe: the handlers note Ctrl-Z, fg and resizes and wake the main loop
// through a pipe, and when the process is about to die they give the terminal back with the
// bytes and modes they were last handed.
#pragma once

#include <signal.h>
#include <termios.h>

#include <cstddef>
#include <string>

// Writes every byte, going on after an interrupted write; false, with errno set, when a write
// fails. The first is async-signal-safe: the emergency restore writes with it.
bool write_all(int fd, const char* bytes, size_t length);
bool write_all(int fd, const std::string& bytes);

// Makes the wake pipe and installs the handlers, keeping a signal that was ignored when the game
// started (nohup, a background job of a shell without job control) ignored. False, with errno
// set, when no pipe could be made.
bool start_signal_handling();
// Puts back the handlers found before and closes the wake pipe.
void stop_signal_handling();
// The signals handled, blocked while the terminal changes hands.
sigset_t handled_signal_set();

// What the main loop waits on, besides the terminal: readable when a handler has noted something.
int signal_wake_fd();
// Empties the wake pipe once it is readable.
void drain_signal_wake();
// What the handlers noted since the last call, each cleared as it is taken.
struct SignalsNoted {
  bool stop = false;       // Ctrl-Z (SIGTSTP)
  bool continued = false;  // SIGCONT: stopped and continued by someone else
  bool resized = false;    // SIGWINCH
};
SignalsNoted take_signals_noted();

// While the terminal is taken, a deadly signal writes these bytes and puts back these modes before
// the process dies by it.
void set_emergency_restore(const std::string& bytes);
void terminal_taken(const termios& shell_modes);
void terminal_given_back();
