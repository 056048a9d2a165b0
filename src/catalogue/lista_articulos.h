#pragma once

class Report;
class ReportLayout;

// The list of all articles by name, with number, name and stock on hand,
// printed from the article form.
namespace listaArticulos {

// The layout "ListaArticulos" as drawn: page header, one detail line per article.
ReportLayout diseno();

// The process's one instance of the layout.
Report &informe();

// Binds every article, in name order, and shows the preview "Lista de Articulos"
// without waiting for it. With no articles it says so and shows the empty list.
void mostrar();

} // namespace listaArticulos
