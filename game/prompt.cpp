#include "game/prompt.h"

#include "console/console.h"
#include "render/colour_text.h"

namespace {

bool is_accepted(int key, const char* accepted) {
  for (const char* candidate = accepted; *candidate != '\0'; ++candidate) {
    if (key == *candidate) {
      return true;
    }
  }
  return false;
}

}  // namespace

int prompt_for_key(const char* prompt, const char* accepted) {
  for (;;) {
    con_delete_line();
    write_colour_text(prompt);
    const int key = con_read_key_echo();
    if (key == kInputEnded || is_accepted(key, accepted)) {
      return key;
    }
    con_delete_line();
    write_colour_text(RED "Invalid selection, press any key to try again!");
    if (con_read_key() == kInputEnded) {
      return kInputEnded;
    }
  }
}
