// Putting a message's arguments into its text, shared by the problem and notice catalogues.
#pragma once

#include <QString>

#include <string>
#include <vector>

namespace quorvane {

// The UTF-8 pattern with "%1".."%9" replaced by the arguments, in one pass, so that an argument
// holding "%2" stays as it is. A missing argument reads as empty text.
QString PutArguments(const char* pattern, const std::vector<std::string>& args);

} // namespace quorvane
