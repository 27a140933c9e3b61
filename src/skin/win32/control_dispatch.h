#pragma once
// Where a skinned window hands its controls to the control skinners: a form object's
// components by the skin's rules (Tag, DisableTag, Skin3rd, the fixed table), or a plain
// window's child windows by class.
#include <memory>

#include "skin/skinner_choice.h"

class TSkinControl;
class TSkinData;
class TWinControl;
class TWinSkinForm;

void SkinWindowControls(TWinSkinForm& form);

// What the rules see of a toolkit control.
TControlTraits TraitsOf(TWinControl& control);

// A new skinner of that kind for the form, or nullptr for a kind no skinner stands for yet.
std::unique_ptr<TSkinControl> MakeSkinner(TSkinnerKind kind, TWinSkinForm& form, TSkinData& skin);
