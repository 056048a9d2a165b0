#pragma once

#include <QString>
#include <exception>
#include <string>

// The one error type of the data layer and the report engine: a number (the
// SQLite extended result code, a server's numeric error state, or one of ours
// below) and a description.
class QuendraError : public std::exception
{
public:
    // Our own numbers stay clear of SQLite's extended result codes (< 10000).
    enum Numero {
        ConexionCerrada = 10001,
        FechaImposible = 10002,
        VariasSentencias = 10003,
        BaseNoValida = 10004,
        SoloLectura = 10005,
        NombreDesconocido = 10006,
        RecordsetCerrado = 10007,
        ValorFueraDeRango = 10008,
        ErrorDeInforme = 10009,
        AccesoRechazado = 10010, // the server refused the user or the password
        ServidorInalcanzable = 10011,
        FaltaBaseEnServidor = 10012,
        ErrorDelServidor = 10013,   // a server error whose state is not a number
        BaseMasNueva = 10014,       // written by a newer program: never written here
        SinActualizar = 10015,      // older than the program, and this user may not upgrade it
        ConexionRecuperada = 10016, // the link to the server broke and came back; the last write was not kept
        HojaIlegible = 10020,       // a spreadsheet that cannot be read
    };

    QuendraError(int numero, QString descripcion);

    int numero() const noexcept { return numero_; }
    const QString &descripcion() const noexcept { return descripcion_; }
    const char *what() const noexcept override { return what_.c_str(); }

    // "Error <n> (<description>)", the form every message about it uses.
    QString texto() const;

private:
    int numero_;
    QString descripcion_;
    std::string what_;
};
