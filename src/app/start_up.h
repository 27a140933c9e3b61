#pragma once
// The objects start-up creates after the data module, in order: the jump dialog Form6
// (hidden, knowing its callers through the program-wide references) and one hidden by-set
// window Form55, whose creation prepares set 1 from the database. Both live until the program
// ends. An error (a query the database refuses) propagates and leaves neither made.
// They are made once: a later call finds them made (Form6 is set only once both are).
void CreateStartUpForms();

// Leaves their making to the first moment the message loop is idle, once the main window has
// painted, so that nobody waits for windows nobody sees yet; a function window opened sooner
// makes them first. An error then is shown and ends the program.
void CreateStartUpFormsWhenIdle();
