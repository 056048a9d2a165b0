#pragma once

// The tables a file must hold to be a Quendra database.
inline constexpr const char *tablasDeQuendra[] = {"articulo", "familia", "movstk"};
