#include "tool/writers/output_file.h"
#include "tool/run/run.h"

int main(int argc, char** argv) {
    letWriteLimitsFail();
    return runQuelt(argc, argv);
}
