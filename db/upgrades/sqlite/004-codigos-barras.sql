-- The barcodes of the articles: any number per article, each code naming one
-- article. A code goes with its article when the article is deleted or renumbered.
CREATE TABLE codigo_barras (
    id     INTEGER PRIMARY KEY,
    numero TEXT NOT NULL,
    codigo TEXT NOT NULL
);
CREATE UNIQUE INDEX codigo_barras_codigo ON codigo_barras(codigo);
CREATE INDEX codigo_barras_numero ON codigo_barras(numero);
CREATE TRIGGER articulo_borra_codigos AFTER DELETE ON articulo BEGIN
    DELETE FROM codigo_barras WHERE numero = old.numero;
END;
CREATE TRIGGER articulo_renumera_codigos AFTER UPDATE OF numero ON articulo WHEN new.numero IS NOT old.numero BEGIN
    UPDATE codigo_barras SET numero = new.numero WHERE numero = old.numero;
END;
