#include "report_pdf.h"

#include "quendra_error.h"
#include "report_pages.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

bool paintPageRange(const ReportPages &pages, QPagedPaintDevice &device, int first, int last,
                    const PageProgress &progress)
{
    if (last == 0)
        last = pages.pageCount();
    if (first < 1 || last > pages.pageCount() || first > last)
        throw QuendraError(
            QuendraError::ValorFueraDeRango,
            QStringLiteral("El informe %1 no tiene las páginas %2 a %3").arg(pages.title()).arg(first).arg(last));
    device.setPageSize(pages.layout().pageSize());
    device.setPageOrientation(QPageLayout::Portrait);
    device.setPageMargins(QMarginsF());

    QPainter painter;
    if (!painter.begin(&device))
        throw QuendraError(QuendraError::ErrorDeInforme,
                           QStringLiteral("No se pudo empezar a imprimir el informe %1").arg(pages.title()));
    const double twipsToDevice = device.logicalDpiX() / 1440.0;
    painter.scale(twipsToDevice, device.logicalDpiY() / 1440.0);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const int total = last - first + 1;
    for (int page = first; page <= last; ++page) {
        if (page > first && !device.newPage())
            throw QuendraError(
                QuendraError::ErrorDeInforme,
                QStringLiteral("No se pudo pasar a la página %1 del informe %2").arg(page).arg(pages.title()));
        pages.paintPage(page, painter);
        if (progress && !progress(page - first + 1, total)) {
            painter.end();
            return false;
        }
    }
    if (!painter.end())
        throw QuendraError(QuendraError::ErrorDeInforme,
                           QStringLiteral("No se pudo terminar de imprimir el informe %1").arg(pages.title()));
    return true;
}

bool writeReportPdf(const ReportPages &pages, const QString &path, int first, int last, const PageProgress &progress)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw QuendraError(QuendraError::ErrorDeInforme,
                           QStringLiteral("No se pudo escribir el archivo %1 (%2)").arg(path, file.errorString()));
    bool whole = false;
    {
        QPdfWriter writer(&file);
        writer.setTitle(pages.title());
        writer.setCreator(QStringLiteral("Quendra"));
        whole = paintPageRange(pages, writer, first, last, progress);
    }
    if (!whole) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        throw QuendraError(QuendraError::ErrorDeInforme,
                           QStringLiteral("No se pudo escribir el archivo %1 (%2)").arg(path, file.errorString()));
    return true;
}
