// Conversion between the Windows-1252 bytes stored in the tables and the
// UTF-8 text the program works in, and the trimming every reader of a
// blank-padded field does.
#pragma once

#include <string>
#include <string_view>

namespace vt::base {

// Every byte maps to one character; the five bytes Windows-1252 leaves
// undefined (0x81 0x8D 0x8F 0x90 0x9D) map to the control characters of the
// same number, so any byte string survives a round trip.
std::string toUtf8(std::string_view bytes1252);
// Characters without a Windows-1252 byte, and malformed UTF-8 sequences,
// become '?'.
std::string fromUtf8(std::string_view utf8);

// Upper case as the index keys have it: a-z, à-þ except ÷, and š œ ž ÿ
// become their capitals; every other byte stays, ß and µ among them, so a
// text upper-cased here is compared with the keys byte for byte.
std::string upper1252(std::string_view bytes1252);

// Removes blanks and control characters (bytes up to 0x20) at the end, or
// at both ends. Safe on UTF-8, whose multi-byte sequences never hold such
// bytes.
std::string trimRight(std::string_view text);
std::string trimLeft(std::string_view text);
std::string trim(std::string_view text);

// `text` with every tab, carriage return and line feed made a blank, for
// files in which those characters separate fields and records.
std::string blankSeparators(std::string_view text);

}  // namespace vt::base
