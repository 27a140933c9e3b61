#pragma once
// The objects start-up creates after the data module, in order: the jump dialog Form6
// (hidden, knowing its callers through the program-wide references) and one hidden by-set
// window Form55, whose creation prepares set 1 from the database. Both live until the program
// ends. An error (a query the database refuses) propagates.
void CreateStartUpForms();
