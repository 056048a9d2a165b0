-- Version 3: transfers between storage places. A transfer is an exit voucher in
-- the origin and an entry voucher in the destination with the same lines,
-- posted, changed and deleted together; this row ties the pair to its number.
CREATE TABLE transferencia (
    numero  integer PRIMARY KEY,
    fecha   date NOT NULL,
    origen  text COLLATE "C" NOT NULL,
    destino text COLLATE "C" NOT NULL,
    detalle text COLLATE "C",
    comprobante_salida  text COLLATE "C" NOT NULL,
    comprobante_entrada text COLLATE "C" NOT NULL,
    CHECK (origen <> destino)
);
CREATE UNIQUE INDEX transferencia_salida ON transferencia(comprobante_salida);
CREATE UNIQUE INDEX transferencia_entrada ON transferencia(comprobante_entrada);
