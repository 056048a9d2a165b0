-- The minimum stock of an article, for one storage place (its code) or for all
-- places together (an empty code): below it the article is to be ordered up to
-- the order-up-to quantity, from the supplier named.
CREATE TABLE minimo (
    id        INTEGER PRIMARY KEY,
    numero    TEXT NOT NULL,
    deposito  TEXT NOT NULL DEFAULT '',
    minimo    REAL CONSTRAINT "minimo debe ser un número" CHECK (typeof(minimo) IN ('integer', 'real', 'null')),
    reponer   REAL CONSTRAINT "reponer debe ser un número" CHECK (typeof(reponer) IN ('integer', 'real', 'null')),
    proveedor TEXT
);
CREATE UNIQUE INDEX minimo_numero_deposito ON minimo(numero, deposito);
