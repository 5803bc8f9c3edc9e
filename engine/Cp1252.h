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
// UTF-8 fit for XML 1.0 text: every character XML cannot carry (controls other than tab,
// line feed and carriage return, U+FFFE, U+FFFF) and every malformed byte is left out,
// as the portable SVG writer does. Markup characters are left alone.
std::string XmlSafeUtf8(const std::string& utf8);
// The ASCII digits 0-9 (and no other byte, whatever the locale).
constexpr bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
// One Windows-1252 byte to its Unicode code point.
char32_t Cp1252ToCodePoint(unsigned char c);
// One byte of the Symbol face's encoding to Unicode (Greek letters for the Latin
// keyboard order, arrows, relations); unassigned bytes as Windows-1252.
char32_t SymbolToCodePoint(unsigned char c);

// Letter case in Windows-1252: A-Z, \xC0-\xDE except \xD7 (the multiplication sign) and
// the four letters \x8A \x8C \x8E \x9F are upper case; their partners a-z, \xE0-\xFE
// except \xF7, \x9A \x9C \x9E \xFF are lower case. Other bytes have no case and are
// returned unchanged by the conversions.
bool Cp1252IsUpper(unsigned char c);
bool Cp1252IsLower(unsigned char c);
unsigned char Cp1252ToUpper(unsigned char c);
unsigned char Cp1252ToLower(unsigned char c);
