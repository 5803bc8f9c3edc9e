#pragma once
// Text inside the program is 8-bit Windows-1252; these convert at the edges.
#include <string>

// UTF-8 to Windows-1252; characters without a Windows-1252 form become '?'.
// Malformed UTF-8 bytes are taken as Windows-1252 bytes as they stand.
std::string Utf8ToCp1252(const std::string& utf8);
// Windows-1252 to UTF-8 (the five unassigned bytes map to U+0081 etc. as C1 controls).
std::string Cp1252ToUtf8(const std::string& cp1252);
// UTF-16 code units (little-endian pairs already combined) to Windows-1252.
std::string Utf16ToCp1252(const std::u16string& utf16);
// One Windows-1252 byte to its Unicode code point.
char32_t Cp1252ToCodePoint(unsigned char c);
