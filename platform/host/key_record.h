// A key event of the console host's queue as the console API's input record: what the host's
// ReadConsoleInputA gives, and what the probe writes into a real console.
#pragma once

#include <windows.h>

#include "platform/host/console_host.h"

inline INPUT_RECORD key_record(const ConsoleKey& key) {
  INPUT_RECORD record = {};
  record.EventType = KEY_EVENT;
  KEY_EVENT_RECORD& event = record.Event.KeyEvent;
  event.bKeyDown = key.down ? TRUE : FALSE;
  event.wRepeatCount = key.repeat;
  event.wVirtualKeyCode = key.virtual_key;
  event.wVirtualScanCode = key.scan_code;
  event.uChar.AsciiChar = key.has_char ? static_cast<CHAR>(key.ch) : 0;
  event.dwControlKeyState = key.control_keys;
  return record;
}
