-- Version 2: the storage places, with their names. Filled with every place the
-- movements name and with "01", the place a computer works in when none is set.
CREATE TABLE deposito (
    id     INTEGER PRIMARY KEY,
    codigo TEXT NOT NULL,
    nombre TEXT
);
CREATE UNIQUE INDEX deposito_codigo ON deposito(codigo);
INSERT INTO deposito(codigo, nombre)
    SELECT codigo, 'Depósito ' || codigo
    FROM (SELECT '01' AS codigo UNION SELECT deposito FROM movstk WHERE trim(deposito) <> '')
    ORDER BY codigo;
