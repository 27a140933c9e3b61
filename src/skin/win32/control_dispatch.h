#pragma once
// Where a skinned window hands its controls to the control skinners: a form object's admitted
// controls, or a plain window's child windows by class.
class TWinSkinForm;

void SkinWindowControls(TWinSkinForm& form);
