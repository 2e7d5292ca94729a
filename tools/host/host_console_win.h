// Where the simulated host tells the user things: standard output for what a
// script reads, standard error (or, with no console and not headless, a message
// box) for problems.
#pragma once

#include <string>

struct host_console {
  bool headless = false;  // no message boxes: a script runs the host
};

// A problem the user must see: "dsv_host: <text>" on standard error, or in a
// message box when the program has no console and is not running headless.
void report_error(const host_console& console, const std::string& text);

// A line on standard output.
void report_info(const std::string& text);

// `text` as it is on standard output; false when it could not be written whole.
bool write_stdout(const std::string& text);
