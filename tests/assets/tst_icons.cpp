// Checks the drawn pictures the way their readers see them: the ICO files decoded byte by byte
// as the Windows shell reads them, the PNG and XPM renderings and launcher sizes, the resources
// compiled into quarvel_assets, and the program file's resources built from the Windows resource
// script.

#include "quarvelicons.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QtTest>

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

namespace
{

const QString assetsDir = QStringLiteral(QUARVEL_ASSETS_OUT);

// The standard 16-colour palette, written out independently of the drawing tool.
constexpr std::array<QRgb, 16> standardPalette{
    0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080, 0xff008080, 0xffc0c0c0,
    0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00, 0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff,
};
constexpr QRgb black = 0xff000000;
constexpr QRgb yellow = 0xffffff00;

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QImage loadArgb(const QString &path)
{
    QImage image(path);
    return image.isNull() ? image : image.convertToFormat(QImage::Format_ARGB32);
}

// Little-endian reads that never run past the end; a short file turns `ok` false instead of
// reading garbage.
class Bytes
{
public:
    explicit Bytes(QByteArray data) : m_data(std::move(data)) {}

    bool ok() const { return m_ok; }
    qsizetype size() const { return m_data.size(); }

    quint32 u8(qsizetype at)
    {
        if (at < 0 || at >= m_data.size()) {
            m_ok = false;
            return 0;
        }
        return static_cast<quint8>(m_data[at]);
    }
    quint32 u16(qsizetype at) { return u8(at) | u8(at + 1) << 8; }
    quint32 u32(qsizetype at) { return u16(at) | u16(at + 2) << 16; }

    QByteArray slice(qsizetype at, qsizetype length)
    {
        if (at < 0 || length < 0 || at + length > m_data.size()) {
            m_ok = false;
            return {};
        }
        return m_data.mid(at, length);
    }

    // A NUL-terminated UTF-16 string; `next` lands just past the terminator.
    QString utf16z(qsizetype at, qsizetype &next)
    {
        QString text;
        for (next = at; m_ok; next += 2) {
            const auto unit = static_cast<char16_t>(u16(next));
            if (unit == 0) {
                next += 2;
                break;
            }
            text.append(QChar(unit));
        }
        return text;
    }

private:
    QByteArray m_data;
    bool m_ok = true;
};

qsizetype align4(qsizetype at)
{
    return (at + 3) & ~qsizetype(3);
}

struct IconEntry {
    int width = 0;
    int height = 0;
    int colours = 0;
    int planes = 0;
    int bitCount = 0;
    quint32 bytes = 0;
    quint32 offset = 0;
};

struct IconBitmap {
    quint32 headerSize = 0;
    qint32 width = 0;
    qint32 height = 0;
    int planes = 0;
    int bitCount = 0;
    quint32 compression = 0;
    QList<QRgb> palette;
    QImage pixels;             // what the shell shows: alpha 0 wherever the mask is set
    int colouredUnderMask = 0; // masked pixels whose colour index is not 0
};

// Directory of an ICO file; empty when the header is not an icon directory.
QList<IconEntry> readDirectory(Bytes &ico)
{
    QList<IconEntry> entries;
    if (ico.u16(0) != 0 || ico.u16(2) != 1)
        return entries;
    const quint32 count = ico.u16(4);
    for (quint32 i = 0; i < count && ico.ok(); ++i) {
        const qsizetype at = 6 + 16 * qsizetype(i);
        IconEntry entry;
        entry.width = int(ico.u8(at));
        entry.height = int(ico.u8(at + 1));
        entry.colours = int(ico.u8(at + 2));
        entry.planes = int(ico.u16(at + 4));
        entry.bitCount = int(ico.u16(at + 6));
        entry.bytes = ico.u32(at + 8);
        entry.offset = ico.u32(at + 12);
        entries.append(entry);
    }
    return entries;
}

// Decodes one 4-bit icon image starting at `at`: header, palette, colour bitmap and mask, both
// stored bottom row first.
IconBitmap decodeBitmap(Bytes &data, qsizetype at)
{
    IconBitmap bitmap;
    bitmap.headerSize = data.u32(at);
    bitmap.width = qint32(data.u32(at + 4));
    bitmap.height = qint32(data.u32(at + 8));
    bitmap.planes = int(data.u16(at + 12));
    bitmap.bitCount = int(data.u16(at + 14));
    bitmap.compression = data.u32(at + 16);
    if (bitmap.bitCount != 4 || bitmap.width <= 0 || bitmap.width > 256 || !data.ok())
        return bitmap;

    const qsizetype paletteAt = at + bitmap.headerSize;
    for (int i = 0; i < 16; ++i) {
        const qsizetype entry = paletteAt + 4 * i;
        bitmap.palette.append(
            qRgb(int(data.u8(entry + 2)), int(data.u8(entry + 1)), int(data.u8(entry))));
    }

    const int side = bitmap.width;
    const qsizetype colourStride = (side * 4 + 31) / 32 * 4;
    const qsizetype maskStride = (side + 31) / 32 * 4;
    const qsizetype colourAt = paletteAt + 16 * 4;
    const qsizetype maskAt = colourAt + colourStride * side;
    bitmap.pixels = QImage(side, side, QImage::Format_ARGB32);
    for (int y = 0; y < side; ++y) {
        const qsizetype stored = side - 1 - y;
        for (int x = 0; x < side; ++x) {
            const quint32 pair = data.u8(colourAt + stored * colourStride + x / 2);
            const quint32 index = (x % 2 == 0) ? pair >> 4 : pair & 0x0fu;
            const bool masked = (data.u8(maskAt + stored * maskStride + x / 8) >> (7 - x % 8)) & 1u;
            if (masked && index != 0)
                ++bitmap.colouredUnderMask;
            bitmap.pixels.setPixel(x, y, masked ? qRgba(0, 0, 0, 0) : bitmap.palette[index]);
        }
    }
    return bitmap;
}

bool opaque(const QImage &image, int x, int y)
{
    return image.rect().contains(x, y) && qAlpha(image.pixel(x, y)) == 255;
}

// A black region of the face: the outline, an eye or the mouth.
struct Region {
    QList<QPoint> points;
    bool touchesEdge = false;

