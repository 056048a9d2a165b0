-- Version 3: transfers between storage places. A transfer is an exit voucher in
-- the origin and an entry voucher in the destination with the same lines,
-- posted, changed and deleted together; this row ties the pair to its number.
CREATE TABLE transferencia (
    numero  INTEGER PRIMARY KEY,
    fecha   DATE NOT NULL CONSTRAINT "fecha debe ser una fecha válida" CHECK (fecha IS date(fecha, '+0 days')),
    origen  TEXT NOT NULL,
    destino TEXT NOT NULL,
    detalle TEXT,
    comprobante_salida  TEXT NOT NULL,
    comprobante_entrada TEXT NOT NULL,
    CHECK (origen <> destino)
);
CREATE UNIQUE INDEX transferencia_salida ON transferencia(comprobante_salida);
CREATE UNIQUE INDEX transferencia_entrada ON transferencia(comprobante_entrada);
