// SPDX-License-Identifier: GPL-3.0-or-later
// Draws Lumetra's help pictures and its application icon into the res/ folder.
//
//   lumetra-draw-pictures <res folder>
//
// Run it by hand after changing a drawing and commit the PNG files; the build only compiles
// the committed files in. Help pictures are 379 x 159 pixels; the program scales them to the
// help-picture area of the main dialog.
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kWidth = 379;
constexpr int kHeight = 159;

const QColor kBackground(250, 250, 246);
const QColor kInk(40, 40, 48);
const QColor kMark(200, 30, 30);
const QColor kModuleBlue(34, 64, 128);
const QColor kCellLine(120, 150, 200);
const QColor kSea(208, 228, 246);
const QColor kLand(196, 214, 160);
const QColor kGrid(160, 180, 200);

QFont textFont(int pixels, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void arrowHead(QPainter& p, QPointF tip, QPointF from, const QColor& colour) {
    const QLineF back(tip, from);
    const double angle = qDegreesToRadians(back.angle());
    const double size = 7;
    const QPointF a = tip + QPointF(std::cos(angle + 0.45) * size, -std::sin(angle + 0.45) * size);
    const QPointF b = tip + QPointF(std::cos(angle - 0.45) * size, -std::sin(angle - 0.45) * size);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({tip, a, b}));
}

// A dimension line with arrow heads at both ends and its text beside the middle.
void dimension(QPainter& p, QPointF a, QPointF b, const QString& text, QPointF textOffset) {
    p.setPen(QPen(kMark, 2));
    p.drawLine(a, b);
    arrowHead(p, a, b, kMark);
    arrowHead(p, b, a, kMark);
    p.setPen(kMark);
    p.setFont(textFont(13, true));
    const QPointF middle = (a + b) / 2 + textOffset;
    p.drawText(QRectF(middle.x() - 60, middle.y() - 10, 120, 20), Qt::AlignCenter, text);
}

void caption(QPainter& p, const QString& text) {
    p.setPen(kInk);
    p.setFont(textFont(12));
    p.drawText(QRectF(6, kHeight - 18, kWidth - 12, 16), Qt::AlignLeft | Qt::AlignVCenter, text);
}

// ---- world maps ---------------------------------------------------------------------------

// Rough outlines of the continents as longitude/latitude pairs.
const std::vector<std::vector<QPointF>> kContinents = {
    // North America
    {{-168, 66}, {-140, 70}, {-95, 72},  {-80, 64},  {-62, 58},  {-55, 50},  {-70, 43}, {-76, 35},
     {-81, 25},  {-90, 29},  {-97, 26},  {-97, 20},  {-88, 15},  {-78, 8},   {-84, 10}, {-92, 15},
     {-105, 21}, {-112, 30}, {-124, 40}, {-125, 49}, {-135, 58}, {-150, 60}, {-165, 60}},
    // Greenland
    {{-55, 60}, {-42, 60}, {-20, 70}, {-20, 80}, {-45, 83}, {-70, 78}, {-55, 70}},
    // South America
    {{-78, 8},
     {-60, 10},
     {-50, 0},
     {-35, -6},
     {-40, -22},
     {-55, -35},
     {-65, -42},
     {-70, -54},
     {-75, -45},
     {-72, -20},
     {-80, -5}},
    // Europe and Asia
    {{-10, 36}, {-9, 43},  {-2, 48},  {-5, 58},  {5, 62},   {15, 70},  {30, 71},  {60, 70},
     {80, 73},  {110, 77}, {140, 72}, {170, 68}, {180, 65}, {160, 60}, {142, 52}, {135, 43},
     {122, 38}, {121, 30}, {110, 20}, {106, 10}, {100, 14}, {98, 8},   {92, 22},  {80, 15},
     {77, 8},   {72, 20},  {58, 25},  {52, 28},  {48, 30},  {56, 24},  {59, 22},  {52, 16},
     {43, 13},  {35, 28},  {34, 36},  {27, 37},  {23, 40},  {19, 42},  {16, 38},  {12, 44},
     {8, 44},   {3, 43},   {-5, 36}},
    // Africa
    {{-17, 15},
     {-16, 24},
     {-10, 30},
     {-5, 36},
     {10, 37},
     {20, 31},
     {32, 31},
     {43, 12},
     {51, 11},
     {40, -5},
     {40, -15},
     {33, -26},
     {20, -35},
     {14, -22},
     {12, -5},
     {9, 4},
     {-8, 5}},
    // Australia
    {{114, -22},
     {122, -18},
     {131, -12},
     {137, -12},
     {142, -11},
     {146, -19},
     {153, -28},
     {150, -37},
     {140, -38},
     {130, -32},
     {116, -35}},
};

