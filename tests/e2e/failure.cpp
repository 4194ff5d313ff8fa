// Screenshots and readings left by a failed step; the PNG writer is the
// minimum the format asks for: IHDR, one IDAT of stored blocks, IEND.
#include "failure.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace e2e
{

namespace
{

std::uint32_t crc32(const std::vector<unsigned char> &bytes, size_t from)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xedb88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xffffffffu;
    for (size_t i = from; i < bytes.size(); ++i)
        c = table[(c ^ bytes[i]) & 0xff] ^ (c >> 8);
    return c ^ 0xffffffffu;
}

void put32(std::vector<unsigned char> &out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(v >> shift));
}

// A chunk: length, type, data, and the CRC of type and data.
void chunk(std::vector<unsigned char> &out, const char *type,
           const std::vector<unsigned char> &data)
{
    put32(out, std::uint32_t(data.size()));
    const size_t from = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put32(out, crc32(out, from));
}

} // namespace

std::string failureDir()
{
    const char *dir = std::getenv("E2E_FAILURE_DIR");
    return dir ? dir : "";
}

bool savePng(const Pixels &p, const std::string &path)
{
    std::vector<unsigned char> header;
    put32(header, std::uint32_t(p.width()));
    put32(header, std::uint32_t(p.height()));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB, no interlace

    // Each row: filter type 0, then its pixels.
    std::vector<unsigned char> raw;
    for (int y = 0; y < p.height(); ++y) {
        raw.push_back(0);
        for (int x = 0; x < p.width(); ++x) {
            const Rgb c = p.at(x, y);
            raw.insert(raw.end(), {static_cast<unsigned char>(c.r), static_cast<unsigned char>(c.g),
                                   static_cast<unsigned char>(c.b)});
        }
    }
    // zlib: header, stored blocks of at most 65535 bytes, Adler-32.
    std::vector<unsigned char> z{0x78, 0x01};
    for (size_t at = 0; at < raw.size() || at == 0; at += 65535) {
        const size_t n = std::min<size_t>(65535, raw.size() - at);
        z.push_back(at + n >= raw.size() ? 1 : 0);
        z.insert(z.end(), {static_cast<unsigned char>(n), static_cast<unsigned char>(n >> 8),
                           static_cast<unsigned char>(~n), static_cast<unsigned char>(~n >> 8)});
        z.insert(z.end(), raw.begin() + long(at), raw.begin() + long(at + n));
        if (raw.empty())
            break;
    }
    std::uint32_t a = 1, b = 0;
    for (unsigned char byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    put32(z, (b << 16) | a);

    std::vector<unsigned char> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", z);
    chunk(png, "IEND", {});
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(png.data()), long(png.size()));
    return bool(out);
}

std::string leaveFailure(const Pixels &display, const std::string &why, const std::string &reading)
{
    const std::string dir = failureDir();
    std::error_code error;
    if (dir.empty() || (std::filesystem::create_directories(dir, error), error))
        return "";
    std::string suffix;
    for (int n = 2; std::filesystem::exists(dir + "/screen" + suffix + ".png"); ++n)
        suffix = std::string("-").append(std::to_string(n));
    std::ofstream text(dir + "/reading" + suffix + ".txt");
    text << why << "\n" << reading;
    if (!text || !savePng(display, dir + "/screen" + suffix + ".png"))
        return "";
    return dir;
}

} // namespace e2e
