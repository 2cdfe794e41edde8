// Draws the program's pictures into PNG files: draw_pictures OUTPUT_FOLDER.
// The PNGs are kept in the repository; run scripts/draw-pictures.sh after changing this.
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kBlue(0, 0, 255);
const QColor kDeepBlue(20, 40, 160);
const QColor kYellow(255, 228, 40);
const QColor kInk(40, 30, 10);

QImage Canvas(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

// An envelope with an "@" seal: the mark of the program, at any size.
QImage Logo(int size) {
  QImage image = Canvas(size, size);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 48.0, size / 48.0);
  const QRectF body(3, 11, 42, 30);
  QLinearGradient fill(body.topLeft(), body.bottomLeft());
  fill.setColorAt(0, kYellow.lighter(115));
  fill.setColorAt(1, kYellow.darker(108));
  p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(fill);
  p.drawRoundedRect(body, 3, 3);
  QPainterPath flap;
  flap.moveTo(4.5, 12.5);
  flap.lineTo(24, 28);
  flap.lineTo(43.5, 12.5);
  p.setBrush(Qt::NoBrush);
  p.drawPath(flap);
  p.drawLine(QPointF(4.5, 39.5), QPointF(18, 27));
  p.drawLine(QPointF(43.5, 39.5), QPointF(30, 27));
  // The seal.
  p.setPen(QPen(Qt::white, 1.6));
  p.setBrush(kBlue);
  p.drawEllipse(QPointF(35, 12), 10, 10);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setBold(true);
  font.setPixelSize(15);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRectF(25, 2, 20, 20), Qt::AlignCenter, QStringLiteral("@"));
  return image;
}

// `scale` 2 draws the picture for screens of twice the ordinary density.
QImage Wordmark(int scale) {
  QImage image = Canvas(220 * scale, 44 * scale);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(scale, scale);
  QFont name(QStringLiteral("DejaVu Sans"));
  name.setBold(true);
  name.setPixelSize(28);
  p.setFont(name);
  p.setPen(kDeepBlue);
  p.drawText(QRectF(2, 0, 216, 32), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ondrel"));
  p.setPen(QPen(kYellow.darker(115), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(4, 33), QPointF(116, 33));
  QFont motto(QStringLiteral("DejaVu Sans"));
  motto.setPixelSize(10);
  motto.setItalic(true);
  p.setFont(motto);
  p.setPen(kInk);
  p.drawText(QRectF(122, 24, 98, 18), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("indirizzi in ordine"));
  return image;
}

QImage QuestionMark(int scale) {
  QImage image = Canvas(32 * scale, 32 * scale);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(scale, scale);
  QRadialGradient fill(QPointF(12, 10), 20);
  fill.setColorAt(0, QColor(90, 120, 255));
  fill.setColorAt(1, kBlue.darker(120));
  p.setPen(QPen(kDeepBlue.darker(130), 1.2));
  p.setBrush(fill);
  p.drawEllipse(QRectF(1.5, 1.5, 29, 29));
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setBold(true);
  font.setPixelSize(22);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, QStringLiteral("?"));
  return image;
}

// A hand with the index finger raised; its tip is at (12, 1).
QImage HandPointer() {
  QImage image = Canvas(32, 32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath hand;
  hand.setFillRule(Qt::WindingFill);
  hand.addRoundedRect(QRectF(9.5, 1, 5, 17), 2.5, 2.5);         // index finger
  hand.addRoundedRect(QRectF(14, 11, 4.8, 9), 2.4, 2.4);        // middle finger
  hand.addRoundedRect(QRectF(18.4, 12, 4.6, 8.5), 2.3, 2.3);    // ring finger
  hand.addRoundedRect(QRectF(22.6, 13.5, 4.4, 7.5), 2.2, 2.2);  // little finger
  QPainterPath thumb;
  thumb.moveTo(10, 19);
  thumb.lineTo(5.5, 14.5);
  thumb.cubicTo(3.5, 12.8, 1.5, 15, 3, 17);
  thumb.lineTo(8.5, 24);
  hand.addPath(thumb);
  hand.addRoundedRect(QRectF(8, 16, 19, 14), 4, 4);  // palm
  p.setPen(QPen(Qt::black, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::white);
  p.drawPath(hand.simplified());
  p.setPen(QPen(Qt::black, 0.9));
  p.drawLine(QPointF(14.2, 16), QPointF(14.2, 19.5));
  p.drawLine(QPointF(18.6, 17), QPointF(18.6, 20));
  p.drawLine(QPointF(22.8, 17.5), QPointF(22.8, 20.5));
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) return 2;
  const QString folder = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');
  // "@2x": the same picture for screens of twice the density (192 DPI), where Qt and the
  // Win32 program take it instead of doubling the pixels of the ordinary one.
  const bool saved = Logo(48).save(folder + QStringLiteral("logo-48.png")) &&
                     Logo(96).save(folder + QStringLiteral("logo-48@2x.png")) &&
                     Logo(256).save(folder + QStringLiteral("ondrel-256.png")) &&
                     Wordmark(1).save(folder + QStringLiteral("wordmark.png")) &&
                     Wordmark(2).save(folder + QStringLiteral("wordmark@2x.png")) &&
                     QuestionMark(1).save(folder + QStringLiteral("question-mark.png")) &&
                     QuestionMark(2).save(folder + QStringLiteral("question-mark@2x.png")) &&
                     HandPointer().save(folder + QStringLiteral("hand-pointer.png"));
  return saved ? 0 : 1;
}
