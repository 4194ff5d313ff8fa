// Turns the probe's PPM screenshots into PNG files for docs/; Qt reads the one
// and writes the other without any plugin. Built by scripts/screenshots.sh.
//   topng IN.ppm OUT.png
#include <QImage>

int main(int argc, char *argv[])
{
    if (argc != 3)
        return 2;
    const QImage image(QString::fromLocal8Bit(argv[1]));
    return !image.isNull() && image.save(QString::fromLocal8Bit(argv[2]), "PNG", 9) ? 0 : 1;
}
