// The built-in catalogue of the seven animal types shown at the end of the
// first quiz. Its text lives in result_catalogue.txt.
#pragma once

extern const wchar_t RESULT_CATALOGUE[];
