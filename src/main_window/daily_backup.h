#pragma once

#include <QDate>
#include <QObject>
#include <QString>
#include <functional>

#include "owned_thread.h"

// The day's copy of the open database, made on a thread of its own with a
// connection of its own, so that the operator never waits for it: of a file
// beside it, of a server in the user's data folder. A failed copy is reported
// and the program goes on.
class CopiaDiaria : public QObject
{
    Q_OBJECT
public:
    explicit CopiaDiaria(QObject *parent = nullptr);
    ~CopiaDiaria() override = default; // waits for a copy in progress (HiloPropio)

    void iniciar(const QString &archivoBase, const QDate &hoy);
    void iniciarServidor(const QString &direccion, const QString &carpetaCopias, const QDate &hoy);
    bool enCurso() const;

signals:
    // The copy made (empty when the day had one already) or the error shown.
    void terminada(const QString &copia, const QString &error);

private:
    void enHilo(std::function<QString()> copiar);

    QString copia_, error_;
    // Last, so that it is waited for before the texts it writes go.
    HiloPropio hilo_;
};
