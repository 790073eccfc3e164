#pragma once
// Between the database's own files; not for other units.

// A record just appended at position nr joins the path index (the scan asks
// for every file whether its path is known, so the index must keep up).
void BazaDopiszDoIndeksu(int nr);
