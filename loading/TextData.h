#pragma once
// The shared pieces of every text data format: line reading, the field splitter and the number
// conversions of fields.
#include <string>
#include <vector>

// --- lines and fields ---
// All lines of a file, read as a text stream would: lines end at '\n' and the '\r' of a "\r\n" pair is
// dropped. A file that cannot be opened gives no lines.
std::vector<std::string> ReadLines(const std::string& path);
// Splits text at every occurrence of delimiter into out (emptied first). Empty fields are dropped and
// nothing is trimmed: ",a,,b ," gives "a" and "b ".
void Split(const std::string& text, const std::string& delimiter, std::vector<std::string>& out);

// --- numbers ---
// Decimal integer at the start of the field (white space skipped, optional sign, digits; the rest is
// ignored). False when no digits follow or the value leaves the 32-bit range.
bool ParseIntStrict(const std::string& field, int& value);
// The same conversion, but a field without a number gives 0 and values beyond the 32-bit range are held
// at its ends.
int ParseIntLenient(const std::string& field);
// Decimal number at the start of the field; a field without one gives 0.
float ParseFloat(const std::string& field);
