-- A place's movements of an article up to a day, found without reading the
-- other places' (the minimums of one place, the status bar's count), and their
-- quantities read from the index alone.
CREATE INDEX movstk_numero_deposito_fecha ON movstk(numero, deposito, fecha, "Entrada", "Salida");