QRectF mapRect() {
    return QRectF(8, 8, 250, kHeight - 16);
}

QPointF project(double longitude, double latitude) {
    const QRectF r = mapRect();
    return {r.left() + (longitude + 180) / 360 * r.width(),
            r.top() + (90 - latitude) / 180 * r.height()};
}

void worldMap(QPainter& p) {
    const QRectF r = mapRect();
    p.fillRect(r, kSea);
    p.setPen(QPen(kGrid, 0.6));
    for (int lon = -180; lon <= 180; lon += 30) {
        p.drawLine(project(lon, 90), project(lon, -90));
    }
    for (int lat = -60; lat <= 60; lat += 30) {
        p.drawLine(project(-180, lat), project(180, lat));
    }
    p.setPen(QPen(kLand.darker(140), 0.8));
    p.setBrush(kLand);
    for (const auto& outline : kContinents) {
        QPolygonF polygon;
        for (const QPointF& point : outline) {
            polygon << project(point.x(), point.y());
        }
        p.drawPolygon(polygon);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, 1));
    p.drawRect(r);
}

void legendText(QPainter& p, double top, const QString& heading, const QString& text) {
    p.setPen(kInk);
    p.setFont(textFont(14, true));
    p.drawText(QRectF(268, top, 108, 20), Qt::AlignLeft | Qt::AlignVCenter, heading);
    p.setFont(textFont(11));
    p.drawText(QRectF(268, top + 22, 108, 80), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               text);
}

void drawLatitude(QPainter& p) {
    worldMap(p);
    // The equator, then the site's parallel at 47° north and the angle between them.
    p.setPen(QPen(kInk, 1, Qt::DashLine));
    p.drawLine(project(-180, 0), project(180, 0));
    p.setPen(QPen(kMark, 2.5));
    p.drawLine(project(-180, 47), project(180, 47));
    const QPointF from = project(-150, 0);
    const QPointF to = project(-150, 47);
    p.setPen(QPen(kMark, 2));
    p.drawLine(from, to);
    arrowHead(p, to, from, kMark);
    p.setFont(textFont(13, true));
    p.setPen(kMark);
    p.drawText(project(-146, 26), QStringLiteral("47°"));
    legendText(p, 14, QStringLiteral("Breitengrad"),
               QStringLiteral("Winkel nördlich (+) oder südlich (-) vom Äquator"));
    p.setPen(kInk);
    p.setFont(textFont(10));
    p.drawText(project(150, 0) + QPointF(-30, -3), QStringLiteral("0°"));
}

void drawLongitude(QPainter& p) {
    worldMap(p);
    // The prime meridian, then the site's meridian at 16° east and the angle between them.
    p.setPen(QPen(kInk, 1, Qt::DashLine));
    p.drawLine(project(0, 90), project(0, -90));
    p.setPen(QPen(kMark, 2.5));
    p.drawLine(project(16, 90), project(16, -90));
    const QPointF from = project(0, -60);
    const QPointF to = project(16, -60);
    p.setPen(QPen(kMark, 2));
    p.drawLine(from, to);
    arrowHead(p, to, from, kMark);
    p.setFont(textFont(13, true));
    p.setPen(kMark);
    p.drawText(project(18, -52), QStringLiteral("16°"));
    legendText(p, 14, QStringLiteral("Längengrad"),
               QStringLiteral("Winkel östlich (+) oder westlich (-) von Greenwich"));
    p.setPen(kInk);
    p.setFont(textFont(10));
    p.drawText(project(1, 80), QStringLiteral("0°"));
}

// ---- a single module ----------------------------------------------------------------------

void moduleCells(QPainter& p, const QRectF& r, int columns, int rows, const QColor& fill) {
    p.setPen(QPen(QColor(180, 180, 190), 3));
    p.setBrush(fill);
    p.drawRect(r);
    p.setPen(QPen(kCellLine, 0.8));
    for (int c = 1; c < columns; ++c) {
        const double x = r.left() + r.width() * c / columns;
        p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
    }
    for (int row = 1; row < rows; ++row) {
        const double y = r.top() + r.height() * row / rows;
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    }
}

