#include "report_output.h"

#include "database_settings.h"
#include "messages.h"
#include "quendra_error.h"
#include "report.h"
#include "report_pdf.h"
#include "report_preview.h"
#include "report_sheet.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QStandardPaths>

namespace {

// A progress box that shows itself only when a job takes a while.
class ProgressBox
{
public:
    ProgressBox(const QString &label, int steps, QWidget *parent)
        : dialog_(label, QStringLiteral("Cancelar"), 0, steps, parent)
    {
        dialog_.setWindowTitle(mensajes::tituloAplicacion);
        dialog_.setWindowModality(Qt::WindowModal);
        dialog_.setMinimumDuration(500);
    }

    PageProgress callback()
    {
        return [this](int done, int) {
            dialog_.setValue(done);
            return !dialog_.wasCanceled();
        };
    }

    SheetProgress rowCallback()
    {
        return [this](qsizetype done, qsizetype) {
            dialog_.setValue(int(done));
            return !dialog_.wasCanceled();
        };
    }

private:
    QProgressDialog dialog_;
};

int pagesIn(int first, int last, const ReportPages &pages)
{
    return (last == 0 ? pages.pageCount() : last) - first + 1;
}

std::shared_ptr<const ReportPages> refreshedPages(Report &report)
{
    if (!report.pages())
        report.refresh();
    return report.pages();
}

QString fallbackPdfPath(const QString &title)
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        throw QuendraError(QuendraError::ErrorDeInforme, QStringLiteral("No se encontró la carpeta de documentos"));
    QDir folder(documents);
    if (!folder.mkpath(QStringLiteral("Quendra")) || !folder.cd(QStringLiteral("Quendra")))
        throw QuendraError(
            QuendraError::ErrorDeInforme,
            QStringLiteral("No se pudo crear la carpeta %1").arg(folder.filePath(QStringLiteral("Quendra"))));
    const QString stem = fileNameForTitle(title) + QLatin1Char(' ')
                         + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
    QString path = folder.filePath(stem + QStringLiteral(".pdf"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder.filePath(QStringLiteral("%1 (%2).pdf").arg(stem).arg(n));
    return path;
}

} // namespace

QString fileNameForTitle(const QString &title)
{
    QString name;
    for (QChar c : title)
        name += (c.isPrint() && !QStringLiteral("\\/:*?\"<>|").contains(c)) ? c : QLatin1Char('_');
    name = name.trimmed();
    return name.isEmpty() ? QStringLiteral("Informe") : name;
}

bool printPagesWithProgress(const ReportPages &pages, QPrinter &printer, int first, int last, QWidget *parent)
{
    printer.setFullPage(true);
    ProgressBox progress(QStringLiteral("Imprimiendo %1...").arg(pages.title()), pagesIn(first, last, pages), parent);
    if (paintPageRange(pages, printer, first, last, progress.callback()))
        return true;
    printer.abort();
    return false;
}

bool writePdfWithProgress(const ReportPages &pages, const QString &path, QWidget *parent)
{
    ProgressBox progress(QStringLiteral("Escribiendo %1...").arg(QFileInfo(path).fileName()), pages.pageCount(),
                         parent);
    return writeReportPdf(pages, path, 1, 0, progress.callback());
}

bool writeSheetWithProgress(const ReportPages &pages, const QString &path, QWidget *parent)
{
    ProgressBox progress(QStringLiteral("Escribiendo %1...").arg(QFileInfo(path).fileName()), int(pages.rowCount()),
                         parent);
    return writeReportSheet(pages, path, progress.rowCallback());
}

ReportPreview *showReportPreview(Report &report)
{
    std::shared_ptr<const ReportPages> pages = refreshedPages(report);
    static QHash<QString, QPointer<ReportPreview>> open;
    QPointer<ReportPreview> &window = open[report.layout().name().toLower()];
    if (window)
        window->setPages(std::move(pages));
    else
        window = new ReportPreview(std::move(pages));
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

QString printReportNow(Report &report)
{
    std::shared_ptr<const ReportPages> pages = refreshedPages(report);
    QWidget *parent = QApplication::activeWindow();
    QString reason;
    QMessageBox::Icon icon = QMessageBox::Information;
    const QPrinterInfo printerInfo = QPrinterInfo::defaultPrinter();
    if (printerInfo.isNull()) {
        reason = QStringLiteral("No hay ninguna impresora instalada.");
    } else {
        QPrinter printer(printerInfo, QPrinter::HighResolution);
        printer.setDocName(pages->title());
        try {
            if (!printer.isValid())
                throw QuendraError(QuendraError::ErrorDeInforme, QStringLiteral("la impresora no está disponible"));
            printPagesWithProgress(*pages, printer, 1, 0, parent);
            return QString();
        } catch (const QuendraError &e) {
            reason = QStringLiteral("No se pudo imprimir en la impresora %1 (%2).")
                         .arg(printerInfo.printerName(), e.descripcion());
            icon = QMessageBox::Warning;
        }
    }
    const QString path = fallbackPdfPath(pages->title());
    if (!writePdfWithProgress(*pages, path, parent))
        return QString();
    mensajes::mostrar(QStringLiteral("%1\nEl informe \"%2\" se guardó como PDF en:\n%3")
                          .arg(reason, pages->title(), QDir::toNativeSeparators(path)),
                      icon);
    return path;
}

QDir exportFolder(const QString &kind)
{
    const QString last = ajustesBase::recordado(QStringLiteral("exportar_") + kind).toString();
    if (!last.isEmpty() && QDir(last).exists())
        return QDir(last);
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

void rememberExportFolder(const QString &kind, const QString &file)
{
    ajustesBase::recordar(QStringLiteral("exportar_") + kind, QFileInfo(file).absolutePath());
}
