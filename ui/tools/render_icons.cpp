// Build tool: renders the application icon's SVG into the PNG sizes of the hicolor icon theme.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>
#include <cstdlib>

// Usage: tilvara_render_icons ICON.svg OUTDIR SIZE... writes OUTDIR/SIZExSIZE/apps/NAME.png.
int main(int argc, char* argv[]) {
    // No QGuiApplication: no platform plugin, so no display is needed. The icon has no text,
    // which would need fonts and so a QGuiApplication.
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4) {
        err << "usage: " << args.value(0) << " ICON.svg OUTDIR SIZE...\n";
        return 2;
    }
    QSvgRenderer renderer(args[1]);
    if (!renderer.isValid()) {
        err << args[0] << ": cannot read " << args[1] << "\n";
        return 1;
    }
    const QString name = QFileInfo(args[1]).completeBaseName();
    for (qsizetype i = 3; i < args.size(); ++i) {
        bool ok = false;
        const int size = args[i].toInt(&ok);
        if (!ok || size < 1 || size > 1024) {
            err << args[0] << ": bad size " << args[i] << "\n";
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, size, size));
        painter.end();
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(args[2]).arg(size);
        const QString file = dir + "/" + name + ".png";
        if (!QDir().mkpath(dir) || !image.save(file, "PNG")) {
            err << args[0] << ": cannot write " << file << "\n";
            return 1;
        }
    }
    return EXIT_SUCCESS;
}
