#include "engine/Archive.h"

#include <cstring>

#include "engine/Cp1252.h"

namespace {

template <class T>
void PutLE(CArchive& ar, T v, std::size_t width)
{
    std::uint8_t bytes[8];
    std::uint64_t u = static_cast<std::uint64_t>(v);
    for (std::size_t i = 0; i < width; ++i)
        bytes[i] = static_cast<std::uint8_t>((u >> (8 * i)) & 0xFF);
    ar.Write(bytes, width);
}

} // namespace

CArchive::CArchive() : m_storing(true) {}

CArchive::CArchive(std::vector<std::uint8_t> data) : m_storing(false), m_buffer(std::move(data)) {}

std::vector<std::uint8_t> CArchive::TakeBuffer()
{
    std::vector<std::uint8_t> out;
    out.swap(m_buffer);
    m_pos = 0;
    return out;
}

std::size_t CArchive::Remaining() const
{
    if (m_storing)
        return 0;
    return m_pos < m_buffer.size() ? m_buffer.size() - m_pos : 0;
}

void CArchive::Need(std::size_t n) const
{
    if (m_storing)
        throw CArchiveException(CArchiveException::writeOnly, "archive is storing");
    if (n > Remaining())
        throw CArchiveException(CArchiveException::endOfFile, "unexpected end of archive");
}

void CArchive::Write(const void* data, std::size_t n)
{
    if (!m_storing)
        throw CArchiveException(CArchiveException::readOnly, "archive is loading");
    if (n == 0)
        return;
    const auto* p = static_cast<const std::uint8_t*>(data);
    m_buffer.insert(m_buffer.end(), p, p + n);
}

std::size_t CArchive::Read(void* data, std::size_t n)
{
    if (m_storing)
        throw CArchiveException(CArchiveException::writeOnly, "archive is storing");
    const std::size_t got = n < Remaining() ? n : Remaining();
    if (got > 0) {
        std::memcpy(data, m_buffer.data() + m_pos, got);
        m_pos += got;
    }
    return got;
}

namespace {

std::uint64_t GetLE(const std::uint8_t* p, std::size_t width)
{
    std::uint64_t u = 0;
    for (std::size_t i = 0; i < width; ++i)
        u |= static_cast<std::uint64_t>(p[i]) << (8 * i);
    return u;
}

} // namespace

CArchive& CArchive::operator<<(std::uint8_t v) { Write(&v, 1); return *this; }
CArchive& CArchive::operator<<(std::int8_t v) { PutLE(*this, static_cast<std::uint8_t>(v), 1); return *this; }
CArchive& CArchive::operator<<(std::uint16_t v) { PutLE(*this, v, 2); return *this; }
CArchive& CArchive::operator<<(std::int16_t v) { PutLE(*this, static_cast<std::uint16_t>(v), 2); return *this; }
CArchive& CArchive::operator<<(std::uint32_t v) { PutLE(*this, v, 4); return *this; }
CArchive& CArchive::operator<<(std::int32_t v) { PutLE(*this, static_cast<std::uint32_t>(v), 4); return *this; }
CArchive& CArchive::operator<<(std::uint64_t v) { PutLE(*this, v, 8); return *this; }

CArchive& CArchive::operator<<(double v)
{
    std::uint64_t u;
    std::memcpy(&u, &v, sizeof u);
    PutLE(*this, u, 8);
    return *this;
}

#define MOLVEX_READ_LE(Type, Width)                                                    \
    CArchive& CArchive::operator>>(Type& v)                                            \
    {                                                                                  \
        Need(Width);                                                                   \
        v = static_cast<Type>(GetLE(m_buffer.data() + m_pos, Width));                  \
        m_pos += Width;                                                                \
        return *this;                                                                  \
    }

MOLVEX_READ_LE(std::uint8_t, 1)
MOLVEX_READ_LE(std::int8_t, 1)
MOLVEX_READ_LE(std::uint16_t, 2)
MOLVEX_READ_LE(std::int16_t, 2)
MOLVEX_READ_LE(std::uint32_t, 4)
MOLVEX_READ_LE(std::int32_t, 4)
MOLVEX_READ_LE(std::uint64_t, 8)
#undef MOLVEX_READ_LE

CArchive& CArchive::operator>>(double& v)
{
    std::uint64_t u = 0;
    *this >> u;
    std::memcpy(&v, &u, sizeof v);
    return *this;
}

CArchive& CArchive::operator<<(const std::string& s)
{
    const std::uint64_t n = s.size();
    if (n < 0xFF) {
        *this << static_cast<std::uint8_t>(n);
    } else if (n < 0xFFFE) {
        *this << static_cast<std::uint8_t>(0xFF) << static_cast<std::uint16_t>(n);
    } else if (n < 0xFFFFFFFFull) {
        *this << static_cast<std::uint8_t>(0xFF) << static_cast<std::uint16_t>(0xFFFF)
              << static_cast<std::uint32_t>(n);
    } else {
        *this << static_cast<std::uint8_t>(0xFF) << static_cast<std::uint16_t>(0xFFFF)
              << static_cast<std::uint32_t>(0xFFFFFFFFu) << n;
    }
    Write(s.data(), s.size());
    return *this;
}

std::uint64_t CArchive::ReadCount(bool allowUnicodeMarker, bool& unicode)
{
    std::uint8_t b = 0;
    *this >> b;
    if (b < 0xFF)
        return b;
    std::uint16_t w = 0;
    *this >> w;
    if (w == 0xFFFE && allowUnicodeMarker) {
        unicode = true;
        return ReadCount(false, unicode);
    }
    if (w < 0xFFFF)
        return w;
    std::uint32_t d = 0;
    *this >> d;
    if (d < 0xFFFFFFFFu)
        return d;
    std::uint64_t q = 0;
    *this >> q;
    if (q > 0x7FFFFFFFull)
        throw CArchiveException(CArchiveException::badFormat, "string length out of range");
    return q;
}

CArchive& CArchive::operator>>(std::string& s)
{
    bool unicode = false;
    const std::uint64_t count = ReadCount(true, unicode);
    // The declared length is checked against the data before anything is allocated,
    // so a damaged prefix cannot ask for gigabytes.
    const std::uint64_t bytes = unicode ? count * 2 : count;
    if (bytes > Remaining())
        throw CArchiveException(CArchiveException::endOfFile, "unexpected end of archive");
    const auto n = static_cast<std::size_t>(count);
    if (unicode) {
        std::u16string wide(n, u'\0');
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint8_t* p = m_buffer.data() + m_pos + 2 * i;
            wide[i] = static_cast<char16_t>(p[0] | (p[1] << 8));
        }
        m_pos += 2 * n;
        s = Utf16ToCp1252(wide);
    } else {
        s.assign(reinterpret_cast<const char*>(m_buffer.data() + m_pos), n);
        m_pos += n;
    }
    return *this;
}

std::string CArchive::ReadString()
{
    std::string s;
    *this >> s;
    return s;
}