    QRect bounds() const
    {
        QRect r(points.front(), QSize(1, 1));
        for (const QPoint &p : points)
            r |= QRect(p, QSize(1, 1));
        return r;
    }
    // Topmost row of the region in column x, or -1 when the column is empty.
    int topIn(int x) const
    {
        int top = -1;
        for (const QPoint &p : points) {
            if (p.x() == x && (top < 0 || p.y() < top))
                top = p.y();
        }
        return top;
    }
};

// Splits the opaque black pixels into 8-connected regions; the one touching the transparent
// surroundings is the outline, the others are the drawn features.
QList<Region> blackRegions(const QImage &image)
{
    QList<Region> regions;
    QList<bool> seen(qsizetype(image.width()) * image.height(), false);
    const auto isBlack = [&](int x, int y) {
        return opaque(image, x, y) && image.pixel(x, y) == black;
    };
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!isBlack(x, y) || seen[y * image.width() + x])
                continue;
            Region region;
            QList<QPoint> todo{QPoint(x, y)};
            seen[y * image.width() + x] = true;
            while (!todo.isEmpty()) {
                const QPoint p = todo.takeLast();
                region.points.append(p);
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = p.x() + dx;
                        const int ny = p.y() + dy;
                        if ((dx != 0 || dy != 0) && !opaque(image, nx, ny) && (dx == 0 || dy == 0))
                            region.touchesEdge = true;
                        if (isBlack(nx, ny) && !seen[ny * image.width() + nx]) {
                            seen[ny * image.width() + nx] = true;
                            todo.append(QPoint(nx, ny));
                        }
                    }
                }
            }
            regions.append(region);
        }
    }
    return regions;
}

// One resource of a compiled .res file.
struct Resource {
    quint32 type = 0; // numeric type, 0 when named
    quint32 id = 0;   // numeric name, 0 when named
    quint32 language = 0;
    QByteArray data;
};

QList<Resource> readResources(Bytes &res)
{
    QList<Resource> resources;
    qsizetype at = 0;
    while (at < res.size() && res.ok()) {
        const quint32 dataSize = res.u32(at);
        const quint32 headerSize = res.u32(at + 4);
        Resource resource;
        qsizetype field = at + 8;
        for (quint32 *number : {&resource.type, &resource.id}) {
            if (res.u16(field) == 0xffff) {
                *number = res.u16(field + 2);
                field += 4;
            } else {
                res.utf16z(field, field);
            }
        }
        field = align4(field);
        resource.language = res.u16(field + 6);
        resource.data = res.slice(at + headerSize, dataSize);
        if (dataSize > 0)
            resources.append(resource);
        at = align4(at + headerSize + dataSize);
    }
    return resources;
}

