// Writes the program's icon as the files a desktop looks for: an SVG and PNGs
// of the sizes given, drawn from the same shapes the windows paint.
//   quendra-icon-files FOLDER NAME SIZE...   gives FOLDER/NAME.svg and FOLDER/SIZE/NAME.png
#include "app_icon.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc < 4) {
        std::fputs("Uso: quendra-icon-files CARPETA NOMBRE TAMAÑO...\n", stderr);
        return 2;
    }
    const QDir carpeta(QString::fromLocal8Bit(argv[1]));
    const QString nombre = QString::fromLocal8Bit(argv[2]);
    QFile svg(carpeta.filePath(nombre + QStringLiteral(".svg")));
    if (!carpeta.mkpath(QStringLiteral(".")) || !svg.open(QIODevice::WriteOnly)
        || svg.write(iconoPrograma::svg()) < 0) {
        std::fprintf(stderr, "No se pudo escribir %s\n", qUtf8Printable(svg.fileName()));
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int lado = QByteArray(argv[i]).toInt();
        QImage imagen(lado, lado, QImage::Format_ARGB32_Premultiplied);
        imagen.fill(Qt::transparent);
        {
            QPainter p(&imagen);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(lado / 48.0, lado / 48.0);
            iconoPrograma::dibujar(p);
        }
        const QString png = carpeta.filePath(QStringLiteral("%1/%2.png").arg(lado).arg(nombre));
        if (lado < 1 || !carpeta.mkpath(QString::number(lado)) || !imagen.save(png)) {
            std::fprintf(stderr, "No se pudo escribir %s\n", qUtf8Printable(png));
            return 1;
        }
    }
    return 0;
}
