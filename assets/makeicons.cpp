// makeicons: the build-time tool that turns the text pixel art in assets/ into the game's
// 16-colour ICO files and their PNG and XPM renderings. The art files stay the only hand-edited
// source; everything this tool writes lands in the build folder.
//
// Usage:
//   makeicons ico OUT.ico ART...      one icon group with one 4-bit image per art file, in order
//   makeicons png OUT.png ART [SIZE]  the art as a PNG with alpha, nearest-neighbour scaled to SIZE
//   makeicons xpm OUT.xpm ART         the art as an XPM with a transparent colour

#include <QImage>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

struct PaletteEntry {
    const char *name;
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// The standard 16-colour palette in its customary order, so that a 4-bit image looks the same
// in any reader, including ones that ignore the palette stored in the file.
constexpr std::array<PaletteEntry, 16> palette{{
    {"black", 0x00, 0x00, 0x00},
    {"maroon", 0x80, 0x00, 0x00},
    {"green", 0x00, 0x80, 0x00},
    {"olive", 0x80, 0x80, 0x00},
    {"navy", 0x00, 0x00, 0x80},
    {"purple", 0x80, 0x00, 0x80},
    {"teal", 0x00, 0x80, 0x80},
    {"silver", 0xc0, 0xc0, 0xc0},
    {"gray", 0x80, 0x80, 0x80},
    {"red", 0xff, 0x00, 0x00},
    {"lime", 0x00, 0xff, 0x00},
    {"yellow", 0xff, 0xff, 0x00},
    {"blue", 0x00, 0x00, 0xff},
    {"fuchsia", 0xff, 0x00, 0xff},
    {"aqua", 0x00, 0xff, 0xff},
    {"white", 0xff, 0xff, 0xff},
}};

constexpr int transparent = -1;
constexpr int largestSide = 256; // an ICO directory entry stores the side in one byte

class Error : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

struct Art {
    int size = 0;
    std::vector<int> pixels; // rows top to bottom; a palette index or `transparent`

    int at(int x, int y) const { return pixels[static_cast<std::size_t>(y * size + x)]; }
};

int paletteIndex(const std::string &text)
{
    std::size_t used = 0;
    int index = -1;
    try {
        index = std::stoi(text, &used);
    } catch (const std::exception &) {
        return -1;
    }
    if (used != text.size() || index < 0 || index >= static_cast<int>(palette.size()))
        return -1;
    return index;
}

// Reads the art format: '#' comment lines, "legend C INDEX NAME" lines, then "art" followed by
// one line per pixel row. The colour name must match the index, so a typo cannot silently
// repaint the face.
Art readArt(const std::string &path)
{
    std::ifstream in(path);
    if (!in)
        throw Error(path + ": cannot open");

    std::map<char, int> legend{{'.', transparent}};
    std::vector<std::string> rows;
    bool inArt = false;
    int lineNo = 0;
    const auto fail = [&](const std::string &what) {
        throw Error(path + ":" + std::to_string(lineNo) + ": " + what);
    };

    std::string line;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        if (inArt) {
            for (const char c : line) {
                if (!legend.contains(c))
                    fail(std::string("character '") + c + "' is not in the legend");
            }
            if (!rows.empty() && line.size() != rows.front().size())
                fail("row is " + std::to_string(line.size()) + " pixels wide, the first row " +
                     std::to_string(rows.front().size()));
            rows.push_back(line);
            continue;
        }
        if (line.front() == '#')
            continue;

        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        if (keyword == "art") {
            inArt = true;
            continue;
        }
        if (keyword != "legend")
            fail("expected 'legend', 'art' or a '#' comment");
        std::string symbol;
        std::string indexText;
        std::string name;
        std::string extra;
        words >> symbol >> indexText >> name;
        if (name.empty() || (words >> extra))
            fail("expected 'legend CHARACTER INDEX NAME'");
        if (symbol.size() != 1 || symbol == "." || symbol == "#")
            fail("legend symbol must be one character other than '.' and '#'");
        const int index = paletteIndex(indexText);
        if (index < 0)
            fail("palette index must be 0 to 15");
        if (name != palette[static_cast<std::size_t>(index)].name)
            fail("palette index " + indexText + " is " +
                 palette[static_cast<std::size_t>(index)].name + ", not " + name);
        if (!legend.emplace(symbol.front(), index).second)
            fail(std::string("symbol '") + symbol + "' is defined twice");
    }

