#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace model {

// Splits semicolon-delimited text with double-quote quoting into fields.
// Blanks and control characters (codes 1 to 32) separate fields as well as
// ";" does; two semicolons in a row enclose an empty field and a trailing
// semicolon adds an empty last field; a quoted field runs to its closing
// quote, a doubled quote standing for one. `fields` is cleared first.
void SplitFields(std::string_view text, std::vector<std::string>& fields);

}  // namespace model
