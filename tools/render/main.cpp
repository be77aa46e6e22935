// Renders one SVG source into a PNG or a BMP at a given size.
// Usage: klemvar_svgrender --size WxH [--view X,Y,W,H] [--grey] [--one-bit-mask] in.svg
// out.{png,bmp} A BMP has no transparency, so it gets an opaque white background.
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QStringList>
#include <cstdio>
#include <optional>

#include "render/bmp_writer.h"
#include "render/svg_raster.h"

namespace {

std::optional<QSize> ParseSize(const QString& text) {
  const QStringList parts = text.split('x');
  if (parts.size() != 2) return std::nullopt;
  const QSize size(parts[0].toInt(), parts[1].toInt());
  return size.isEmpty() ? std::nullopt : std::optional(size);
}

std::optional<QRectF> ParseView(const QString& text) {
  const QStringList parts = text.split(',');
  if (parts.size() != 4) return std::nullopt;
  return QRectF(parts[0].toDouble(), parts[1].toDouble(), parts[2].toDouble(), parts[3].toDouble());
}

bool Save(const QImage& image, const QString& path) {
  if (path.endsWith(".bmp"))
    return klemvar::tools::WriteBmp24(klemvar::tools::Flattened(image, Qt::white), path);
  return image.save(path, "PNG");
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  QCommandLineParser parser;
  parser.addOptions({{"size", "Output size WxH.", "size"},
                     {"view", "Part of the drawing X,Y,W,H.", "view"},
                     {"grey", "Render as a disabled picture."},
                     {"one-bit-mask", "Make every pixel opaque or transparent."}});
  parser.addPositionalArgument("source", "SVG source.");
  parser.addPositionalArgument("output", "PNG or BMP file.");
  parser.process(app);
  const QStringList args = parser.positionalArguments();
  const auto size = ParseSize(parser.value("size"));
  const auto view =
      parser.isSet("view") ? ParseView(parser.value("view")) : std::optional<QRectF>();
  if (args.size() != 2 || !size || (parser.isSet("view") && !view)) parser.showHelp(2);

  QImage image = klemvar::tools::RenderSvg(args[0], *size, view);
  if (image.isNull()) {
    std::fprintf(stderr, "cannot read %s\n", qPrintable(args[0]));
    return 1;
  }
  if (parser.isSet("grey")) image = klemvar::tools::Greyed(image);
  if (parser.isSet("one-bit-mask")) image = klemvar::tools::WithOneBitMask(image);
  return Save(image, args[1]) ? 0 : 1;
}
