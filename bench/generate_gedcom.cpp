// Writes a GEDCOM file from the benchmark generator, for whole-process runs of kinloom-cli:
//   generate_gedcom INDIVIDUALS OUT.ged [SEED]
#include "support/gedcom_generator.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: generate_gedcom INDIVIDUALS OUT.ged [SEED]\n");
        return 1;
    }
    const int individuals = std::atoi(argv[1]);
    const unsigned seed = argc > 3 ? static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)) : 1;
    const std::string text = kinloom::bench::generateGedcom(individuals, seed);
    FILE* out = std::fopen(argv[2], "wb");
    if (!out || std::fwrite(text.data(), 1, text.size(), out) != text.size() || std::fclose(out) != 0) {
        std::fprintf(stderr, "generate_gedcom: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
