#include "runtime/format.h"

namespace {

// The output buffer and how far it has been filled. Once a character does not fit, the output
// has overflowed and nothing more is written.
struct FmtOutput {
  char* dest;
  uint32_t limit;  // characters that fit before the NUL
  uint32_t length;
  bool overflowed;
};

bool put(FmtOutput& out, char character) {
  if (out.length >= out.limit) {
    out.overflowed = true;
    return false;
  }
  out.dest[out.length] = character;
  ++out.length;
  return true;
}

// The argument slots, read in order; slots past the last argument read zero and a null text.
struct FmtArgs {
  const FmtArg* slots;
  uint32_t count;
  uint32_t next;
};

FmtArg take(FmtArgs& args) {
  if (args.next >= args.count) {
    return {0, nullptr};
  }
  return args.slots[args.next++];
}

struct Directive {
  bool left;
  bool zero_pad;
  uint32_t width;  // 0 when none
  bool has_precision;
  uint32_t precision;
  char length;  // 'h', 'l' or 0
};

bool is_digit(char character) {
  return character >= '0' && character <= '9';
}

uint32_t read_count(const char*& format) {
  uint32_t value = 0;
  while (is_digit(*format)) {
    value = value * 10 + static_cast<uint32_t>(*format - '0');
    ++format;
  }
  return value;
}

// A number in an exact width: padded on the left, or cut to its lowest digits.
void put_number(FmtOutput& out, const Directive& directive, uint32_t value, uint32_t base,
                const char* digits) {
  uint32_t digit_count = 1;
  for (uint32_t rest = value / base; rest != 0; rest /= base) {
    ++digit_count;
  }
  if (directive.width != 0 && digit_count > directive.width) {
    digit_count = directive.width;
  }
  const char pad = directive.zero_pad ? '0' : ' ';
  for (uint32_t padding = directive.width; padding > digit_count; --padding) {
    if (!put(out, pad)) {
      return;
    }
  }
  char text[32];
  uint32_t rest = value;
  for (uint32_t place = digit_count; place > 0; --place) {
    text[place - 1] = digits[rest % base];
    rest /= base;
  }
  for (uint32_t index = 0; index < digit_count; ++index) {
    if (!put(out, text[index])) {
      return;
    }
  }
}

// One character of a string argument: a narrow byte, or a 16-bit unit shown as its byte when it
// is printable ASCII.
struct FmtText {
  const char* narrow;
  const char16_t* wide;
};

char text_char(const FmtText& text, uint32_t index) {
  if (text.narrow != nullptr) {
    return text.narrow[index];
  }
  const char16_t unit = text.wide[index];
  if (unit == 0) {
    return '\0';
  }
  return unit >= 0x20 && unit <= 0x7F ? static_cast<char>(unit) : '?';
}

uint32_t text_length(const FmtText& text) {
  uint32_t length = 0;
  while (text_char(text, length) != '\0') {
    ++length;
  }
  return length;
}

// A string whose width both pads and cuts it; the precision caps the characters copied.
void put_string(FmtOutput& out, const Directive& directive, const void* pointer) {
  FmtText text = {"(NULL)", nullptr};
  if (pointer != nullptr) {
    if (directive.length == 'l') {
      text = {nullptr, static_cast<const char16_t*>(pointer)};
    } else {
      text = {static_cast<const char*>(pointer), nullptr};
    }
  }
  const bool has_width = directive.width != 0;
  uint32_t width = directive.width;
  bool has_precision = directive.has_precision;
  uint32_t precision = directive.precision;
  if (has_width && !directive.left) {
    if (!has_precision) {
      has_precision = true;
      precision = text_length(text);
    }
    for (; width > precision; --width) {
      if (!put(out, ' ')) {
        return;
      }
    }
  }
  for (uint32_t index = 0; text_char(text, index) != '\0'; ++index) {
    if ((has_width && width == 0) || (has_precision && precision == 0)) {
      break;
    }
    if (!put(out, text_char(text, index))) {
      return;
    }
    --width;
    --precision;
  }
  if (directive.left && has_width) {
    for (; width > 0; --width) {
      if (!put(out, ' ')) {
        return;
      }
    }
  }
}

void put_error(FmtOutput& out) {
  for (const char* marker = "FMTERR"; *marker != '\0'; ++marker) {
    if (!put(out, *marker)) {
      return;
    }
  }
}

// Reads one directive after its '%' and writes what it gives; format moves past it.
void put_directive(FmtOutput& out, const char*& format, FmtArgs& args) {
  Directive directive = {false, false, 0, false, 0, 0};
  if (*format == '-') {
    directive.left = true;
    ++format;
  }
  if (*format == '0') {
    directive.zero_pad = true;
    ++format;
  }
  if (*format == '*') {
    directive.width = take(args).number;
    ++format;
  } else {
    directive.width = read_count(format);
  }
  if (*format == '.') {
    ++format;
    directive.has_precision = true;
    if (*format == '*') {
      // A negative precision from a slot is the same as none.
      directive.precision = take(args).number;
      directive.has_precision = (directive.precision & 0x80000000u) == 0;
      ++format;
    } else {
      directive.precision = read_count(format);
    }
  }
  if (*format == 'h' || *format == 'l') {
    directive.length = *format;
    ++format;
  }
  const char conversion = *format;
  if (conversion == '\0') {
    put_error(out);
    return;
  }
  ++format;
  switch (conversion) {
    case '%':
      put(out, '%');
      return;
    case 'c':
      put(out, static_cast<char>(take(args).number & 0xFF));
      return;
    case 'd':
    case 'i': {
      const uint32_t value = take(args).number;
      if ((value & 0x80000000u) != 0) {
        if (!put(out, '-')) {
          return;
        }
        put_number(out, directive, 0u - value, 10, "0123456789");
      } else {
        put_number(out, directive, value, 10, "0123456789");
      }
      return;
    }
    case 'u':
      put_number(out, directive, take(args).number, 10, "0123456789");
      return;
    case 'x':
      put_number(out, directive, take(args).number, 16, "0123456789abcdef");
      return;
    case 'X':
      put_number(out, directive, take(args).number, 16, "0123456789ABCDEF");
      return;
    case 's':
      put_string(out, directive, take(args).text);
      return;
    default:
      put_error(out);
      return;
  }
}

}  // namespace

int fmt_vprint(char* dest, uint32_t capacity, const char* format, const FmtArg* args,
               uint32_t arg_count) {
  if (capacity == 0) {
    return -1;
  }
  FmtOutput out = {dest, capacity - 1, 0, false};
  FmtArgs slots = {args, arg_count, 0};
  while (*format != '\0' && !out.overflowed) {
    if (*format == '%') {
      ++format;
      put_directive(out, format, slots);
    } else {
      put(out, *format);
      ++format;
    }
  }
  if (out.overflowed) {
    dest[0] = '\0';
    return -1;
  }
  dest[out.length] = '\0';
  return static_cast<int>(out.length);
}
