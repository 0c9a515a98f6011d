#include "tool/output_file.h"
#include "tool/run.h"

int main(int argc, char** argv) {
    letWriteLimitsFail();
    return runQuelt(argc, argv);
}
