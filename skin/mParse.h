#pragma once
// mParse: splits a line of the skin size table into its name and bracketed values, and the
// other text rules the skin's table files share.
#include <string>
#include <vector>

// One line of "Sizes.dat": the name before "[" and the values between "[" and "]".
struct ParsedLine {
    std::string Name;
    std::vector<std::string> Params;
};

namespace mParse {

// A "//" line gives an empty name; every space is dropped before the brackets are looked for.
// Throws std::invalid_argument when the first "]" stands before the first "[".
ParsedLine ParseLine(const std::string& Line);

// The number a value starts with: sign, digits, one point and an exponent, or "&H"/"&O" for
// hexadecimal/octal; tabs and line feeds inside are skipped; 0 when there is no number.
double LeadingNumber(const std::string& text);

// The lines of an ANSI text file: a line ends at CR or CR LF (a lone LF stays in the line) and
// the last line needs no end, so an empty text has no line.
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace mParse