    if (!inArt || rows.empty())
        throw Error(path + ": no pixel rows after 'art'");
    const std::size_t side = rows.size();
    if (rows.front().size() != side)
        throw Error(path + ": art is " + std::to_string(rows.front().size()) + " x " +
                    std::to_string(side) + ", icons must be square");
    if (side > largestSide)
        throw Error(path + ": art is larger than 256 pixels");

    Art art;
    art.size = static_cast<int>(side);
    for (const std::string &row : rows) {
        for (const char c : row)
            art.pixels.push_back(legend.at(c));
    }
    return art;
}

void put8(std::vector<std::uint8_t> &out, unsigned value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xffu));
}

void put16(std::vector<std::uint8_t> &out, unsigned value)
{
    put8(out, value);
    put8(out, value >> 8);
}

void put32(std::vector<std::uint8_t> &out, std::uint32_t value)
{
    put16(out, value & 0xffffu);
    put16(out, value >> 16);
}

// One icon image as the Windows shell expects it: BITMAPINFOHEADER, the 16-entry palette, the
// 4-bit colour (XOR) bitmap and the 1-bit transparency (AND) mask, both stored bottom row first
// with rows padded to 32 bits.
std::vector<std::uint8_t> iconImage(const Art &art)
{
    const int side = art.size;
    const int colourStride = (side * 4 + 31) / 32 * 4;
    const int maskStride = (side + 31) / 32 * 4;
    const auto bitmapBytes = static_cast<std::uint32_t>((colourStride + maskStride) * side);

    std::vector<std::uint8_t> out;
    put32(out, 40); // BITMAPINFOHEADER size
    put32(out, static_cast<std::uint32_t>(side));
    put32(out, static_cast<std::uint32_t>(2 * side)); // colour bitmap and mask stacked
    put16(out, 1);                                    // planes
    put16(out, 4);                                    // bits per pixel
    put32(out, 0);                                    // uncompressed
    put32(out, bitmapBytes);
    put32(out, 0); // horizontal resolution, unused by icons
    put32(out, 0); // vertical resolution
    put32(out, 0); // colours used: 0 means all 16
    put32(out, 0); // important colours: all

    for (const PaletteEntry &entry : palette) {
        put8(out, entry.blue);
        put8(out, entry.green);
        put8(out, entry.red);
        put8(out, 0);
    }

    // Transparent pixels carry colour 0: the shell draws an icon as (screen AND mask) XOR colour,
    // and any other colour there would invert the desktop behind the face.
    for (int y = side - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(colourStride), 0);
        for (int x = 0; x < side; ++x) {
            const int index = art.at(x, y);
            const auto nibble = static_cast<std::uint8_t>(index == transparent ? 0 : index);
            row[static_cast<std::size_t>(x / 2)] |=
                static_cast<std::uint8_t>(x % 2 == 0 ? nibble << 4 : nibble);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = side - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(maskStride), 0);
        for (int x = 0; x < side; ++x) {
            if (art.at(x, y) == transparent)
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

void writeFile(const std::string &path, const std::vector<std::uint8_t> &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw Error(path + ": cannot write");
}

void writeIco(const std::string &path, const std::vector<Art> &images)
{
    std::vector<std::vector<std::uint8_t>> bodies;
    for (const Art &art : images)
        bodies.push_back(iconImage(art));

    std::vector<std::uint8_t> out;
    put16(out, 0); // reserved
    put16(out, 1); // resource type: icon
    put16(out, static_cast<unsigned>(images.size()));
    auto offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const unsigned side = images[i].size == largestSide ? 0u : unsigned(images[i].size);
        put8(out, side); // width
        put8(out, side); // height
        put8(out, 16);   // colours in the palette
        put8(out, 0);    // reserved
        put16(out, 1);   // planes
        put16(out, 4);   // bits per pixel
        put32(out, static_cast<std::uint32_t>(bodies[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(bodies[i].size());
    }
    for (const auto &body : bodies)
        out.insert(out.end(), body.begin(), body.end());
    writeFile(path, out);
}

// Nearest-neighbour keeps the hard pixel edges of the art; any smoothing would smear the outline
// into colours the icon never had.
void writePng(const std::string &path, const Art &art, int side)
{
    QImage image(side, side, QImage::Format_ARGB32);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const int index = art.at(x * art.size / side, y * art.size / side);
            if (index == transparent) {
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
            } else {
                const PaletteEntry &entry = palette[static_cast<std::size_t>(index)];
                image.setPixel(x, y, qRgb(entry.red, entry.green, entry.blue));
            }
        }
    }
    if (!image.save(QString::fromStdString(path), "PNG"))
        throw Error(path + ": cannot write");
}

// XPM: the art as text, one character per palette entry ('.' transparent), which QImage turns
// into an image straight from its rows, with no image plugin and no decoder to look up.
void writeXpm(const std::string &path, const Art &art)
{
    static constexpr char symbols[] = "0123456789abcdef";
    std::vector<int> used; // palette entries in the order the rows first use them
    bool clear = false;
    for (const int index : art.pixels) {
        if (index == transparent)
            clear = true;
        else if (std::find(used.begin(), used.end(), index) == used.end())
            used.push_back(index);
    }
    std::ostringstream out;
    out << "/* XPM */\nstatic const char *const picture[] = {\n";
    out << '"' << art.size << ' ' << art.size << ' ' << used.size() + (clear ? 1 : 0) << " 1\",\n";
    if (clear)
        out << "\". c None\",\n";
    for (const int index : used) {
        const PaletteEntry &entry = palette[static_cast<std::size_t>(index)];
        char colour[8];
        std::snprintf(colour, sizeof colour, "#%02X%02X%02X", entry.red, entry.green, entry.blue);
        out << '"' << symbols[index] << " c " << colour << "\",\n";
    }
    for (int y = 0; y < art.size; ++y) {
        out << '"';
        for (int x = 0; x < art.size; ++x)
            out << (art.at(x, y) == transparent ? '.' : symbols[art.at(x, y)]);
        out << (y + 1 < art.size ? "\",\n" : "\"\n");
    }
    out << "};\n";
    const std::string text = out.str();
    writeFile(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

int parseSide(const std::string &text)
{
    std::size_t used = 0;
    int side = 0;
    try {
        side = std::stoi(text, &used);
    } catch (const std::exception &) {
        side = 0;
    }
    if (used != text.size() || side < 1 || side > 4096)
        throw Error("size must be a number from 1 to 4096, not '" + text + "'");
    return side;
}

int usage()
{
    std::fputs("usage: makeicons ico OUT.ico ART...\n"
               "       makeicons png OUT.png ART [SIZE]\n"
               "       makeicons xpm OUT.xpm ART\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() < 3)
        return usage();
    try {
        if (args[0] == "ico") {
            std::vector<Art> images;
            for (std::size_t i = 2; i < args.size(); ++i)
                images.push_back(readArt(args[i]));
            writeIco(args[1], images);
        } else if (args[0] == "xpm" && args.size() == 3) {
            writeXpm(args[1], readArt(args[2]));
        } else if (args[0] == "png" && args.size() <= 4) {
            const Art art = readArt(args[2]);
            writePng(args[1], art, args.size() == 4 ? parseSide(args[3]) : art.size);
        } else {
            return usage();
        }
    } catch (const Error &error) {
        std::fprintf(stderr, "makeicons: %s\n", error.what());
        return 1;
    }
    return 0;
}