QRectF moduleRect() {
    return QRectF(150, 14, 78, 124);  // upright, as width 1.016 m x height 1.686 m
}

void drawModule(QPainter& p, int marked) {
    const QRectF r = moduleRect();
    moduleCells(p, r, 6, 10, kModuleBlue);
    if (marked == 2) {
        p.fillRect(r.adjusted(2, 2, -2, -2), QColor(230, 60, 60, 110));
        p.setPen(kMark);
        p.setFont(textFont(14, true));
        p.drawText(r, Qt::AlignCenter, QStringLiteral("Fläche"));
    } else if (marked == 0) {
        dimension(p, QPointF(r.left(), r.bottom() + 10), QPointF(r.right(), r.bottom() + 10),
                  QString(), {});
        p.setPen(kMark);
        p.setFont(textFont(14, true));
        p.drawText(QRectF(r.right() + 16, r.bottom() - 4, 90, 20), Qt::AlignLeft,
                   QStringLiteral("Breite"));
    } else {
        dimension(p, QPointF(r.right() + 12, r.top()), QPointF(r.right() + 12, r.bottom()),
                  QString(), {});
        p.setPen(kMark);
        p.setFont(textFont(14, true));
        p.drawText(QRectF(r.right() + 20, r.center().y() - 10, 90, 20), Qt::AlignLeft,
                   QStringLiteral("Höhe"));
    }
    caption(p, QStringLiteral("ein einzelnes Solarmodul"));
}

// ---- a roof with a module field ---------------------------------------------------------------

struct Roof {
    QPolygonF face;
    QRectF field;  // the module field, in picture coordinates (front view)
};

Roof drawRoof(QPainter& p) {
    p.fillRect(QRectF(0, 0, kWidth, kHeight), QColor(214, 232, 248));  // sky
    p.fillRect(QRectF(0, 138, kWidth, 21), QColor(150, 180, 120));     // lawn
    // House wall, windows and door.
    const QRectF wall(70, 92, 240, 48);
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(238, 226, 200));
    p.drawRect(wall);
    p.setBrush(QColor(170, 200, 225));
    for (const double x : {90.0, 140.0, 238.0, 272.0}) {
        p.drawRect(QRectF(x, 104, 18, 16));
    }
    p.setBrush(QColor(140, 96, 64));
    p.drawRect(QRectF(188, 110, 20, 30));
    // Roof face.
    Roof roof;
    roof.face = QPolygonF({QPointF(55, 94), QPointF(105, 12), QPointF(275, 12), QPointF(325, 94)});
    p.setBrush(QColor(176, 74, 56));
    p.drawPolygon(roof.face);
    p.setPen(QPen(QColor(150, 60, 46), 0.6));
    for (int y = 22; y < 94; y += 9) {
        const double inset = 50.0 * (94 - y) / 82;
        p.drawLine(QPointF(55 + inset, y), QPointF(325 - inset, y));
    }
    roof.field = QRectF(120, 26, 140, 56);
    moduleCells(p, roof.field, 7, 2, kModuleBlue);
    return roof;
}

