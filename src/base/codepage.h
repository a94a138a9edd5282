// The DOS code pages older tables may be written in (437, the original PC
// set, and 850, the Western European one), and the table header's language
// driver byte that names the code page of a table's text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vt::base {

enum class CodePage { Dos437, Dos850, Windows1252 };

// The code page a dBASE language driver byte stands for: the DOS drivers of
// code pages 437 and 850 give those; 0x03, 0x57, 0 (not marked) and every
// driver of another code page give Windows-1252.
CodePage CodePageOfDriver(uint8_t languageDriver);

// Text in `page` as UTF-8. Bytes below 0x80 are ASCII in every code page;
// Windows-1252 text converts as toUtf8 does.
std::string CodePageToUtf8(std::string_view bytes, CodePage page);
// Text in `page` as Windows-1252 bytes, byte for byte; a character that
// Windows-1252 lacks (line drawing, Greek letters) becomes '?'.
std::string CodePageTo1252(std::string_view bytes, CodePage page);

}  // namespace vt::base
