#pragma once
// muhe-bank.exe started without arguments: the bank manager's window, for a school's
// administrator, until it is closed. Returns the process's exit status.
class TBankForm;

// The program-wide reference to the manager's window.
extern TBankForm* BankForm;

int RunBankManager();
