// The browser front end: shows the console model on the page and feeds it the page's keys, or
// the lines of a recording, or a probe's script. Every pause and every blocking read hands
// control back to the browser's event loop (the page resumes the game through asyncify).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless/input_script.h"
#include "platform/headless/script_feed.h"
#include "platform/host/console_frontend.h"
#include "platform/host/console_host.h"

enum class WebMode {
  kPlay,    // the page's keyboard plays, and every key is kept for the recording
  kReplay,  // a recording plays at the game's speed; q stops it
  kProbe,   // a probe's script plays pause by pause, with mazewick-sim's records
};

// What a probe asks for; the final screen is always recorded.
struct ProbeRecords {
  bool frames = false;
  bool waits = false;
  uint64_t max_pauses = 0;  // 0 lets the run go to its end
};

class WebFrontend final : public ConsoleFrontend {
 public:
  void start(ConsoleHost& host, WebMode mode, std::vector<ScriptLine> lines, ProbeRecords records);
  // The screen as the run leaves it, for a probe.
  void finish(ConsoleHost& host);
  // The keys played so far, as the lines of a recording.
  const std::string& recording() const { return recording_; }

  void sleep(ConsoleHost& host, uint32_t milliseconds) override;
  void poll_input(ConsoleHost& host) override;
  bool wait_for_input(ConsoleHost& host) override;

 private:
  // Hands the page the console's window and title when either changed.
  void present(ConsoleHost& host);
  // Takes the keys the page has queued: to the game, or as q stopping a replay. ticking: the
  // game runs a tick or its pause, where the arrows steer.
  void take_keys(ConsoleHost& host, bool ticking);

  WebMode mode_ = WebMode::kPlay;
  std::optional<ScriptFeed> feed_;
  ProbeRecords records_;
  uint64_t pauses_ = 0;
  std::string recording_;
  bool stop_requested_ = false;
  bool stop_pause_sent_ = false;
  bool presented_ = false;
  uint64_t presented_generation_ = 0;
  std::string presented_title_;
  std::vector<uint32_t> shown_;
};
