#pragma once
#include <string_view>

#include "skin/skin_types.h"

// A description colour: three decimal numbers, red green blue, separated by anything that is
// not a digit ("59 97 131", "59,97,131,"). A run of digits followed by a non-digit becomes the
// next of red, green and blue; a run that ends the text becomes blue only when exactly two
// numbers came before it. Numbers after the third are ignored, missing components are 0, and
// each keeps its low 8 bits. An empty (or all-blank) text yields defaultColour.
ColourRef ParseColour(std::string_view text, ColourRef defaultColour);
