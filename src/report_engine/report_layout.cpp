#include "report_layout.h"

#include "quendra_error.h"

#include <algorithm>

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

int nonNegative(int twips, const QString &what)
{
    if (twips < 0)
        throw QuendraError(QuendraError::ValorFueraDeRango,
                           QStringLiteral("%1 no puede ser negativo (%2)").arg(what).arg(twips));
    return twips;
}

const char *kindName(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label:
        return "una etiqueta";
    case ControlKind::TextBox:
        return "un cuadro de texto";
    case ControlKind::Line:
        return "una línea";
    case ControlKind::Rectangle:
        return "un rectángulo";
    case ControlKind::Barcode:
        return "un código de barras";
    }
    return "";
}

} // namespace

ReportControl::ReportControl(ControlKind kind, const QString &name, const QRect &twips)
    : kind_(kind), name_(name), rect_(twips)
{
}

void ReportControl::requireKind(ControlKind kind, const char *what) const
{
    if (kind_ != kind)
        throw QuendraError(QuendraError::ErrorDeInforme,
                           QStringLiteral("El control %1 no es %2 y no tiene %3")
                               .arg(name_, QString::fromUtf8(kindName(kind)), QString::fromUtf8(what)));
}

void ReportControl::setCaption(const QString &caption)
{
    requireKind(ControlKind::Label, "título");
    caption_ = caption;
}

void ReportControl::setDataMember(const QString &member)
{
    if (!isBound())
        requireKind(ControlKind::TextBox, "miembro de datos");
    dataMember_ = member;
}

void ReportControl::setDataField(const QString &column)
{
    if (!isBound())
        requireKind(ControlKind::TextBox, "campo de datos");
    dataField_ = column;
}

ReportSection::ReportSection(const QString &name, SectionKind kind, int heightTwips)
    : name_(name), kind_(kind), height_(nonNegative(heightTwips, QStringLiteral("El alto de la sección ") + name))
{
}

void ReportSection::setHeight(int twips)
{
    height_ = nonNegative(twips, QStringLiteral("El alto de la sección ") + name_);
}

ReportControl &ReportSection::control(const QString &name)
{
    return const_cast<ReportControl &>(std::as_const(*this).control(name));
}

const ReportControl &ReportSection::control(const QString &name) const
{
    for (const ReportControl &c : controls_)
        if (sameName(c.name(), name))
            return c;
    throw QuendraError(QuendraError::NombreDesconocido,
                       QStringLiteral("La sección %1 no tiene el control %2").arg(name_, name));
}

ReportControl &ReportSection::add(ReportControl control)
{
    for (const ReportControl &c : controls_)
        if (sameName(c.name(), control.name()))
            throw QuendraError(QuendraError::ErrorDeInforme,
                               QStringLiteral("La sección %1 ya tiene el control %2").arg(name_, control.name()));
    const QRect &r = control.rect();
    if (r.left() < 0 || r.top() < 0 || r.width() < 0 || r.height() < 0)
        throw QuendraError(QuendraError::ValorFueraDeRango,
                           QStringLiteral("El control %1 tiene una posición negativa").arg(control.name()));
    controls_.push_back(std::move(control));
    return controls_.back();
}

ReportControl &ReportSection::addLabel(const QString &name, const QRect &twips, const QString &caption,
                                       Qt::Alignment alignment, const TextStyle &style)
{
    ReportControl c(ControlKind::Label, name, twips);
    c.setCaption(caption);
    c.setAlignment(alignment);
    c.setStyle(style);
    return add(std::move(c));
}

ReportControl &ReportSection::addTextBox(const QString &name, const QRect &twips, Qt::Alignment alignment,
                                         const TextStyle &style)
{
    ReportControl c(ControlKind::TextBox, name, twips);
    c.setAlignment(alignment);
    c.setStyle(style);
    return add(std::move(c));
}

ReportControl &ReportSection::addLine(const QString &name, const QRect &twips)
{
    return add(ReportControl(ControlKind::Line, name, twips));
}

ReportControl &ReportSection::addRectangle(const QString &name, const QRect &twips)
{
    return add(ReportControl(ControlKind::Rectangle, name, twips));
}

ReportControl &ReportSection::addBarcode(const QString &name, const QRect &twips, const TextStyle &style)
{
    ReportControl c(ControlKind::Barcode, name, twips);
    c.setStyle(style);
    return add(std::move(c));
}

ReportLayout::ReportLayout(const QString &name, const QString &title, int reportWidthTwips)
    : name_(name), title_(title), reportWidth_(nonNegative(reportWidthTwips, QStringLiteral("El ancho del informe")))
{
}

void ReportLayout::setLeftMargin(int twips)
{
    left_ = nonNegative(twips, QStringLiteral("El margen izquierdo"));
}

void ReportLayout::setTopMargin(int twips)
{
    top_ = nonNegative(twips, QStringLiteral("El margen superior"));
}

void ReportLayout::setRightMargin(int twips)
{
    right_ = nonNegative(twips, QStringLiteral("El margen derecho"));
}

void ReportLayout::setBottomMargin(int twips)
{
    bottom_ = nonNegative(twips, QStringLiteral("El margen inferior"));
}

ReportSection &ReportLayout::addSection(const QString &name, SectionKind kind, int heightTwips)
{
    for (const ReportSection &s : sections_) {
        if (sameName(s.name(), name))
            throw QuendraError(QuendraError::ErrorDeInforme,
                               QStringLiteral("El informe %1 ya tiene la sección %2").arg(name_, name));
        if (s.kind() == kind)
            throw QuendraError(
                QuendraError::ErrorDeInforme,
                QStringLiteral("El informe %1 ya tiene una sección de esa clase (%2)").arg(name_, s.name()));
    }
    sections_.emplace_back(name, kind, heightTwips);
    return sections_.back();
}

ReportSection &ReportLayout::section(const QString &name)
{
    return const_cast<ReportSection &>(std::as_const(*this).section(name));
}

const ReportSection &ReportLayout::section(const QString &name) const
{
    for (const ReportSection &s : sections_)
        if (sameName(s.name(), name))
            return s;
    throw QuendraError(QuendraError::NombreDesconocido,
                       QStringLiteral("El informe %1 no tiene la sección %2").arg(name_, name));
}

const ReportSection *ReportLayout::sectionOfKind(SectionKind kind) const
{
    for (const ReportSection &s : sections_)
        if (s.kind() == kind)
            return &s;
    return nullptr;
}

void ReportLayout::setColumns(int count)
{
    if (count < 1)
        throw QuendraError(QuendraError::ValorFueraDeRango,
                           QStringLiteral("El informe %1 necesita al menos una columna").arg(name_));
    columns_ = count;
}

int ReportLayout::contentWidth() const
{
    int width = reportWidth_ * columns_;
    for (const ReportSection &s : sections_)
        for (const ReportControl &c : s.controls())
            width = std::max(width, c.rect().left() + c.rect().width());
    return width;
}
