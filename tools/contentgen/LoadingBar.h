#pragma once
// The two sprite sheets of the loading bar, 60 x 42: the empty bar ("Load2.png") and its filling
// ("Load1.png"). Each holds a left cap in columns 0-19, the one-pixel middle slice that is stretched in
// column 20 and a right cap in columns 40-59, so that the pieces join into one rounded bar.
#include <string>

bool WriteLoadingBar(const std::string& root);
