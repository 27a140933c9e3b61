#include "skin/parse_colour.h"

ColourRef ParseColour(std::string_view text, ColourRef defaultColour) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (text.empty()) return defaultColour;

    uint8_t components[3] = {0, 0, 0};
    int stored = 0;
    bool inNumber = false;
    unsigned number = 0;  // kept modulo 256: only the low 8 bits survive anyway
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            number = (number * 10 + unsigned(c - '0')) & 0xFF;
            inNumber = true;
        } else if (inNumber) {
            if (stored < 3) components[stored++] = uint8_t(number);
            inNumber = false;
            number = 0;
        }
    }
    if (inNumber && stored == 2) components[2] = uint8_t(number);
    return MakeColourRef(components[0], components[1], components[2]);
}
