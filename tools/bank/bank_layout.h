#pragma once
// Turns the four chapters of content into the rows of `kaoti`: numbers, book numbers,
// chapter and section titles, kinds, sets and pictures.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "bank_model.h"
#include "content_reader.h"

// Draws the picture a name stands for as a complete BMP file; `ordinal` counts the pictures of the
// bank from 0, so that the caller can vary the bit depth.
using PictureSource = std::function<std::vector<uint8_t>(const std::string& picture, int ordinal)>;

// Lays out the bank. Throws std::runtime_error naming the content line of the first question
// that breaks a convention, or the chapter whose count is wrong.
std::vector<BankQuestion> LayOutBank(const std::array<std::vector<ContentQuestion>, 4>& chapters,
                                     const PictureSource& pictures);

// The set of a question number: 1..12 in turn for 1..1200, none (0) after.
int SetOfQuestion(int id);
