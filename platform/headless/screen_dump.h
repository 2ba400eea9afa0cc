// The screen of a console host as one line of compact JSON:
// {"pause":N,"width":W,"height":H,"rows":[...],"fg":[...],"bg":[...],
//  "cursor":[x,y,visible,size],"title":"..."}
// rows hold the glyphs of the code-page-437 bytes as UTF-8; fg and bg one hex digit per cell.
#pragma once

#include <cstdint>
#include <string>

#include "platform/host/console_host.h"

// The dump without a line end.
std::string screen_dump_json(const ConsoleHost& host, uint64_t pauses);
