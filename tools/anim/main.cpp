// Renders the download animation as a horizontal strip of frames: a sheet of
// paper flies from the globe (the web) into the folder (this computer).
// Usage: klemvar_animgen <scene folder with globe.svg, folder.svg, sheet.svg> <output.png>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

#include "anim/flight.h"

namespace {

constexpr int kFrameWidth = 272;
constexpr int kFrameHeight = 60;
constexpr int kFrames = 16;

struct Scene {
  QSvgRenderer globe;
  QSvgRenderer folder;
  QSvgRenderer sheet;
};

void DrawSheet(QPainter& painter, QSvgRenderer& sheet, double progress) {
  const klemvar::tools::SheetPose pose = klemvar::tools::PoseAt(progress);
  const QSizeF size = sheet.viewBoxF().size() * pose.scale;
  painter.save();
  painter.setOpacity(pose.opacity);
  painter.translate(pose.centre);
  painter.rotate(pose.degrees);
  sheet.render(&painter, QRectF(QPointF(-size.width() / 2, -size.height() / 2), size));
  painter.restore();
}

void DrawFrame(QPainter& painter, Scene& scene, int frame) {
  painter.save();
  painter.translate(frame * kFrameWidth, 0);
  painter.setClipRect(0, 0, kFrameWidth, kFrameHeight);
  scene.globe.render(&painter, QRectF(6, 6, 48, 48));
  scene.folder.render(&painter, QRectF(214, 10, 48, 44));
  DrawSheet(painter, scene.sheet, static_cast<double>(frame) / kFrames);
  painter.restore();
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <scene folder> <output.png>\n", argv[0]);
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  Scene scene;
  scene.globe.load(folder.filePath("globe.svg"));
  scene.folder.load(folder.filePath("folder.svg"));
  scene.sheet.load(folder.filePath("sheet.svg"));
  if (!scene.globe.isValid() || !scene.folder.isValid() || !scene.sheet.isValid()) {
    std::fprintf(stderr, "cannot read the scene in %s\n", argv[1]);
    return 1;
  }
  QImage strip(kFrameWidth * kFrames, kFrameHeight, QImage::Format_ARGB32_Premultiplied);
  strip.fill(Qt::transparent);
  QPainter painter(&strip);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  for (int frame = 0; frame < kFrames; ++frame) DrawFrame(painter, scene, frame);
  painter.end();
  return strip.save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
}
