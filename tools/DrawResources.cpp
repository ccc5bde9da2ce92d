// Draws the bitmaps, icons and the hand cursor of res/images. Run it after changing a
// picture: lumidex_drawres <res/images folder>. The PNGs it writes are kept in the repository.

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <functional>

namespace {

const QColor kMask(192, 192, 192);  // the tree strip's transparent colour
const QColor kDarkGrey(128, 128, 128);

using Painter = std::function<void(QPainter&)>;

// A cylinder standing for a database.
void Cylinder(QPainter& p, QRectF r, QColor body)
{
    const qreal h = r.height() / 4;
    QPainterPath path;
    path.moveTo(r.left(), r.top() + h / 2);
    path.lineTo(r.left(), r.bottom() - h / 2);
    path.arcTo(QRectF(r.left(), r.bottom() - h, r.width(), h), 180, 180);
    path.lineTo(r.right(), r.top() + h / 2);
    path.arcTo(QRectF(r.left(), r.top(), r.width(), h), 0, 180);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(body);
    p.drawPath(path);
    p.setBrush(body.lighter(140));
    p.drawEllipse(QRectF(r.left(), r.top(), r.width(), h));
}

void Person(QPainter& p, qreal x, qreal y, QColor shirt)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(255, 204, 153));
    p.drawEllipse(QRectF(x + 2, y, 5, 5));
    p.setBrush(shirt);
    p.drawRoundedRect(QRectF(x, y + 6, 9, 7), 2, 2);
}

void Page(QPainter& p, QRectF r, QColor lines, bool bFramed)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    if (bFramed) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 0, 128), 1));
        p.drawRect(r.adjusted(-1.5, -1.5, 1.5, 1.5));
    }
    p.setPen(QPen(lines, 1));
    for (qreal y = r.top() + 3; y < r.bottom() - 1; y += 2)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

void Letter(QPainter& p, QRectF r, const QString& text, QColor colour, int nPixel)
{
    QFont font("DejaVu Sans");
    font.setPixelSize(nPixel);
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, text);
}

// The twelve tree images, in image-list order.
const Painter kTreeImages[12] = {
    [](QPainter& p) {  // table: small window with a grid
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 2.5, 13, 10));
        p.fillRect(QRectF(2, 3, 12, 2), QColor(0, 0, 128));
        p.setPen(QPen(kDarkGrey, 1));
        for (qreal x = 5.5; x < 14; x += 4)
            p.drawLine(QPointF(x, 5), QPointF(x, 12));
        for (qreal y = 7.5; y < 12; y += 2.5)
            p.drawLine(QPointF(2, y), QPointF(14, y));
    },
    [](QPainter& p) { Cylinder(p, QRectF(2.5, 1.5, 11, 12), QColor(230, 200, 0)); },
    [](QPainter& p) { Person(p, 3.5, 1.5, QColor(0, 0, 200)); },
    [](QPainter& p) {
        Person(p, 6.5, 0.5, QColor(0, 128, 0));
        Person(p, 0.5, 1.5, QColor(0, 0, 200));
    },
    [](QPainter& p) { Page(p, QRectF(2.5, 1.5, 11, 12), kDarkGrey, false); },
    [](QPainter& p) { Page(p, QRectF(2.5, 1.5, 11, 12), QColor(220, 0, 0), false); },
    [](QPainter& p) {  // database link
        Cylinder(p, QRectF(2.5, 1.5, 11, 12), QColor(0, 200, 200));
        Letter(p, QRectF(2, 4, 12, 10), "L", Qt::black, 9);
    },
    [](QPainter& p) {  // index
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(255, 230, 0));
        p.drawEllipse(QRectF(1.5, 2.5, 13, 10));
        Letter(p, QRectF(1, 2, 14, 11), "I", Qt::black, 10);
    },
    [](QPainter& p) {  // trigger: lightning flash
        QPolygonF flash({{9, 0.5}, {3, 8}, {7, 8}, {5, 14.5}, {13, 5.5}, {8.5, 5.5}, {11, 0.5}});
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(255, 220, 0));
        p.drawPolygon(flash);
    },
    [](QPainter& p) {  // sequence: digit 1 with an arrow
        Letter(p, QRectF(0, 0, 9, 15), "1", QColor(0, 0, 160), 12);
        p.setPen(QPen(QColor(200, 0, 0), 1.5));
        p.drawLine(QPointF(9, 11), QPointF(15, 11));
        p.drawLine(QPointF(15, 11), QPointF(12, 8));
        p.drawLine(QPointF(15, 11), QPointF(12, 14));
    },
    [](QPainter& p) { Page(p, QRectF(3.5, 2.5, 9, 10), QColor(220, 0, 0), true); },
    [](QPainter& p) {  // synonym: letter S in a yellow coin
        p.setPen(QPen(QColor(128, 96, 0), 1));
        p.setBrush(QColor(255, 220, 0));
        p.drawEllipse(QRectF(1.5, 1.5, 12, 12));
        Letter(p, QRectF(1, 1, 13, 13), "S", QColor(128, 64, 0), 10);
    },
};

