// The signal state that the terminal front end's files share with its signal handlers, and the
// helpers that set the handlers up. Everything a handler touches stays async-signal-safe.
#pragma once

#include <signal.h>
#include <termios.h>

#include <cstddef>
#include <string>

// Signal state. The handlers only set these flags, wake the main loop through the pipe, or, when
// the process is about to die, write the precomputed restore bytes and put the modes back.
extern volatile sig_atomic_t g_stop_requested;
extern volatile sig_atomic_t g_continued;
extern volatile sig_atomic_t g_resized;
extern volatile sig_atomic_t g_terminal_taken;
extern int g_wake_read;
extern int g_wake_write;
extern termios g_shell_modes;

// Writes every byte, going on after an interrupted write. The first is async-signal-safe: the
// emergency restore writes with it.
void write_all(int fd, const char* bytes, size_t length);
void write_all(int fd, const std::string& bytes);

// The front end's handlers in, and the ones found before them back.
void install_signal_handlers();
void restore_signal_handlers();
// The signals the front end handles, blocked while the terminal changes hands.
sigset_t handled_signal_set();
void close_wake_pipe();
