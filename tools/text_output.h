#pragma once

#include <string>
#include <string_view>

#include <nlohmann/json_fwd.hpp>

namespace velmar::cli {

// The unit's names are bytes in an 8-bit character set; taken as Latin-1, every byte has a
// character, so any image gives valid UTF-8 for JSON.
std::string latin1ToUtf8(std::string_view bytes);

// For text output: printable ASCII as it is, a backslash doubled, any other byte as \xNN, so
// that no control sequence held in a file reaches the terminal.
std::string escapeNonPrintable(std::string_view bytes);

// The document on stdout, indented, with a line feed.
void printJson(const nlohmann::json& document);

}  // namespace velmar::cli
