// Turning the bytes of text files (INI files, ".exif" side files) into UTF-8, whatever wrote them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvane::text {

// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);
// Length of the well-formed UTF-8 sequence that starts at the position, or 0 when none does.
size_t Utf8SequenceLength(std::string_view bytes, size_t at);
// The bytes with every byte that is not part of a well-formed sequence replaced by U+FFFD.
std::string RepairUtf8(std::string_view bytes);

// Decodes a whole text file to UTF-8: a byte-order mark selects UTF-8, UTF-16LE or UTF-16BE (the
// mark is dropped); otherwise valid UTF-8 is taken as it is, and anything else is read as CP932,
// the code page of files written on Japanese Windows. Undecodable bytes become U+FFFD.
std::string DecodeTextFile(std::string_view bytes);

// CP932 (Shift_JIS with the Windows extensions) to UTF-8 and back; bytes or characters that have
// no counterpart become U+FFFD or "?".
std::string Cp932ToUtf8(std::string_view bytes);
std::string Utf8ToCp932(std::string_view utf8);

// Appends one byte read as Latin-1 (0x80-0xFF become U+0080-U+00FF) to a UTF-8 string.
void AppendLatin1(std::string& out, unsigned char byte);

// Splits text at "\r\n", "\n" or "\r"; a final line break does not start another line.
std::vector<std::string> SplitLines(std::string_view text);

// Removes leading and trailing spaces, tabs and other control characters (below U+0020).
std::string TrimSpaceAndControls(std::string_view text);

// ASCII-only case folding and comparison (INI sections and keys, file extensions).
std::string AsciiUpper(std::string_view text);
std::string AsciiLower(std::string_view text);
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);

} // namespace quorvane::text
