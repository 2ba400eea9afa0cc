// The xterm control sequences the game uses beyond terminfo: the window title, the title stack
// and the window size. xterm, tmux, screen and most terminal emulators today understand them.
#pragma once

#include <string>

// Whether a terminal of this TERM name understands the xterm title and window controls.
bool speaks_xterm_controls(const char* term);

// Saves and restores the user's title (CSI 22;0t and CSI 23;0t).
inline constexpr char kPushTitle[] = "\033[22;0t";
inline constexpr char kPopTitle[] = "\033[23;0t";

// Sets the window title (OSC 2). The title is code page 437: in a UTF-8 locale its glyphs are
// sent as UTF-8, otherwise ASCII stand-ins; control characters are left out, so that a title
// can never end the sequence early or start another.
std::string title_sequence(const std::string& title, bool utf8);

// Asks the terminal to take a size in rows and columns (CSI 8;rows;cols t).
std::string resize_sequence(int rows, int columns);
