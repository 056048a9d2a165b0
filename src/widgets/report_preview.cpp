#include "report_preview.h"

#include "action_guard.h"
#include "report_output.h"
#include "report_page_view.h"
#include "report_pages.h"
#include "report_sheet.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QPushButton *button(QWidget *parent, QHBoxLayout *row, const char *name, const QString &text, const QString &tip)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip);
    b->setAutoDefault(false);
    row->addWidget(b);
    return b;
}

} // namespace

ReportPreview::ReportPreview(std::shared_ptr<const ReportPages> pages)
    : view_(new ReportPageView(this)), page_(new QSpinBox(this)), pageCount_(new QLabel(this)),
      zoom_(new QComboBox(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    // The main window alone decides when the program ends; open previews close with it.
    setAttribute(Qt::WA_QuitOnClose, false);
    setObjectName(QStringLiteral("VistaPrevia"));

    auto *row = new QHBoxLayout;
    auto *first = button(this, row, "b_Primera", QStringLiteral("|<"), QStringLiteral("Primera página"));
    auto *previous = button(this, row, "b_Anterior", QStringLiteral("<"), QStringLiteral("Página anterior"));
    page_->setObjectName(QStringLiteral("t_Pagina"));
    page_->setToolTip(QStringLiteral("Página"));
    row->addWidget(page_);
    pageCount_->setObjectName(QStringLiteral("l_Paginas"));
    row->addWidget(pageCount_);
    auto *next = button(this, row, "b_Siguiente", QStringLiteral(">"), QStringLiteral("Página siguiente"));
    auto *last = button(this, row, "b_Ultima", QStringLiteral(">|"), QStringLiteral("Última página"));
    row->addSpacing(12);
    zoom_->setObjectName(QStringLiteral("c_Zoom"));
    zoom_->addItem(QStringLiteral("Ajustar al ancho"), int(ReportPageView::Zoom::FitWidth));
    zoom_->addItem(QStringLiteral("Página completa"), int(ReportPageView::Zoom::FitPage));
    zoom_->addItem(QStringLiteral("100 %"), int(ReportPageView::Zoom::Actual));
    row->addWidget(zoom_);
    row->addStretch();
    auto *print =
        button(this, row, "b_Imprimir", QStringLiteral("&Imprimir..."), QStringLiteral("Imprimir el informe"));
    auto *pdf = button(this, row, "b_ExportarPdf", QStringLiteral("&Exportar PDF..."),
                       QStringLiteral("Guardar el informe como documento PDF"));
    auto *sheet = button(this, row, "b_ExportarPlanilla", QStringLiteral("Exportar p&lanilla..."),
                         QStringLiteral("Guardar los datos del informe como planilla (.xlsx o .csv)"));
    auto *close = button(this, row, "b_Cerrar", QStringLiteral("&Cerrar"), QStringLiteral("Cerrar la vista previa"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(row);
    layout->addWidget(view_, 1);

    connect(first, &QPushButton::clicked, this, [this] { view_->goToPage(1); });
    connect(previous, &QPushButton::clicked, this, [this] { view_->goToPage(view_->currentPage() - 1); });
    connect(next, &QPushButton::clicked, this, [this] { view_->goToPage(view_->currentPage() + 1); });
    connect(last, &QPushButton::clicked, this, [this] { view_->goToPage(pages_->pageCount()); });
    connect(page_, &QSpinBox::editingFinished, this, [this] { view_->goToPage(page_->value()); });
    connect(view_, &ReportPageView::currentPageChanged, this, &ReportPreview::showCurrentPage);
    connect(zoom_, &QComboBox::currentIndexChanged, this,
            [this] { view_->setZoom(ReportPageView::Zoom(zoom_->currentData().toInt())); });
    connect(print, &QPushButton::clicked, this, [this] { protegido([this] { printWithDialog(); }); });
    connect(pdf, &QPushButton::clicked, this, [this] { protegido([this] { exportPdf(); }); });
    connect(sheet, &QPushButton::clicked, this, [this] { protegido([this] { exportSheet(); }); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
    new QShortcut(QKeySequence::Print, this, this, [this] { protegido([this] { printWithDialog(); }); });

    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        resize(std::min(900, area.width()), area.height() * 9 / 10);
    }
    setPages(std::move(pages));
}

void ReportPreview::setPages(std::shared_ptr<const ReportPages> pages)
{
    pages_ = std::move(pages);
    setWindowTitle(pages_->title());
    page_->setRange(1, pages_->pageCount());
    pageCount_->setText(QStringLiteral("de %1").arg(pages_->pageCount()));
    view_->setPages(pages_);
    showCurrentPage(view_->currentPage());
}

void ReportPreview::showCurrentPage(int page)
{
    QSignalBlocker quiet(page_);
    page_->setValue(page);
}

void ReportPreview::printWithDialog()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setDocName(pages_->title());
    printer.setPageSize(pages_->layout().pageSize());
    printer.setFromTo(1, pages_->pageCount());
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Imprimir %1").arg(pages_->title()));
    dialog.setMinMax(1, pages_->pageCount());
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage);
    if (dialog.exec() != QDialog::Accepted)
        return;
    int first = 1;
    int last = pages_->pageCount();
    if (printer.printRange() == QPrinter::PageRange) {
        first = printer.fromPage();
        last = printer.toPage();
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        first = last = view_->currentPage();
    }
    printPagesWithProgress(*pages_, printer, first, last, this);
}

void ReportPreview::exportPdf()
{
    const QString suggested =
        exportFolder(QStringLiteral("pdf")).filePath(fileNameForTitle(pages_->title()) + QStringLiteral(".pdf"));
    QFileDialog dialog(this, QStringLiteral("Exportar PDF"), suggested, QStringLiteral("Documentos PDF (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    rememberExportFolder(QStringLiteral("pdf"), dialog.selectedFiles().constFirst());
    writePdfWithProgress(*pages_, dialog.selectedFiles().constFirst(), this);
}

void ReportPreview::exportSheet()
{
    const QString xlsx = QStringLiteral("Libro de Excel (*.xlsx)");
    const QString csv = QStringLiteral("Texto separado por punto y coma (*.csv)");
    const QString suggested =
        exportFolder(QStringLiteral("planilla")).filePath(fileNameForTitle(pages_->title()) + QStringLiteral(".xlsx"));
    QFileDialog dialog(this, QStringLiteral("Exportar planilla"), suggested, xlsx + QStringLiteral(";;") + csv);
    dialog.setObjectName(QStringLiteral("dialogoPlanilla"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("xlsx"));
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString &filter) {
        dialog.setDefaultSuffix(filter == csv ? QStringLiteral("csv") : QStringLiteral("xlsx"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    rememberExportFolder(QStringLiteral("planilla"), dialog.selectedFiles().constFirst());
    writeSheetWithProgress(*pages_, dialog.selectedFiles().constFirst(), this);
}
