-- The day of the last daily copy of the server's data, in at most one row: the
-- first program started on a day, holding an advisory lock, makes the copy and
-- writes the day here, so that the others started that day make none.
CREATE TABLE copia_servidor (
    unica integer PRIMARY KEY DEFAULT 1 CHECK (unica = 1),
    fecha date NOT NULL
);