void drawRoofWidth(QPainter& p) {
    const Roof roof = drawRoof(p);
    dimension(p, QPointF(roof.field.left(), 6), QPointF(roof.field.right(), 6), QString(), {});
    p.setPen(kMark);
    p.setFont(textFont(14, true));
    p.drawText(QRectF(roof.field.right() + 36, 0, 80, 22), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Breite"));
}

void drawRoofHeight(QPainter& p) {
    const Roof roof = drawRoof(p);
    const double x = roof.field.right() + 8;
    dimension(p, QPointF(x, roof.field.top()), QPointF(x, roof.field.bottom()), QString(), {});
    p.setPen(kMark);
    p.setFont(textFont(14, true));
    p.drawText(QRectF(x + 34, roof.field.center().y() - 10, 70, 20),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Höhe"));
}

void drawRoofArea(QPainter& p) {
    const Roof roof = drawRoof(p);
    // Every module of the field outlined: the field's area is their number times one module.
    p.setPen(QPen(QColor(255, 220, 60), 2));
    p.setBrush(Qt::NoBrush);
    for (int c = 0; c < 7; ++c) {
        for (int r = 0; r < 2; ++r) {
            p.drawRect(
                QRectF(roof.field.left() + c * 20 + 1.5, roof.field.top() + r * 28 + 1.5, 17, 25));
        }
    }
    p.setPen(kMark);
    p.setFont(textFont(14, true));
    p.drawText(QRectF(roof.field.right() + 36, 0, 80, 22), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Fläche"));
}

// ---- orientation and tilt -----------------------------------------------------------------

void drawOrientation(QPainter& p) {
    // Seen from above: north up, south down, west left, east right.
    const QPointF centre(150, 78);
    const double radius = 62;
    p.setPen(QPen(kGrid, 1));
    p.setBrush(QColor(236, 242, 230));
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(kInk, 1, Qt::DashLine));
    p.drawLine(centre + QPointF(-radius, 0), centre + QPointF(radius, 0));
    p.drawLine(centre + QPointF(0, -radius), centre + QPointF(0, radius));
    p.setFont(textFont(12, true));
    p.setPen(kInk);
    p.drawText(QRectF(centre.x() - 30, 0, 60, 14), Qt::AlignCenter, QStringLiteral("Norden"));
    p.drawText(QRectF(centre.x() - 40, kHeight - 15, 80, 14), Qt::AlignCenter,
               QStringLiteral("Süden 0°"));
    p.drawText(QRectF(0, centre.y() - 20, centre.x() - radius - 4, 14), Qt::AlignRight,
               QStringLiteral("Westen"));
    p.drawText(QRectF(0, centre.y() + 4, centre.x() - radius - 4, 14), Qt::AlignRight,
               QStringLiteral("90°"));
    p.drawText(QRectF(centre.x() + radius + 4, centre.y() - 20, 80, 14), Qt::AlignLeft,
               QStringLiteral("Osten"));
    p.drawText(QRectF(centre.x() + radius + 4, centre.y() + 4, 80, 14), Qt::AlignLeft,
               QStringLiteral("-90°"));

    // The module plane on its stand, turned 35° from south towards west: its face points to
    // the south-west, and the arrow shows the turn away from south.
    const double turn = 35;
    p.save();
    p.translate(centre);
    p.rotate(turn);
    p.setPen(QPen(kInk, 1));
    p.setBrush(kModuleBlue);
    p.drawRect(QRectF(-34, -8, 68, 12));
    p.setBrush(QColor(120, 120, 120));
    p.drawRect(QRectF(-3, 4, 6, 8));  // the stand
    p.setPen(QPen(kModuleBlue, 2));
    p.drawLine(QPointF(0, 12), QPointF(0, 46));
    arrowHead(p, QPointF(0, 50), QPointF(0, 12), kModuleBlue);
    p.restore();

    p.setPen(QPen(kMark, 2));
    p.setBrush(Qt::NoBrush);
    const double r = 54;
    const QRectF arc(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
    p.drawArc(arc, -90 * 16, static_cast<int>(-turn * 16));
    const double end = qDegreesToRadians(-90.0 - turn);
    const QPointF tip = centre + QPointF(std::cos(end) * r, -std::sin(end) * r);
    arrowHead(p, tip, tip + QPointF(8, 3), kMark);
    p.setFont(textFont(13, true));
    p.setPen(kMark);
    p.drawText(QRectF(4, kHeight - 22, 110, 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Ausrichtung"));
    caption(p, QString());
    p.setPen(kInk);
    p.setFont(textFont(11));
    p.drawText(QRectF(kWidth - 110, kHeight - 18, 104, 16), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("von oben gesehen"));
}

void drawTilt(QPainter& p) {
    // Seen from the west: north to the left, south to the right; the plane faces south and
    // rises towards the north, held up by its stand.
    const double length = 150;
    const double tilt = 30;
    p.setPen(QPen(kInk, 1.5));
    p.drawLine(QPointF(20, 128), QPointF(360, 128));
    p.setFont(textFont(12, true));
    p.setPen(kInk);
    p.drawText(QRectF(20, 132, 80, 14), Qt::AlignLeft, QStringLiteral("Norden"));
    p.drawText(QRectF(280, 132, 80, 14), Qt::AlignRight, QStringLiteral("Süden"));
    // The west-east axis, pointing out of the picture.
    p.setPen(QPen(kInk, 1, Qt::DashLine));
    p.drawLine(QPointF(230, 150), QPointF(330, 90));
    p.setFont(textFont(11));
    p.drawText(QPointF(334, 92), QStringLiteral("Osten"));
    p.drawText(QPointF(196, 156), QStringLiteral("Westen"));

    const double rad = qDegreesToRadians(tilt);
    const QPointF southFoot(290, 128);
    const QPointF northTop = southFoot + QPointF(-std::cos(rad) * length, -std::sin(rad) * length);
    p.setPen(QPen(kModuleBlue, 7, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(southFoot, northTop);
    p.setPen(QPen(QColor(120, 120, 120), 3));
    p.drawLine(northTop + QPointF(0, 4), QPointF(northTop.x(), 128));

    p.setPen(QPen(kMark, 2));
    p.setBrush(Qt::NoBrush);
    const double r = 70;
    p.drawArc(QRectF(southFoot.x() - r, southFoot.y() - r, 2 * r, 2 * r), 180 * 16,
              static_cast<int>(-tilt * 16));
    const double end = qDegreesToRadians(180.0 - tilt);
    const QPointF tip = southFoot + QPointF(std::cos(end) * r, -std::sin(end) * r);
    arrowHead(p, tip, tip + QPointF(3, 8), kMark);
    p.setFont(textFont(13, true));
    p.setPen(kMark);
    p.drawText(southFoot + QPointF(-r - 60, -6), QStringLiteral("Winkel"));
}

void drawNeutral(QPainter& p) {
    p.fillRect(QRectF(0, 0, kWidth, kHeight), QColor(226, 226, 226));
    p.setPen(QPen(QColor(206, 206, 206), 1));
    for (int x = -kHeight; x < kWidth; x += 12) {
        p.drawLine(QPointF(x, kHeight), QPointF(x + kHeight, 0));
    }
    p.setPen(QPen(QColor(190, 190, 190), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, kWidth - 1, kHeight - 1));
}

// ---- the application icon -----------------------------------------------------------------

QImage drawIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    // The sun.
    p.setPen(QPen(QColor(240, 160, 20), 3, Qt::SolidLine, Qt::RoundCap));
    const QPointF sun(44, 18);
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        p.drawLine(sun + QPointF(std::cos(a) * 13, std::sin(a) * 13),
                   sun + QPointF(std::cos(a) * 18, std::sin(a) * 18));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 200, 40));
    p.drawEllipse(sun, 10, 10);
    // A module in perspective.
    const QPolygonF module({QPointF(6, 58), QPointF(16, 30), QPointF(44, 30), QPointF(54, 58)});
    p.setPen(QPen(QColor(200, 200, 210), 2.5));
    p.setBrush(kModuleBlue);
    p.drawPolygon(module);
    p.setPen(QPen(kCellLine, 1.2));
    for (int c = 1; c < 4; ++c) {
        const double t = c / 4.0;
        p.drawLine(QPointF(6 + 48 * t, 58), QPointF(16 + 28 * t, 30));
    }
    for (int r = 1; r < 3; ++r) {
        const double t = r / 3.0;
        p.drawLine(QPointF(16 - 10 * t, 30 + 28 * t), QPointF(44 + 10 * t, 30 + 28 * t));
    }
    return image;
}

bool save(const QImage& image, const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: lumetra-draw-pictures <res folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);

    struct Picture {
        int id;
        std::function<void(QPainter&)> draw;
    };
    const std::vector<Picture> pictures = {
        {129, drawNeutral},
        {131, drawLatitude},
        {132, drawLongitude},
        {133, [](QPainter& p) { drawModule(p, 0); }},
        {134, [](QPainter& p) { drawModule(p, 1); }},
        {135, [](QPainter& p) { drawModule(p, 2); }},
        {139, drawRoofWidth},
        {140, drawRoofHeight},
        {141, drawRoofArea},
        {142, drawOrientation},
        {143, drawTilt},
    };
    bool ok = true;
    for (const Picture& picture : pictures) {
        QImage image(kWidth, kHeight, QImage::Format_RGB888);
        image.fill(kBackground);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::TextAntialiasing);
            picture.draw(painter);
        }
        ok = save(image, QStringLiteral("%1/help/%2.png").arg(folder).arg(picture.id)) && ok;
    }
    for (const int size : {16, 32, 48, 256}) {
        ok = save(drawIcon(size),
                  QStringLiteral("%1/icons/hicolor/%2x%2/apps/org.lumetra.Lumetra.png")
                      .arg(folder)
                      .arg(size)) &&
             ok;
    }
    return ok ? 0 : 1;
}
