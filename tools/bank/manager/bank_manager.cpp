#include "bank_manager.h"

#include <objbase.h>

#include "bank_form.h"
#include "data_folder.h"
#include "ui/application.h"

TBankForm* BankForm = nullptr;

namespace {

// The system's file dialogs are COM objects of a single-threaded apartment.
class ComApartment {
public:
    ComApartment() : entered_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (entered_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool entered_;
};

}  // namespace

int RunBankManager() {
    ComApartment com;
    Application->Initialize();
    Application->Title = L"木禾题库管理";
    try {
        Application->CreateForm(BankForm, FindDataFolder(), SystemBankDialogs());
    } catch (const std::exception& e) {
        Application->ShowException(e);
        return 1;
    }
    Application->Run();
    Application->DestroyForms();
    BankForm = nullptr;
    return 0;
}
