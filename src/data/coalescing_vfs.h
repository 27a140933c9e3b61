#pragma once
// A file layer over the engine's default one that hands a run of consecutive writes to a file
// (the journal's three writes per page, pages that follow one another in the database) to the
// system as one write. Under Wine every write is a round trip to the window server, so a
// statement that rewrites 300 rows with their pictures made ~5,400 of them.
//
// Nothing is held across anything but the next write: any other call on the file (a read, a
// sync, a lock, its size, a mapping, closing) first writes what is held, so the engine's order
// of writes and syncs, on which a transaction's durability rests, is unchanged.
#include <sqlite3.h>

// The name to open a connection with; the layer is registered (not as the default) on first use.
const char* CoalescingVfsName();