// A node of a VERSIONINFO tree: key, value and children.
struct VersionNode {
    QString key;
    quint32 type = 0;
    QByteArray value;
    QList<VersionNode> children;

    const VersionNode *child(const QString &name) const
    {
        const auto found = std::find_if(children.begin(), children.end(),
                                        [&](const VersionNode &n) { return n.key == name; });
        return found == children.end() ? nullptr : &*found;
    }
    QString text() const
    {
        QString result;
        for (qsizetype i = 0; i + 1 < value.size(); i += 2) {
            const auto unit = char16_t(quint8(value[i]) | quint8(value[i + 1]) << 8);
            if (unit == 0)
                break;
            result.append(QChar(unit));
        }
        return result;
    }
};

VersionNode readVersionNode(Bytes &data, qsizetype at)
{
    VersionNode node;
    const quint32 length = data.u16(at);
    const quint32 valueLength = data.u16(at + 2);
    node.type = data.u16(at + 4);
    qsizetype field = at + 6;
    node.key = data.utf16z(field, field);
    field = align4(field);
    // Text values count UTF-16 units, binary values count bytes.
    const qsizetype valueBytes = node.type == 1 ? 2 * qsizetype(valueLength) : valueLength;
    node.value = data.slice(field, valueBytes);
    field = align4(field + valueBytes);
    const qsizetype end = at + length;
    while (field < end && data.ok()) {
        const quint32 childLength = data.u16(field);
        if (childLength == 0)
            break;
        node.children.append(readVersionNode(data, field));
        field = align4(field + childLength);
    }
    return node;
}

} // namespace

class TestIcons : public QObject
{
    Q_OBJECT

private slots:
    void iconDirectory_data();
    void iconDirectory();
    void iconImage_data();
    void iconImage();
    void renderingsMatchIcon_data();
    void renderingsMatchIcon();
    void launcherSizes_data();
    void launcherSizes();
    void compiledInResources_data();
    void compiledInResources();
    void readyMadeIcons_data();
    void readyMadeIcons();
    void programFileIconGroup();
    void programFileVersionRecord();
};

void TestIcons::iconDirectory_data()
{
    QTest::addColumn<QString>("icon");
    QTest::newRow("face") << "face";
    QTest::newRow("smiley") << "smiley";
}

// Two images, laid out back to back right after the directory, filling the file exactly.
void TestIcons::iconDirectory()
{
    QFETCH(QString, icon);
    Bytes ico(readFile(assetsDir + "/" + icon + ".ico"));
    QCOMPARE(ico.size(), 1078);
    const QList<IconEntry> entries = readDirectory(ico);
    QVERIFY(ico.ok());
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries[0].offset, 6u + 2 * 16);
    QCOMPARE(entries[1].offset, entries[0].offset + entries[0].bytes);
    QCOMPARE(entries[1].offset + entries[1].bytes, quint32(ico.size()));
}

void TestIcons::iconImage_data()
{
    QTest::addColumn<QString>("icon");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("bytes");
    QTest::addColumn<bool>("smiling");
    QTest::newRow("face 32x32") << "face" << 0 << 32 << 744 << false;
    QTest::newRow("face 16x16") << "face" << 1 << 16 << 296 << false;
    QTest::newRow("smiley 32x32") << "smiley" << 0 << 32 << 744 << true;
    QTest::newRow("smiley 16x16") << "smiley" << 1 << 16 << 296 << true;
}

