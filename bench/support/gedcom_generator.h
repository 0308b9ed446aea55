#pragma once
#include <string>

namespace kinloom::bench {

// A realistic GEDCOM file of about `individuals` persons: founder couples and their descendants over
// several generations, spouses married in from outside, second marriages after divorces (with DIV
// records), children with birth and death dates and places, occupations and sources. The same seed
// gives the same bytes. Individuals come first, then families, as most programs write them.
std::string generateGedcom(int individuals, unsigned seed = 1, const char* lineEnd = "\r\n");

}  // namespace kinloom::bench
