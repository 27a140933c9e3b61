#pragma once
// The skin component as a form carries it: a component of the form (deleted with it) that is
// the form's TSkinData, with the window system as its host — the system's message box and
// colours, and the process's skin manager.
#include <string>

#include "skin/skin_data.h"
#include "ui/component.h"

// The skin host of a Windows program.
SkinHost WindowsSkinHost();

class TSkinDataComponent : public TComponent, public TSkinData {
public:
    explicit TSkinDataComponent(TComponent* ownerComponent);
    std::wstring ClassName() const override { return L"TSkinData"; }
};

// Reads the SkinStream property stored as the program's RCDATA resource `name` (a 32-bit byte
// count, then the package) into the component, which loads it. False when there is no such
// resource; a package outside the format throws ESkinError.
bool ReadSkinStreamResource(TSkinData& skin, const wchar_t* name);
