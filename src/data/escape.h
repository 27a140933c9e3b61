#pragma once
// Splicing a value into a statement text. The windows build statements by concatenation,
// "... where lei1='" + p + "'"; a value holding a quote would end the literal early and the
// rest of the value would be read as SQL. Every value spliced between a pair of single quotes
// goes through EscapeQuotes, which doubles each single quote (SQL's own escape), so the
// value stays one literal whatever it holds. It adds no quotes of its own.
#include <string>
#include <string_view>

std::string EscapeQuotes(std::string_view value);
