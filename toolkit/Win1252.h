#pragma once
// Windows-1252 <-> UTF-8. Files of the program (projects, hydrograph text
// files, the IDF database) are Windows-1252 on disk; everything in memory is UTF-8.
#include <string>
#include <string_view>

namespace toolkit {

// Every byte maps to a code point; the five undefined bytes (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) pass through as the C1 control of the same value.
std::string Win1252ParaUtf8(std::string_view texto);

// Characters without a Windows-1252 byte become '?'; malformed UTF-8 bytes too.
std::string Utf8ParaWin1252(std::string_view texto);

}  // namespace toolkit
