// Splitting the process command line into an argument block: an array of one pointer per
// argument, followed directly by the argument texts, each with its own NUL.
//
// Arguments are separated by spaces only. An argument that starts with a double quote ends at the
// next double quote, any other at the next space; there is no escape character, and text right
// after a closing quote starts a new argument.
#pragma once

#include <cstddef>
#include <cstdint>

// Counts the arguments of a command line and returns the size of their block in bytes: one
// pointer and one NUL per argument plus the argument characters (5 x count + characters on
// 32-bit Windows).
size_t cmdline_measure(const char* command_line, uint32_t& arg_count);

// Fills a block of the size cmdline_measure gave for the same command line: arg_count pointers,
// each to its argument's text in the area that follows them.
void cmdline_split(const char* command_line, uint32_t arg_count, char** block);
