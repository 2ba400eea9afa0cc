#include "runtime/cmdline.h"

namespace {

// Where the next argument of a command line lies: its first character and the one that ends it.
struct ArgSpan {
  const char* start;
  const char* end;  // the closing quote or space, or the NUL
};

// Finds the argument at or after text; false when only spaces are left.
bool next_arg(const char* text, ArgSpan& span) {
  while (*text == ' ') {
    ++text;
  }
  if (*text == '\0') {
    return false;
  }
  char terminator = ' ';
  if (*text == '"') {
    terminator = '"';
    ++text;
  }
  span.start = text;
  while (*text != '\0' && *text != terminator) {
    ++text;
  }
  span.end = text;
  return true;
}

// Where the search for the argument after span goes on: past its closing quote or space.
const char* after(const ArgSpan& span) {
  return *span.end == '\0' ? span.end : span.end + 1;
}

}  // namespace

size_t cmdline_measure(const char* command_line, uint32_t& arg_count) {
  arg_count = 0;
  size_t characters = 0;
  ArgSpan span;
  for (const char* text = command_line; next_arg(text, span); text = after(span)) {
    ++arg_count;
    characters += static_cast<size_t>(span.end - span.start);
  }
  return arg_count * (sizeof(char*) + 1) + characters;
}

void cmdline_split(const char* command_line, uint32_t arg_count, char** block) {
  char* texts = reinterpret_cast<char*>(block + arg_count);
  ArgSpan span;
  const char* text = command_line;
  for (uint32_t index = 0; index < arg_count && next_arg(text, span); ++index) {
    block[index] = texts;
    for (const char* from = span.start; from != span.end; ++from) {
      *texts++ = *from;
    }
    *texts++ = '\0';
    text = after(span);
  }
}