void TestIcons::iconImage()
{
    QFETCH(QString, icon);
    QFETCH(int, index);
    QFETCH(int, side);
    QFETCH(int, bytes);
    QFETCH(bool, smiling);

    Bytes ico(readFile(assetsDir + "/" + icon + ".ico"));
    const QList<IconEntry> entries = readDirectory(ico);
    QVERIFY(entries.size() > index);
    const IconEntry &entry = entries[index];
    QCOMPARE(entry.width, side);
    QCOMPARE(entry.height, side);
    QCOMPARE(entry.colours, 16);
    QCOMPARE(entry.planes, 1);
    QCOMPARE(entry.bitCount, 4);
    QCOMPARE(entry.bytes, quint32(bytes));

    const IconBitmap bitmap = decodeBitmap(ico, entry.offset);
    QVERIFY(ico.ok());
    QCOMPARE(bitmap.headerSize, 40u);
    QCOMPARE(bitmap.width, side);
    QCOMPARE(bitmap.height, 2 * side); // colour bitmap and mask
    QCOMPARE(bitmap.planes, 1);
    QCOMPARE(bitmap.bitCount, 4);
    QCOMPARE(bitmap.compression, 0u);
    QCOMPARE(bitmap.palette, QList<QRgb>(standardPalette.begin(), standardPalette.end()));
    // A colour under the mask would be XORed onto the desktop behind the icon.
    QCOMPARE(bitmap.colouredUnderMask, 0);

    const QImage &image = bitmap.pixels;
    const int last = side - 1;
    for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
        QVERIFY2(!opaque(image, corner.x(), corner.y()), "corner is not transparent");
    QVERIFY(opaque(image, side / 2, side / 2));
    QCOMPARE(image.pixel(side / 2, side / 2), yellow);
    for (const QPoint rim : {QPoint(side / 2, 0), QPoint(0, side / 2), QPoint(last, side / 2),
                             QPoint(side / 2, last)}) {
        QVERIFY2(opaque(image, rim.x(), rim.y()), "the disc does not reach the edge");
        QCOMPARE(image.pixel(rim.x(), rim.y()), black);
    }

    // A disc: each row is one run of opaque pixels, centred, and every pixel on its rim is black.
    for (int y = 0; y < side; ++y) {
        int first = -1;
        int end = -1;
        for (int x = 0; x < side; ++x) {
            if (!opaque(image, x, y))
                continue;
            if (first < 0)
                first = x;
            QVERIFY2(end < 0 || end == x, qPrintable(QString("gap in row %1").arg(y)));
            end = x + 1;
            const bool rim = !opaque(image, x - 1, y) || !opaque(image, x + 1, y) ||
                             !opaque(image, x, y - 1) || !opaque(image, x, y + 1);
            if (rim)
                QVERIFY2(image.pixel(x, y) == black,
                         qPrintable(QString("outline broken at %1,%2").arg(x).arg(y)));
        }
        QVERIFY2(first >= 0, qPrintable(QString("row %1 is empty").arg(y)));
        QCOMPARE(first, side - end);
    }

    // The features: two eyes above the middle, taller than wide, one each side; a mouth below.
    QList<Region> features = blackRegions(image);
    features.removeIf([](const Region &r) { return r.touchesEdge; });
    QCOMPARE(features.size(), 3);
    std::sort(features.begin(), features.end(), [](const Region &a, const Region &b) {
        return a.bounds().top() < b.bounds().top() ||
               (a.bounds().top() == b.bounds().top() && a.bounds().left() < b.bounds().left());
    });
    const QRect leftEye = features[0].bounds();
    const QRect rightEye = features[1].bounds();
    const QRect mouth = features[2].bounds();
    QVERIFY(leftEye.bottom() < side / 2 && rightEye.bottom() < side / 2);
    QVERIFY(leftEye.right() < side / 2 && rightEye.left() >= side / 2);
    QVERIFY(leftEye.height() > leftEye.width() && rightEye.height() > rightEye.width());
    QVERIFY(mouth.top() > side / 2);
    QCOMPARE(mouth.left(), side - 1 - mouth.right());

    const int middleTop = features[2].topIn(side / 2);
    const int cornerTop = features[2].topIn(mouth.left());
    if (smiling) {
        QVERIFY2(cornerTop < middleTop, "the corners of the mouth should turn up");
    } else {
        for (int x = mouth.left(); x <= mouth.right(); ++x)
            QCOMPARE(features[2].topIn(x), mouth.top());
    }
}

void TestIcons::renderingsMatchIcon_data()
{
    iconImage_data();
}

// The PNG and XPM renderings carry exactly the icon's pixels, with alpha (or XPM's None) where
// the icon has its mask.
void TestIcons::renderingsMatchIcon()
{
    QFETCH(QString, icon);
    QFETCH(int, index);
    QFETCH(int, side);

    Bytes ico(readFile(assetsDir + "/" + icon + ".ico"));
    const QList<IconEntry> entries = readDirectory(ico);
    QVERIFY(entries.size() > index);
    const QImage expected = decodeBitmap(ico, entries[index].offset).pixels;
    QVERIFY(ico.ok() && !expected.isNull());

    for (const char *format : {"png", "xpm"}) {
        const QImage rendering =
            loadArgb(QString("%1/%2-%3.%4").arg(assetsDir, icon).arg(side).arg(format));
        QVERIFY2(!rendering.isNull(), format);
        QVERIFY(rendering.hasAlphaChannel());
        QCOMPARE(rendering.size(), QSize(side, side));
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                const QRgb want = expected.pixel(x, y);
                const QRgb got = rendering.pixel(x, y);
                const bool same = qAlpha(want) == 0 ? qAlpha(got) == 0 : got == want;
                QVERIFY2(same, qPrintable(QString("%1: pixel %2,%3 is %4, the icon has %5")
                                              .arg(format)
                                              .arg(x)
                                              .arg(y)
                                              .arg(got, 8, 16, QChar('0'))
                                              .arg(want, 8, 16, QChar('0'))));
            }
        }
    }
}

