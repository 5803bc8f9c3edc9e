#pragma once
// The framework archive: a little-endian byte stream over a buffer, for storing or for
// loading, with the framework's counted-string form.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

class CArchiveException : public std::runtime_error {
public:
    enum Cause { none, genericException, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema, badFormat };
    CArchiveException(Cause cause, const std::string& what) : std::runtime_error(what), m_cause(cause) {}
    Cause cause() const { return m_cause; }

private:
    Cause m_cause;
};

class CArchive {
public:
    // Storing: bytes are appended to an internal buffer.
    CArchive();
    // Loading from the given bytes.
    explicit CArchive(std::vector<std::uint8_t> data);

    bool IsStoring() const { return m_storing; }
    bool IsLoading() const { return !m_storing; }

    const std::vector<std::uint8_t>& Buffer() const { return m_buffer; }
    std::vector<std::uint8_t> TakeBuffer();
    std::size_t Position() const { return m_pos; }
    std::size_t Remaining() const;

    // Raw bytes. Write appends; Read copies up to n bytes and returns how many it got
    // (fewer at the end of the data, no error), like the framework's Read.
    void Write(const void* data, std::size_t n);
    std::size_t Read(void* data, std::size_t n);

    // Fixed-width values; reading past the end throws CArchiveException(endOfFile).
    CArchive& operator<<(std::uint8_t v);
    CArchive& operator<<(std::int8_t v);
    CArchive& operator<<(std::uint16_t v);
    CArchive& operator<<(std::int16_t v);
    CArchive& operator<<(std::uint32_t v);
    CArchive& operator<<(std::int32_t v);
    CArchive& operator<<(std::uint64_t v);
    CArchive& operator<<(double v);
    CArchive& operator>>(std::uint8_t& v);
    CArchive& operator>>(std::int8_t& v);
    CArchive& operator>>(std::uint16_t& v);
    CArchive& operator>>(std::int16_t& v);
    CArchive& operator>>(std::uint32_t& v);
    CArchive& operator>>(std::int32_t& v);
    CArchive& operator>>(std::uint64_t& v);
    CArchive& operator>>(double& v);

    // Counted strings of 8-bit (Windows-1252) characters. Reading accepts the 16-bit
    // character form and converts it; a length beyond the remaining data fails with
    // endOfFile before anything is allocated; a 64-bit length above 0x7FFFFFFF is
    // badFormat.
    CArchive& operator<<(const std::string& s);
    CArchive& operator>>(std::string& s);
    void WriteString(const std::string& s) { *this << s; }
    std::string ReadString();

private:
    void Need(std::size_t n) const;
    std::uint64_t ReadCount(bool allowUnicodeMarker, bool& unicode);

    bool m_storing;
    std::vector<std::uint8_t> m_buffer;
    std::size_t m_pos = 0;
};
