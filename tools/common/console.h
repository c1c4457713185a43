// Terminal detection and the stop request of a long-running tool (Ctrl+C, SIGTERM).
#pragma once

#include <cstdio>

namespace vela::tools {

bool is_terminal(std::FILE* stream);
// Columns of the terminal behind stream, 80 when unknown.
int terminal_width(std::FILE* stream);

// Lets a Windows console show the tools' UTF-8 texts (full-width punctuation); nothing
// elsewhere.
void prepare_console();

// After this, SIGINT and SIGTERM only set a flag that stop_requested() reports.
void install_stop_handlers();
bool stop_requested();
// For tests and for tools that end on their own.
void request_stop();

} // namespace vela::tools
