#pragma once
// The skin component as a form carries it: a component of the form (deleted with it) that is
// the form's TSkinData, with the window system as its host — the system's message box and
// colours, and the process's skin manager — and the 16 x 16 menu glyphs of the program's
// bitmap resource "KEVRELMENU" (white is transparent).
#include <string>

#include "skin/skin_data.h"
#include "ui/component.h"
#include "ui/image_list.h"

// The skin host of a Windows program.
SkinHost WindowsSkinHost();

class TSkinDataComponent : public TComponent, public TSkinData {
public:
    explicit TSkinDataComponent(TComponent* ownerComponent);
    std::wstring ClassName() const override { return L"TSkinData"; }

    TImageList* const MenuGlyphs;
};

// Reads the SkinStream property stored as the program's RCDATA resource `name` (a 32-bit byte
// count, then the package) into the component, which loads it. False when there is no such
// resource; a package outside the format throws ESkinError.
bool ReadSkinStreamResource(TSkinData& skin, const wchar_t* name);

// The program's skin as its main windows carry it: a component "SkinData1" of `form`, active,
// skinning the controls given, its package the program's SKINSTREAM resource. Once loaded it
// hooks every window of the program. A package that cannot be read is shown in the default
// error box, and the windows keep the system's look.
TSkinDataComponent* AddProgramSkin(TComponent* form, TSkinControls controls);
