#pragma once
// The objects start-up creates after the data module: the jump dialog Form6, hidden, knowing
// its callers through the program-wide references. It lives until the program ends. An error
// propagates.
void CreateStartUpForms();