void TestIcons::launcherSizes_data()
{
    QTest::addColumn<int>("side");
    QTest::newRow("48x48") << 48;
    QTest::newRow("64x64") << 64;
    QTest::newRow("128x128") << 128;
    QTest::newRow("256x256") << 256;
}

// Launcher icons are nearest-neighbour enlargements of the 32-pixel face: every pixel repeats
// the drawn pixel under it, with no smoothing that would blur the outline.
void TestIcons::launcherSizes()
{
    QFETCH(int, side);
    const QImage drawn = loadArgb(assetsDir + "/face-32.png");
    const QImage large = loadArgb(QString("%1/face-%2.png").arg(assetsDir).arg(side));
    QVERIFY(!drawn.isNull());
    QVERIFY(!large.isNull());
    QVERIFY(large.hasAlphaChannel());
    QCOMPARE(large.size(), QSize(side, side));
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const QRgb want = drawn.pixel(x * drawn.width() / side, y * drawn.height() / side);
            const QRgb got = large.pixel(x, y);
            const bool same = qAlpha(want) == 0 ? qAlpha(got) == 0 : got == want;
            QVERIFY2(same,
                     qPrintable(QString("pixel %1,%2 differs from the drawing").arg(x).arg(y)));
        }
    }
}

void TestIcons::compiledInResources_data()
{
    QTest::addColumn<QString>("resource");
    QTest::addColumn<QString>("file");
    QTest::newRow("face.ico") << ":/icons/face.ico"
                              << "face.ico";
    QTest::newRow("smiley.ico") << ":/icons/smiley.ico"
                                << "smiley.ico";
    QTest::newRow("face-16.png") << ":/icons/face-16.png"
                                 << "face-16.png";
    QTest::newRow("face-32.png") << ":/icons/face-32.png"
                                 << "face-32.png";
    QTest::newRow("smiley-16.png") << ":/icons/smiley-16.png"
                                   << "smiley-16.png";
    QTest::newRow("smiley-32.png") << ":/icons/smiley-32.png"
                                   << "smiley-32.png";
    for (const char *name : {"face-16.xpm", "face-32.xpm", "smiley-16.xpm", "smiley-32.xpm"})
        QTest::newRow(name) << QString(":/icons/") + name << name;
}

// The pictures are readable under their fixed resource paths in a program that merely links
// quarvel_assets, with no Q_INIT_RESOURCE anywhere, and they are the freshly drawn files.
void TestIcons::compiledInResources()
{
    QFETCH(QString, resource);
    QFETCH(QString, file);
    QVERIFY2(QFile::exists(resource), qPrintable(resource + " is not registered"));
    const QByteArray drawn = readFile(assetsDir + "/" + file);
    QVERIFY(!drawn.isEmpty());
    QCOMPARE(readFile(resource), drawn);
}

void TestIcons::readyMadeIcons_data()
{
    QTest::addColumn<bool>("smiley");
    QTest::addColumn<QString>("name");
    QTest::newRow("face") << false << "face";
    QTest::newRow("smiley") << true << "smiley";
}

// Each ready-made QIcon offers both drawn sizes, pixel for pixel, and the right picture.
void TestIcons::readyMadeIcons()
{
    QFETCH(bool, smiley);
    QFETCH(QString, name);
    const QIcon icon = smiley ? quarvel::icons::smiley() : quarvel::icons::face();
    QVERIFY(!icon.isNull());
    for (const int side : {16, 32}) {
        QVERIFY(icon.availableSizes().contains(QSize(side, side)));
        const QImage shown =
            icon.pixmap(QSize(side, side)).toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage drawn = loadArgb(QString("%1/%2-%3.png").arg(assetsDir, name).arg(side));
        QVERIFY(!drawn.isNull());
        QCOMPARE(shown, drawn);
    }
}

