-- The day of the last daily copy of a server's data, in at most one row. A
-- file has the table so that a copy of a server carries it; its own copies are
-- dated files.
CREATE TABLE copia_servidor (
    unica INTEGER PRIMARY KEY DEFAULT 1 CHECK (unica = 1),
    fecha DATE NOT NULL CONSTRAINT "fecha debe ser una fecha válida" CHECK (fecha IS date(fecha, '+0 days'))
);