// The five toolbar buttons: Connect, Disconnect, View Data, Refresh, Help.
const Painter kToolbarImages[5] = {
    [](QPainter& p) {
        Cylinder(p, QRectF(5.5, 2.5, 10, 11), QColor(230, 200, 0));
        p.setPen(QPen(QColor(0, 150, 0), 2));
        p.drawLine(QPointF(0, 8), QPointF(6, 8));
        p.drawLine(QPointF(3, 5), QPointF(6, 8));
        p.drawLine(QPointF(3, 11), QPointF(6, 8));
    },
    [](QPainter& p) {
        Cylinder(p, QRectF(5.5, 2.5, 10, 11), QColor(230, 200, 0));
        p.setPen(QPen(QColor(220, 0, 0), 2));
        p.drawLine(QPointF(0.5, 4.5), QPointF(6.5, 10.5));
        p.drawLine(QPointF(6.5, 4.5), QPointF(0.5, 10.5));
    },
    [](QPainter& p) {
        kTreeImages[0](p);
        p.setPen(QPen(QColor(0, 128, 0), 2));
        p.drawLine(QPointF(11, 9), QPointF(15, 14));
    },
    [](QPainter& p) {
        p.setPen(QPen(QColor(0, 150, 0), 2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(2, 2, 11, 11), 90 * 16, 270 * 16);
        p.setBrush(QColor(0, 150, 0));
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({{6, 0}, {10, 2.5}, {6, 5}}));
    },
    [](QPainter& p) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(255, 255, 200));
        p.drawEllipse(QRectF(1.5, 0.5, 13, 13));
        Letter(p, QRectF(1, 0, 14, 14), "?", QColor(0, 0, 200), 11);
    },
};

QImage Strip(const Painter* images, int nCount, int nWidth, QColor background)
{
    QImage image(nWidth, 15, QImage::Format_ARGB32);
    image.fill(background);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < nCount; ++i) {
        p.save();
        p.setClipRect(i * 16, 0, 16, 15);
        p.translate(i * 16, 0);
        images[i](p);
        p.restore();
    }
    return image;
}

QImage Splash()
{
    QImage image(399, 266, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 266);
    sky.setColorAt(0, QColor(0, 40, 120));
    sky.setColorAt(1, QColor(0, 110, 190));
    p.fillRect(image.rect(), sky);
    for (int i = 0; i < 3; ++i)
        Cylinder(p, QRectF(36 + i * 22, 96 - i * 16, 70, 90), QColor(230, 200, 0).darker(100 + 15 * i));
    Letter(p, QRectF(150, 60, 240, 60), "Lumidex", Qt::white, 48);
    Letter(p, QRectF(150, 118, 240, 30), "for Oracle", QColor(255, 230, 120), 22);
    Letter(p, QRectF(150, 150, 240, 24), "version 1.5", Qt::white, 14);
    Letter(p, QRectF(0, 226, 399, 30), "Norvane  -  click for the homepage", QColor(200, 220, 255), 12);
    return image;
}

QImage Icon(QColor body, bool bLens)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Cylinder(p, QRectF(3.5, 2.5, 20, 26), body);
    if (bLens) {
        p.setPen(QPen(Qt::black, 3));
        p.drawLine(QPointF(23, 23), QPointF(30, 30));
        p.setPen(QPen(Qt::black, 2));
        p.setBrush(QColor(200, 230, 255, 200));
        p.drawEllipse(QRectF(14, 14, 11, 11));
    }
    return image;
}

// Black outline, white fill, hot spot at the tip of the finger (7, 1).
QImage Hand()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    QPolygonF hand({{6, 1},  {8, 1},   {9, 2},   {9, 10},  {11, 9},  {13, 10}, {15, 10},
                    {17, 11}, {19, 11}, {21, 13}, {21, 20}, {19, 24}, {19, 27}, {9, 27},
                    {9, 24},  {3, 17},  {2, 15},  {3, 14},  {5, 14},  {5, 2}});
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(hand);
    p.drawLine(QPointF(13, 10), QPointF(13, 16));
    p.drawLine(QPointF(17, 11), QPointF(17, 16));
    return image;
}

bool Save(const QImage& image, const QString& strFolder, const char* pszName)
{
    const QString strPath = strFolder + "/" + pszName;
    if (image.save(strPath))
        return true;
    std::fprintf(stderr, "lumidex_drawres: cannot write %s\n", qPrintable(strPath));
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: lumidex_drawres <res/images folder>\n");
        return 2;
    }
    const QString strFolder = QString::fromLocal8Bit(argv[1]);
    const bool bOk = Save(Strip(kToolbarImages, 5, 80, Qt::transparent), strFolder, "toolbar128.png") &&
                     Save(Strip(kTreeImages, 12, 194, kMask), strFolder, "tree135.png") &&
                     Save(Splash(), strFolder, "splash139.png") &&
                     Save(Icon(QColor(230, 200, 0), true), strFolder, "icon128.png") &&
                     Save(Icon(QColor(0, 200, 200), false), strFolder, "icon136.png") &&
                     Save(Hand(), strFolder, "hand142.png");
    return bOk ? 0 : 1;
}