// The program file's icon group, as the resource compiler stores it, is the face in its two
// sizes and depth.
void TestIcons::programFileIconGroup()
{
#ifndef QUARVEL_TEST_RES
    QSKIP("no resource compiler was found to build the Windows resources");
#else
    Bytes res(readFile(QStringLiteral(QUARVEL_TEST_RES)));
    QVERIFY(res.size() > 0);
    const QList<Resource> resources = readResources(res);
    QVERIFY(res.ok());

    constexpr quint32 iconType = 3;
    constexpr quint32 groupType = 14;
    QList<Resource> groups;
    std::copy_if(resources.begin(), resources.end(), std::back_inserter(groups),
                 [](const Resource &r) { return r.type == groupType; });
    QCOMPARE(groups.size(), 1);

    Bytes group(groups.front().data);
    QCOMPARE(group.u16(2), 1u);
    QCOMPARE(group.u16(4), 2u);

    Bytes face(readFile(assetsDir + "/face.ico"));
    const QList<IconEntry> faceEntries = readDirectory(face);
    QCOMPARE(faceEntries.size(), 2);
    const std::array<int, 2> sides{32, 16};
    const std::array<quint32, 2> sizes{744, 296};
    for (int i = 0; i < 2; ++i) {
        const qsizetype at = 6 + 14 * i;
        QCOMPARE(int(group.u8(at)), sides[i]);
        QCOMPARE(int(group.u8(at + 1)), sides[i]);
        QCOMPARE(group.u16(at + 6), 4u);
        QCOMPARE(group.u32(at + 8), sizes[i]);
        const quint32 id = group.u16(at + 12);
        const auto image = std::find_if(resources.begin(), resources.end(), [&](const Resource &r) {
            return r.type == iconType && r.id == id;
        });
        QVERIFY(image != resources.end());
        QCOMPARE(image->data, face.slice(faceEntries[i].offset, faceEntries[i].bytes));
    }
    QVERIFY(group.ok() && face.ok());
#endif
}

// The version record says 1.00 (1.0.0.0) for file and product, in U.S. English with Unicode.
void TestIcons::programFileVersionRecord()
{
#ifndef QUARVEL_TEST_RES
    QSKIP("no resource compiler was found to build the Windows resources");
#else
    Bytes res(readFile(QStringLiteral(QUARVEL_TEST_RES)));
    const QList<Resource> resources = readResources(res);
    constexpr quint32 versionType = 16;
    const auto version = std::find_if(resources.begin(), resources.end(),
                                      [](const Resource &r) { return r.type == versionType; });
    QVERIFY(version != resources.end());
    QCOMPARE(version->language, 0x0409u);

    Bytes record(version->data);
    const VersionNode root = readVersionNode(record, 0);
    QVERIFY(record.ok());
    QCOMPARE(root.key, QStringLiteral("VS_VERSION_INFO"));
    Bytes fixed(root.value);
    QCOMPARE(fixed.u32(0), 0xfeef04bdu);
    constexpr quint32 major = QUARVEL_VERSION_MAJOR;
    constexpr quint32 minor = QUARVEL_VERSION_MINOR;
    constexpr quint32 patch = QUARVEL_VERSION_PATCH;
    QCOMPARE(fixed.u32(8), major << 16 | minor);  // file version, high half
    QCOMPARE(fixed.u32(12), patch << 16);         // file version, low half
    QCOMPARE(fixed.u32(16), major << 16 | minor); // product version
    QCOMPARE(fixed.u32(20), patch << 16);
    QVERIFY(fixed.ok());

    const QString text = QString("%1.%2").arg(major).arg(minor, 2, 10, QChar('0'));
    const VersionNode *strings = root.child("StringFileInfo");
    QVERIFY(strings);
    const VersionNode *english = strings->child("040904B0");
    QVERIFY(english);
    for (const char *key : {"FileVersion", "ProductVersion"}) {
        const VersionNode *value = english->child(QString::fromLatin1(key));
        QVERIFY2(value, key);
        QCOMPARE(value->text(), text);
    }

    const VersionNode *vars = root.child("VarFileInfo");
    QVERIFY(vars);
    const VersionNode *translation = vars->child("Translation");
    QVERIFY(translation);
    Bytes pair(translation->value);
    QCOMPARE(pair.u16(0), 0x0409u); // U.S. English
    QCOMPARE(pair.u16(2), 1200u);   // Unicode
    QVERIFY(pair.ok());
#endif
}

int main(int argc, char **argv)
{
    // The icons are only rendered, never shown, so no display is needed.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    TestIcons test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_icons.moc"
